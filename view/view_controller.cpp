// Event dispatch of the view: camera moves, handle drags, keys and view commands.
#include "view/view_controller.h"

#include "view/edit_plane.h"
#include "view/view_fit.h"

#include <cmath>

namespace plicato {

ViewController::ViewController() {
    displayState();
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

Scene ViewController::buildFrame(const ColorTable& colors) {
    DisplayState& state = displayState();
    camera.applyModeAngles(state);
    extras.activeHandle = activeHandle;
    Scene scene = buildScene(currentModel(), state, camera, colors, extras);
    if (scene.hasModel)
        projection = scene.projection;
    return scene;
}

ViewResponse ViewController::leftButtonDown(int x, int y, int) {
    pressX = x;
    pressY = y;
    lastX = x;
    lastY = y;
    ViewResponse r;
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    if (model && underlayOfMode(*model, state)) {
        refreshProjection();
        if (underlay.press(*model, state, projection, x, y)) {
            r.redraw = true;
            return r;
        }
    }
    if (model && handlesActive(state)) {
        refreshProjection();
        activeHandle = pickHandle(*model, state, projection, x, y);
        r.redraw = activeHandle != NoHandle;
    }
    return r;
}

ViewResponse ViewController::leftButtonUp(int, int) {
    ViewResponse r;
    if (underlay.release()) {
        r.redraw = true;
        return r;
    }
    if (activeHandle != NoHandle) {
        activeHandle = NoHandle;
        r.redraw = true;
    }
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
    r.rightClick = std::hypot(double(x - pressX), double(y - pressY)) <= 5.0;
    r.redraw = true;
    return r;
}

ViewResponse ViewController::mouseMove(int x, int y, int buttons, int modifiers) {
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
    if (middle || (right && ctrl))
        camera.pan(dx, dy);
    else if (shift && (right || left))
        camera.zoom(dx, dy);
    else if (right)
        camera.rotate(dx, dy);
    else {
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
    return {true, false, false};
}

ViewResponse ViewController::key(ViewKey key, int modifiers) {
    (void)modifiers;
    ViewResponse r;
    CardModel* model = currentModel();
    const DisplayState& state = displayState();
    if (!model)
        return r;
    switch (key) {
    case ViewKey::Space:
        return togglePlane();
    case ViewKey::Up:
    case ViewKey::Down:
    case ViewKey::Left:
    case ViewKey::Right:
        // In the face-operation mode the arrows move the selected faces instead.
        if (state.inMode(EditMode::FaceOperation))
            return r;
        if (key == ViewKey::Up)
            moveEditPlaneUp(*model);
        else if (key == ViewKey::Down)
            moveEditPlaneDown(*model);
        else if (key == ViewKey::Left)
            moveMirrorLeft(*model, state);
        else
            moveMirrorRight(*model, state);
        r.redraw = true;
        return r;
    default:
        return r;
    }
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

} // namespace plicato
