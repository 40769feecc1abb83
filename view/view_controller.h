// The view's behaviour without a window: plain mouse, wheel and key events drive the camera, the
// edit plane and the editing modes; the mode and view commands; the projection cache the mouse
// mapping uses.
#pragma once

#include "model/card_model.h"
#include "view/camera.h"
#include "view/display_state.h"
#include "view/face_operation.h"
#include "view/outline_edit.h"
#include "view/projection_cache.h"
#include "view/scene.h"
#include "view/underlay_placement.h"

#include <optional>

namespace plicato {

enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
enum KeyModifier : int { ShiftModifier = 1, ControlModifier = 2 };
enum class ViewKey { Space, Up, Down, Left, Right, PageUp, PageDown, Delete, Escape, Other };

// What an event asks of the window around the controller.
struct ViewResponse {
    bool redraw = false;
    bool statusRefresh = false;                    // the grid size shown in the status bar changed
    bool rightClick = false;                       // a right release within 5 pixels of its press
    SizingCursor cursor = SizingCursor::Unchanged; // over an underlay handle
    bool beep = false;                             // a refused point or segment
    bool hideOpeningDialog = false;                // a mode command leaves the opening window
    bool rubberBand = false;                       // the rubber band changed (see rubberBandRect)
    bool modelChanged = false;                     // the user's faces changed
    // Only the camera moved (turn, zoom, pan): the last frame's primitives stand, seen anew.
    bool cameraOnly = false;
};

// The rubber band on the screen, in window pixels.
struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class ViewController {
public:
    // Uses the process-wide display state and current model unless others are installed later.
    ViewController();

    // Resets the camera (command "reset view" and New). Where the reset camera would leave part
    // of the card outside the view (a large card, a small window), the card is fitted instead.
    ViewResponse resetView();
    // Zooms and pans so the whole card fills the view; the angles stay.
    ViewResponse fitView();
    void resize(int width, int height);

    ViewResponse leftButtonDown(int x, int y, int modifiers);
    ViewResponse leftButtonUp(int x, int y, int modifiers = 0);
    ViewResponse rightButtonDown(int x, int y);
    ViewResponse rightButtonUp(int x, int y);
    ViewResponse middleButtonDown(int x, int y);
    ViewResponse middleButtonUp() { return {}; }
    ViewResponse mouseMove(int x, int y, int buttons, int modifiers);
    ViewResponse wheel(int delta);
    ViewResponse key(ViewKey key, int modifiers);

    // View commands; each returns what the window must do afterwards.
    ViewResponse togglePlane();
    ViewResponse gridSmaller();
    ViewResponse gridLarger();
    ViewResponse toggleEditPlaneShown();
    ViewResponse toggleOrthographic();

    // Mode and display commands. A mode command for Subdivide forgets the picks and the outline
    // being drawn, like the views' update with hint 1000.
    ViewResponse chooseMode(EditMode mode);
    ViewResponse chooseInputDisplay();
    ViewResponse choosePopupDisplay();
    ViewResponse toggleMirrorEdit();
    ViewResponse toggleShowUnderlay();
    ViewResponse toggleAntiAlias();
    // Ctrl+Space: the polygon mode becomes the cut-out mode, any other mode the polygon mode.
    ViewResponse cycleEditMode();
    ViewResponse undo();
    ViewResponse redo();
    // Forgets every pick and drag that points into the model (hint 1000 and model changes).
    void forgetPicks();

    // The rubber band to show, when one is open and at least 2 by 2 pixels.
    std::optional<WindowRect> rubberBandRect() const;
    bool rubberBandOpen() const { return rubberBand; }
    int gizmoAxis() const { return gizmo.axis(); }
    // Counts the gizmo presses: a frame layer kept for one drag is never used for the next.
    unsigned long gizmoDragCount() const { return gizmoDrags; }

    // Recomputes the matrices of the next frame (the same that drawing loads).
    const ProjectionCache& refreshProjection();
    // Grid-snapped point of the edit plane under the window position.
    Point3 pointOnEditPlane(int x, int y);
    // The frame to draw now, or one layer of it; applies the underlay modes' fixed angles first.
    Scene buildFrame(const ColorTable& colors, SceneLayer layer = SceneLayer::Whole);
    // Brings `scene`, built by buildFrame, to the current camera without reading the faces: only
    // the projection changes. False when the scene has no model or holds primitives sized by the
    // camera (the face-operation gizmo): build the frame again then.
    bool cameraFrame(Scene& scene);

    Camera camera;
    ProjectionCache projection;
    int activeHandle = 0;
    int pressX = 0, pressY = 0; // window position of the last button press
    int lastX = 0, lastY = 0;   // previous position of the current drag
    SceneExtras extras;
    UnderlayPlacement underlay; // the picture's handles in the underlay modes

private:
    // Drops picks into a model that New or Open has replaced.
    void followModel();
    ViewResponse faceOperationPress(CardModel& model, int x, int y);
    ViewResponse faceOperationKey(CardModel& model, ViewKey key);
    ViewResponse rightClickAction();

    unsigned long modelGeneration = 0;
    bool rubberBand = false;
    GizmoDrag gizmo;
    unsigned long gizmoDrags = 0;
    OutlineEditor outlineEditor;
    Subdivider subdivider;
};

} // namespace plicato
