// Camera moves and the frame's matrices.
#include "view/camera.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plicato {

void Camera::reset() {
    rotX = 30.0;
    rotY = 0.0;
    rotStep = 0.3;
    zoomStep = 0.1;
    panStep = 0.001;
    scale = 1.0;
    panX = 0.0;
    panY = 0.0;
    axisSnapped = false;
}

bool Camera::usesOrthographic(const DisplayState& state) const {
    return state.orthographic || (state.autoAxisSnap && axisSnapped) ||
           state.inMode(EditMode::UnderlayFront) || state.inMode(EditMode::UnderlayTop);
}

void Camera::applyModeAngles(const DisplayState& state) {
    if (state.inMode(EditMode::UnderlayFront)) {
        rotX = 0.0;
        rotY = 0.0;
    } else if (state.inMode(EditMode::UnderlayTop)) {
        rotX = 90.0;
        rotY = 0.0;
    }
}

double Camera::modelScaleFactor(const DisplayState& state, int cardWidth) const {
    // An empty model has no width; keep the matrices finite rather than dividing by zero.
    const double w = cardWidth > 0 ? double(cardWidth) : 1.0;
    if (usesOrthographic(state))
        return viewWidth * 0.5 * scale / w;
    return scale / w;
}

ProjectionCache Camera::projectionFor(const DisplayState& state, int cardWidth) const {
    ProjectionCache cache;
    const int w = std::max(viewWidth, 1), h = std::max(viewHeight, 1);
    cache.viewport = {0, 0, w, h};
    const Matrix4 pan = Matrix4::translation(panX, panY, 0.0);
    Matrix4 view;
    if (usesOrthographic(state)) {
        const double hw = integerHalf(w), hh = integerHalf(h);
        cache.projection = pan * Matrix4::orthographic(-hw, hw, -hh, hh, 1.0, 10000.0);
        view = Matrix4::translation(0.0, 0.0, -5000.0);
    } else {
        cache.projection = pan * Matrix4::perspective(30.0, double(w) / double(h), 1.0, 50.0);
        view = Matrix4::translation(0.0, 0.0, -3.0);
    }
    const double s = modelScaleFactor(state, cardWidth);
    // Model y (depth) is drawn along the drawing z axis and model z (height) along drawing y.
    Matrix4 exchange;
    exchange.at(0, 0) = 1.0;
    exchange.at(1, 2) = 1.0;
    exchange.at(2, 1) = 1.0;
    exchange.at(3, 3) = 1.0;
    cache.modelview = view * Matrix4::rotation(rotX, 1, 0, 0) * Matrix4::rotation(rotY, 0, 1, 0) *
                      Matrix4::scaling(s, s, s) * exchange;
    return cache;
}

void Camera::pan(int dx, int dy) {
    panX += dx * panStep;
    panY -= dy * panStep;
}

void Camera::zoom(int dx, int dy) {
    scale += (dx - dy) * zoomStep;
    if (scale < 0.1)
        scale = 0.1;
}

void Camera::rotate(int dx, int dy) {
    rotY += dx * rotStep;
    rotX += dy * rotStep;
    rotX = std::clamp(rotX, -180.0, 180.0);
    rotY = std::clamp(rotY, -180.0, 180.0);
}

void Camera::wheel(int delta) {
    scale += std::int16_t(delta) * 0.002;
    if (scale < 0.1)
        scale = 0.1;
}

bool Camera::snapToAxis() {
    bool snapped = false;
    if (std::fabs(rotX) < 5.0) {
        bool hit = true;
        double target = 0.0;
        if (std::fabs(rotY) < 5.0)
            target = 0.0;
        else if (std::fabs(rotY - 90.0) < 5.0)
            target = 90.0;
        else if (std::fabs(rotY + 90.0) < 5.0)
            target = -90.0;
        else
            hit = false;
        if (hit) {
            rotX = 0.0;
            rotY = target;
            axisSnapped = snapped = true;
        }
    }
    if (std::fabs(rotX - 90.0) < 5.0) {
        bool hit = true;
        double target = 0.0;
        if (std::fabs(rotY) < 5.0)
            target = 0.0;
        else if (std::fabs(rotY - 90.0) < 5.0)
            target = 90.0;
        else if (std::fabs(rotY + 90.0) < 5.0)
            target = -90.0;
        else if (std::fabs(rotY + 180.0) < 5.0)
            target = -180.0;
        else if (std::fabs(rotY - 180.0) < 5.0)
            target = 180.0;
        else
            hit = false;
        if (hit) {
            rotX = 90.0;
            rotY = target;
            axisSnapped = snapped = true;
        }
    }
    return snapped;
}

} // namespace plicato
