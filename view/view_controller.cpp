// Event dispatch of the view: camera moves, handle drags, the editing modes' mouse protocols,
// keys, and the mode and view commands.
#include "view/view_controller.h"

#include "editing/selection.h"
#include "editing/undo_history.h"
#include "popup/built_faces.h"
#include "view/edit_plane.h"
#include "view/outline_input.h"
#include "view/view_fit.h"

#include <algorithm>
#include <cmath>

namespace plicato {

namespace {

constexpr double clickDistance = 9.0;
constexpr double rightClickDistance = 5.0;

bool inputMode(const DisplayState& state) {
    return state.inMode(EditMode::PolygonFace) || state.inMode(EditMode::Rectangle3) ||
           state.inMode(EditMode::CutOut) || state.inMode(EditMode::UnderlayFront) ||
           state.inMode(EditMode::UnderlayTop);
}

} // namespace

ViewController::ViewController() {
    displayState();
    modelGeneration = currentModelGeneration();
}

void ViewController::followModel() {
    if (modelGeneration != currentModelGeneration()) {
        modelGeneration = currentModelGeneration();
        forgetPicks();
    }
}

void ViewController::forgetPicks() {
    outlineEditor.reset();
    subdivider.reset();
    gizmo.reset();
    rubberBand = false;
    extras.markedVertex.reset();
    extras.subdivideFace = nullptr;
}

ViewResponse ViewController::resetView() {
    camera.reset();
    const CardModel* model = currentModel();
    if (model && !cardInView(camera, displayState(), model->cardWidth, model->cardHeight))
        fitCardInView(camera, displayState(), model->cardWidth, model->cardHeight);
    return {true, false, false};
}

ViewResponse ViewController::fitView() {
    if (const CardModel* model = currentModel())
        fitCardInView(camera, displayState(), model->cardWidth, model->cardHeight);
    return {true, false, false};
}

void ViewController::resize(int width, int height) {
    camera.viewWidth = width;
    camera.viewHeight = height;
}

const ProjectionCache& ViewController::refreshProjection() {
    DisplayState& state = displayState();
    camera.applyModeAngles(state);
    const CardModel* model = currentModel();
    projection = camera.projectionFor(state, model ? model->cardWidth : 0);
    return projection;
}

Point3 ViewController::pointOnEditPlane(int x, int y) {
    refreshProjection();
    const CardModel* model = currentModel();
    if (!model)
        return {NAN, NAN, NAN};
    return plicato::pointOnEditPlane(*model, projection, x, y, camera.viewHeight);
}

Scene ViewController::buildFrame(const ColorTable& colors, SceneLayer layer) {
    followModel();
    extras.layer = layer;
    DisplayState& state = displayState();
    camera.applyModeAngles(state);
    extras.activeHandle = activeHandle;
    extras.markedVertex.reset();
    extras.subdivideFace = nullptr;
    if (const CardModel* model = currentModel()) {
        if (state.inMode(EditMode::OutlineEdit)) {
            extras.markedVertex = outlineEditor.marked(*model);
        } else if (state.inMode(EditMode::Subdivide)) {
            extras.markedVertex = subdivider.marked(*model);
            extras.subdivideFace = subdivider.face(*model);
        }
    }
    Scene scene = buildScene(currentModel(), state, camera, colors, extras);
    extras.layer = SceneLayer::Whole;
    if (scene.hasModel)
        projection = scene.projection;
    return scene;
}

bool ViewController::cameraFrame(Scene& scene) {
    if (!scene.hasModel)
        return false;
    for (const DrawItem& item : scene.items)
        if (item.role == SceneRole::Gizmo)
            return false;
    const ProjectionCache& now = refreshProjection();
    scene.projection = now;
    return true;
}

ViewResponse ViewController::leftButtonDown(int x, int y, int modifiers) {
    followModel();
    pressX = x;
    pressY = y;
    lastX = x;
    lastY = y;
    ViewResponse r;
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    if (!model)
        return r;
    if (state.inMode(EditMode::FaceOperation))
        return faceOperationPress(*model, x, y);
    if (state.inMode(EditMode::OutlineEdit)) {
        refreshProjection();
        r.redraw =
            outlineEditor.press(*model, projection, x, y, (modifiers & ControlModifier) != 0);
        r.modelChanged = r.redraw;
        return r;
    }
    if (underlayOfMode(*model, state)) {
        refreshProjection();
        if (underlay.press(*model, state, projection, x, y)) {
            r.redraw = true;
            return r;
        }
    }
    if (handlesActive(state)) {
        refreshProjection();
        activeHandle = pickHandle(*model, state, projection, x, y);
        r.redraw = activeHandle != NoHandle;
    }
    return r;
}

ViewResponse ViewController::faceOperationPress(CardModel& model, int x, int y) {
    ViewResponse r;
    refreshProjection();
    const double arm = gizmoArmLength(model, camera.scale);
    // Without a selection no gizmo is drawn, so a press there opens a rubber band instead.
    const int axis = model.selectedFaces.empty() ? 0 : pickGizmoAxis(model, projection, arm, x, y);
    if (axis != 0) {
        gizmo.start(model, axis, arm);
        ++gizmoDrags;
        return r;
    }
    rubberBand = true;
    return r;
}

ViewResponse ViewController::leftButtonUp(int x, int y, int modifiers) {
    followModel();
    ViewResponse r;
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    const bool shift = modifiers & ShiftModifier;
    if (model && state.inMode(EditMode::Subdivide)) {
        refreshProjection();
        r.redraw = subdivider.release(*model, projection, x, y);
        r.modelChanged = r.redraw && !subdivider.hasFirst(*model);
        return r;
    }
    if (state.inMode(EditMode::OutlineEdit)) {
        if (model && outlineEditor.dragging(*model)) {
            r.redraw = outlineEditor.release(*model, pointOnEditPlane(x, y));
            r.modelChanged = r.redraw;
        }
        return r;
    }
    if (rubberBand) {
        rubberBand = false;
        r.rubberBand = true;
        if (model) {
            refreshProjection();
            selectByRectangle(*model, projection, pressX, pressY, x, y, shift);
        }
        r.redraw = true;
    }
    if (underlay.release()) {
        r.redraw = true;
        return r;
    }
    if (activeHandle != NoHandle) {
        activeHandle = NoHandle;
        r.redraw = true;
        return r;
    }
    if (!model)
        return r;
    if (state.inMode(EditMode::FaceOperation) && gizmo.axis() != 0) {
        r.modelChanged = gizmo.moved();
        gizmo.finish(*model);
        r.redraw = true;
        return r;
    }
    if (std::hypot(double(x - pressX), double(y - pressY)) > clickDistance)
        return r;
    if (state.inMode(EditMode::FaceOperation)) {
        refreshProjection();
        clickFace(*model, pickFace(*model, projection, x, y), shift);
        r.redraw = true;
        return r;
    }
    if (!state.showEditPlane || !inputMode(state))
        return r;
    const OutlineStep step =
        addOutlinePoint(*model, state, pointOnEditPlane(x, y), (modifiers & ControlModifier) != 0);
    r.redraw = r.redraw || step.redraw;
    r.beep = step.beep;
    r.modelChanged = step.closed;
    return r;
}

ViewResponse ViewController::rightButtonDown(int x, int y) {
    pressX = lastX = x;
    pressY = lastY = y;
    camera.axisSnapped = false;
    return {};
}

ViewResponse ViewController::middleButtonDown(int x, int y) {
    pressX = lastX = x;
    pressY = lastY = y;
    return {};
}

ViewResponse ViewController::rightButtonUp(int x, int y) {
    ViewResponse r;
    if (displayState().autoAxisSnap)
        camera.snapToAxis();
    r.rightClick = std::hypot(double(x - pressX), double(y - pressY)) <= rightClickDistance;
    r.redraw = true;
    if (r.rightClick)
        rightClickAction();
    return r;
}

ViewResponse ViewController::rightClickAction() {
    followModel();
    ViewResponse r;
    CardModel* model = currentModel();
    if (!model)
        return r;
    if (displayState().inMode(EditMode::Subdivide) && subdivider.hasFirst(*model)) {
        r.redraw = subdivider.rightClick();
        return r;
    }
    r.redraw = removeLastOutlinePoint(*model);
    return r;
}

ViewResponse ViewController::mouseMove(int x, int y, int buttons, int modifiers) {
    followModel();
    ViewResponse r;
    // In the underlay modes the cursor follows the handles, and a grabbed picture takes the drag.
    if (CardModel* model = currentModel(); model && underlayOfMode(*model, displayState())) {
        refreshProjection();
        const auto moved = underlay.move(*model, displayState(), projection, x, y,
                                         modifiers & ControlModifier, underlayFlags());
        r.cursor = moved.cursor;
        if (underlay.handle != 0) {
            r.redraw = moved.dragged;
            lastX = x;
            lastY = y;
            return r;
        }
    }
    if (buttons & RightButton)
        camera.axisSnapped = false;
    CardModel* current = currentModel();
    if (current && outlineEditor.dragging(*current)) {
        outlineEditor.move(*current, pointOnEditPlane(x, y));
        r.redraw = true;
        return r;
    }
    if (rubberBand) {
        lastX = x;
        lastY = y;
        r.rubberBand = true;
        return r;
    }
    if (activeHandle != NoHandle) {
        if (CardModel* model = currentModel()) {
            refreshProjection();
            dragHandle(*model, projection, activeHandle, x, y);
        }
        r.redraw = true;
        return r;
    }
    const int dx = x - lastX, dy = y - lastY;
    const bool right = buttons & RightButton, left = buttons & LeftButton;
    const bool middle = buttons & MiddleButton;
    const bool ctrl = modifiers & ControlModifier, shift = modifiers & ShiftModifier;
    if (current && left && gizmo.axis() != 0 && displayState().inMode(EditMode::FaceOperation)) {
        refreshProjection();
        gizmo.drag(*current, projection, pressX, pressY, x, y);
    } else if (middle || (right && ctrl)) {
        camera.pan(dx, dy);
        r.cameraOnly = true;
    } else if (shift && (right || left)) {
        camera.zoom(dx, dy);
        r.cameraOnly = true;
    } else if (right) {
        camera.rotate(dx, dy);
        r.cameraOnly = true;
    } else {
        lastX = x;
        lastY = y;
        return r;
    }
    r.redraw = true;
    lastX = x;
    lastY = y;
    return r;
}

ViewResponse ViewController::wheel(int delta) {
    camera.wheel(delta);
    ViewResponse r;
    r.redraw = true;
    r.cameraOnly = true;
    return r;
}

ViewResponse ViewController::key(ViewKey key, int modifiers) {
    followModel();
    ViewResponse r;
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    if (!model)
        return r;
    if (state.inMode(EditMode::FaceOperation))
        return faceOperationKey(*model, key);
    // Outside the face-operation mode every key redraws.
    r.redraw = true;
    switch (key) {
    case ViewKey::Escape:
        model->drawPoints.clear();
        return r;
    case ViewKey::Space:
        if (modifiers & ControlModifier)
            return cycleEditMode();
        return togglePlane();
    case ViewKey::Up:
        moveEditPlaneUp(*model);
        return r;
    case ViewKey::Down:
        moveEditPlaneDown(*model);
        return r;
    case ViewKey::Left:
        moveMirrorLeft(*model, state);
        return r;
    case ViewKey::Right:
        moveMirrorRight(*model, state);
        return r;
    default:
        return r;
    }
}

ViewResponse ViewController::faceOperationKey(CardModel& model, ViewKey key) {
    ViewResponse r;
    FaceKey k{};
    switch (key) {
    case ViewKey::Left:
        k = FaceKey::Left;
        break;
    case ViewKey::Right:
        k = FaceKey::Right;
        break;
    case ViewKey::Up:
        k = FaceKey::Up;
        break;
    case ViewKey::Down:
        k = FaceKey::Down;
        break;
    case ViewKey::PageUp:
        k = FaceKey::PageUp;
        break;
    case ViewKey::PageDown:
        k = FaceKey::PageDown;
        break;
    case ViewKey::Delete:
        k = FaceKey::Delete;
        break;
    default:
        return r; // other keys are ignored without a redraw
    }
    const bool any = !model.selectedFaces.empty();
    plicato::faceOperationKey(model, k);
    r.redraw = true;
    r.modelChanged = any;
    return r;
}

ViewResponse ViewController::togglePlane() {
    if (CardModel* model = currentModel())
        plicato::togglePlane(*model);
    return {true, false, false};
}

ViewResponse ViewController::gridSmaller() {
    if (CardModel* model = currentModel())
        makeGridSmaller(*model);
    return {true, true, false};
}

ViewResponse ViewController::gridLarger() {
    CardModel* model = currentModel();
    if (model && makeGridLarger(*model))
        return {true, true, false};
    return {};
}

ViewResponse ViewController::toggleEditPlaneShown() {
    plicato::toggleEditPlaneShown(displayState(), currentModel());
    return {true, false, false};
}

ViewResponse ViewController::toggleOrthographic() {
    DisplayState& state = displayState();
    state.orthographic = !state.orthographic;
    return {true, false, false};
}

ViewResponse ViewController::chooseMode(EditMode mode) {
    followModel();
    DisplayState& state = displayState();
    CardModel* model = currentModel();
    ViewResponse r{true, false, false};
    state.editMode = int(mode);
    switch (mode) {
    case EditMode::Rectangle3:
        if (model)
            model->drawPoints.clear();
        [[fallthrough]];
    case EditMode::PolygonFace:
    case EditMode::CutOut:
    case EditMode::UnderlayFront:
    case EditMode::UnderlayTop:
        if (model)
            clearSelection(*model);
        break;
    case EditMode::Subdivide:
        forgetPicks();
        if (model)
            model->drawPoints.clear();
        [[fallthrough]];
    case EditMode::FaceOperation:
    case EditMode::OutlineEdit:
        state.openAngle = 90;
        state.inputDisplay = true;
        r.hideOpeningDialog = true;
        break;
    }
    return r;
}

ViewResponse ViewController::chooseInputDisplay() {
    DisplayState& state = displayState();
    state.inputDisplay = true;
    state.openAngle = 90;
    ViewResponse r{true, false, false};
    r.hideOpeningDialog = true;
    return r;
}

ViewResponse ViewController::choosePopupDisplay() {
    followModel();
    DisplayState& state = displayState();
    CardModel* model = currentModel();
    if (state.inMode(EditMode::FaceOperation) || state.inMode(EditMode::OutlineEdit))
        state.editMode = int(EditMode::PolygonFace);
    // Faces moved in the face-operation mode wait for this rebuild.
    if (state.inputDisplay && model)
        rebuildBuiltFaces(*model);
    state.inputDisplay = false;
    if (model)
        clearSelection(*model);
    return {true, false, false};
}

ViewResponse ViewController::toggleMirrorEdit() {
    DisplayState& state = displayState();
    state.mirrorEdit = !state.mirrorEdit;
    return {true, false, false};
}

ViewResponse ViewController::toggleShowUnderlay() {
    DisplayState& state = displayState();
    state.showUnderlay = !state.showUnderlay;
    return {true, false, false};
}

ViewResponse ViewController::toggleAntiAlias() {
    DisplayState& state = displayState();
    state.antiAlias = !state.antiAlias;
    return {true, false, false};
}

ViewResponse ViewController::cycleEditMode() {
    DisplayState& state = displayState();
    state.editMode =
        int(state.inMode(EditMode::PolygonFace) ? EditMode::CutOut : EditMode::PolygonFace);
    return {true, false, false};
}

ViewResponse ViewController::undo() {
    followModel();
    ViewResponse r;
    if (CardModel* model = currentModel(); model && !model->undoHistory.empty()) {
        forgetPicks();
        plicato::undo(*model);
        r.redraw = r.modelChanged = true;
    }
    return r;
}

ViewResponse ViewController::redo() {
    followModel();
    ViewResponse r;
    if (CardModel* model = currentModel(); model && canRedo(*model)) {
        forgetPicks();
        plicato::redo(*model);
        r.redraw = r.modelChanged = true;
    }
    return r;
}

std::optional<WindowRect> ViewController::rubberBandRect() const {
    if (!rubberBand)
        return std::nullopt;
    const int w = std::abs(lastX - pressX), h = std::abs(lastY - pressY);
    if (w < 2 || h < 2)
        return std::nullopt;
    return WindowRect{std::min(pressX, lastX), std::min(pressY, lastY), w, h};
}

} // namespace plicato
