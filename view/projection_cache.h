// The matrices and viewport of the last frame, and the mappings between model space and window
// positions that the mouse protocols use; no graphics context is needed to evaluate them.
#pragma once

#include "model/geometry.h"
#include "view/matrix4.h"

#include <array>

namespace plicato {

struct WindowPoint {
    double x = 0.0;     // pixels from the left
    double y = 0.0;     // pixels from the top, like mouse positions
    double depth = 0.0; // clip-space z before division; smaller is nearer
};

struct ProjectionCache {
    Matrix4 modelview = Matrix4::identity();
    Matrix4 projection = Matrix4::identity();
    std::array<int, 4> viewport{0, 0, 1, 1}; // x, y, width, height

    WindowPoint project(const Point3& p) const;
    // Two model points on the line of sight through the window point (y measured from the
    // bottom): on the far plane (first) and on the near plane (second). Both are NaN when the
    // matrices are singular, which every caller's bounds test rejects.
    std::array<Point3, 2> unprojectRay(double wx, double wyFromBottom) const;
    // Window distance between a projected model point and a mouse position.
    double windowDistance(const Point3& p, double x, double y) const;
};

} // namespace plicato
