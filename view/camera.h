// The view's camera: rotation, zoom and pan with their reset values, axis snapping, and the
// projection and modelview matrices for both projections.
#pragma once

#include "view/display_state.h"
#include "view/projection_cache.h"

namespace plicato {

struct Camera {
    int viewWidth = 1; // client size in pixels
    int viewHeight = 1;
    double rotX = 30.0; // degrees about the screen's horizontal axis
    double rotY = 0.0;  // degrees about the vertical axis
    double rotStep = 0.3;
    double zoomStep = 0.1;
    double panStep = 0.001;
    double scale = 1.0;
    double panX = 0.0; // normalised device units
    double panY = 0.0;
    bool axisSnapped = false;

    void reset();
    // The orthographic projection is forced by the user's switch, by a snapped axis view and by
    // the two underlay modes.
    bool usesOrthographic(const DisplayState& state) const;
    // The underlay modes look straight at their card half; the angles stay after the mode ends.
    void applyModeAngles(const DisplayState& state);
    // Matrices and viewport of a frame for a card `cardWidth` mm wide.
    ProjectionCache projectionFor(const DisplayState& state, int cardWidth) const;
    // Model units per drawing unit in the current projection (the uniform modelview scale).
    double modelScaleFactor(const DisplayState& state, int cardWidth) const;

    void pan(int dx, int dy);
    void zoom(int dx, int dy);
    void rotate(int dx, int dy);
    // Wheel delta as the signed 16-bit count of the platform, 120 a notch.
    void wheel(int delta);
    // Snaps near-axis views at the end of a right drag; true when it snapped.
    bool snapToAxis();
};

} // namespace plicato
