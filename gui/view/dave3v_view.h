// CDave3vView: the 3D view widget. It turns Qt events into plain events for the view controller,
// asks it for the frame's scene list and hands that to the GL renderer.
//
// Command methods for the main window (command id -> method; update function for the menu):
//   32788 reset view           onResetView()
//   32807 orthographic, Ctrl+R onToggleOrthographic()   check: isOrthographic()
//   32794 vertical plane       onVerticalPlane()        check: isVerticalPlane()
//   32795 horizontal plane     onHorizontalPlane()      check: isHorizontalPlane()
//   32783 grid smaller, Ctrl+K onGridSmaller()          enable: canGridSmaller()
//   32802 grid larger, Ctrl+L  onGridLarger()           enable: canGridLarger()
//   32787 hide plane, Ctrl+H   onHideEditPlane()        check: isEditPlaneHidden()
//   32803 card opening         onCardOpening()          (cardOpeningDialog() for the mode commands)
//   32812 viewpoint            onViewpoint()
//   32901 fit card, Home       onFitView()
//   editing modes              onEditMode(mode)          check: isEditMode(mode)
//   32835 / 32836 display      onInputDisplay(), onPopupDisplay()   check: isInputDisplay()
//   32820 mirror editing       onMirrorEdit()            check: isMirrorEdit()
//   32830 underlay shown       onShowUnderlay()          check: isUnderlayShown()
//   32819 anti-aliasing        onAntiAlias()             check: isAntiAlias()
//   57643 undo, 57644 redo     onUndo(), onRedo()
// New calls resetView(); model changes call onUpdate(hint) (hint 1000 also drops the outline
// being drawn). statusRefreshRequested() asks the frame to refresh its idle status text.
#pragma once

#include "gui/view/gl_renderer.h"
#include "view/check_overlay.h"
#include "view/view_controller.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>

class QOpenGLContext;
class QWindow;

namespace plicato {

class CardOpeningDialog;
class ViewSurface;

class CDave3vView : public QWidget {
    Q_OBJECT
public:
    explicit CDave3vView(QWidget* parent = nullptr);
    ~CDave3vView() override;

    void resetView();
    void onUpdate(int hint = 0);

    void onResetView();
    void onFitView();
    void onToggleOrthographic();
    bool isOrthographic() const;
    void onVerticalPlane();
    void onHorizontalPlane();
    bool isVerticalPlane() const;
    bool isHorizontalPlane() const;
    void onGridSmaller();
    void onGridLarger();
    bool canGridSmaller() const;
    bool canGridLarger() const;
    void onHideEditPlane();
    bool isEditPlaneHidden() const;
    void onCardOpening();
    void onViewpoint();
    void onEditMode(EditMode mode);
    bool isEditMode(EditMode mode) const;
    void onInputDisplay();
    void onPopupDisplay();
    bool isInputDisplay() const;
    void onMirrorEdit();
    bool isMirrorEdit() const;
    void onShowUnderlay();
    bool isUnderlayShown() const;
    void onAntiAlias();
    bool isAntiAlias() const;
    void onUndo();
    void onRedo();

    // The opening window, created hidden on first use with this view's window as parent.
    CardOpeningDialog* cardOpeningDialog();

    ViewController& controller() { return controller_; }
    // Redraws after a change of the camera alone (benchmarks, the viewpoint dialog): the kept
    // frame is drawn from the new viewpoint without being built again from the model.
    void redrawCamera();
    // Frames built from the model so far, and the renderer's uploads of their geometry (for
    // tests and measuring: camera moves must add to neither).
    long builtFrameCount() const { return builtFrames_; }
    long geometryUploadCount() const { return renderer_.uploadCount(); }
    // How many times a face drag's still layer was drawn (for tests: once a drag).
    long stillLayerDrawCount() const { return renderer_.stillDrawCount(); }
    // Frames drawn so far (for measuring).
    long frameCount() const { return frames_; }

    // The view draws in a GL window of its own (see ViewSurface). These stand for the GL
    // widget calls of the same names: a redraw, the context, and the frame as an image (drawn
    // afresh off screen, so it shows the current state whatever the window last showed).
    void update();
    void makeCurrent();
    void doneCurrent();
    QOpenGLContext* context() const;
    QImage grabFramebuffer();
    // The window the frames are shown in, where a user's pointer and keys arrive.
    QWindow* drawingWindow() const;

    // The design check shown while the display state asks for it: re-run before a frame when
    // the pieces changed, then designChecked() is emitted.
    const CheckResult* designCheck() const { return controller_.extras.check; }
    void setCheckOptions(const CheckOptions& options);
    // Runs the check again before the next frame, whether or not the pieces changed.
    void rerunDesignCheck();
    // Draws the piece chosen in the findings list selected (-1: none).
    void setCheckPiece(long piece);
    long checkPiece() const { return controller_.extras.checkPiece; }

signals:
    void statusRefreshRequested();
    void designChecked();
    // A frame drawn by the window has been shown.
    void frameSwapped();

protected:
    friend class ViewSurface;
    void initializeGL();
    void resizeGL(int w, int h);
    void paintGL();
    // Draws the frame the window shows when the widget itself is painted: that is how a grab
    // of the main window gets the view's picture.
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void respond(const ViewResponse& r);
    // What the kept frame was built from, besides the camera, as far as it is cheap to tell:
    // the frame is built again when any of it differs, whatever asked for the redraw.
    struct SceneInputs {
        const CardModel* model = nullptr;
        std::size_t userFaces = 0, builtFaces = 0, selected = 0, drawPoints = 0;
        DisplayState display;
        int activeHandle = 0;
        // The sheet, the edit plane and the underlays: scalars and pictures by address and
        // version (a picture replaced or deleted must never be drawn from the kept frame).
        std::array<double, 14> numbers{};
        std::array<const Picture*, 2> pictures{};
        std::array<std::uint64_t, 2> pictureVersions{};
        const CheckResult* check = nullptr; // the check shown, and how many times it ran
        int checkRuns = 0;
        long checkPiece = -1;
        bool operator==(const SceneInputs& o) const;
    };
    SceneInputs sceneInputs() const;
    void refreshDesignCheck();
    // A gizmo drag in the face-operation mode: only the selected faces change from frame to frame.
    bool faceDragActive() const;
    // Draws a drag frame: the still layer from the kept one when nothing but the selection changed.
    void paintFaceDrag(const SceneInputs& inputs, int width, int height);

    ViewController controller_;
    GlRenderer renderer_;
    ViewSurface* surface_ = nullptr;
    QWidget* container_ = nullptr;
    CardOpeningDialog* openingDialog_ = nullptr;
    long frames_ = 0;
    DesignCheckRunner checkRunner_;
    CheckOptions checkOptions_;
    long builtFrames_ = 0;
    // The frame drawn last and what it was built from. It is drawn again as it stands only when
    // every redraw asked for since was a camera move (cameraOnly_) and the inputs still agree.
    Scene scene_;
    SceneInputs sceneInputs_;
    std::uint64_t sceneVersion_ = 0;
    bool cameraOnly_ = false;
    bool fullPending_ = true;
    // Model changes other than a drag's moves (commands, keys); a kept still layer must not
    // outlive one.
    long modelEdits_ = 0;
    // The still layer of the face drag in progress and what it was built from.
    Scene still_;
    SceneInputs stillInputs_;
    unsigned long stillDrag_ = 0;
    long stillEdits_ = -1;
};

} // namespace plicato
