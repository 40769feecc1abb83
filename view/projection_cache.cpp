// Projection to window positions and back, with the conventions of the fixed-function pipeline.
#include "view/projection_cache.h"

#include <cmath>
#include <limits>

namespace plicato {

WindowPoint ProjectionCache::project(const Point3& p) const {
    const auto eye = modelview.apply({p.x, p.y, p.z, 1.0});
    const auto clip = projection.apply(eye);
    const double vx = viewport[0], vy = viewport[1], vw = viewport[2], vh = viewport[3];
    WindowPoint w;
    w.x = (clip[0] / clip[3] + 1.0) * vw / 2.0 + vx;
    w.y = vh - ((clip[1] / clip[3] + 1.0) * vh / 2.0 + vy);
    w.depth = clip[2];
    return w;
}

std::array<Point3, 2> ProjectionCache::unprojectRay(double wx, double wyFromBottom) const {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::array<Point3, 2> out{Point3{nan, nan, nan}, Point3{nan, nan, nan}};
    Matrix4 inv;
    if (!(projection * modelview).inverse(inv))
        return out;
    const double nx = 2.0 * wx / viewport[2] - 1.0;
    const double ny = 2.0 * wyFromBottom / viewport[3] - 1.0;
    const double depths[2] = {1.0, 0.0};
    for (int i = 0; i < 2; ++i) {
        const auto v = inv.apply({nx, ny, depths[i], 1.0});
        out[i] = {v[0] / v[3], v[1] / v[3], v[2] / v[3]};
    }
    return out;
}

double ProjectionCache::windowDistance(const Point3& p, double x, double y) const {
    const WindowPoint w = project(p);
    return std::hypot(w.x - x, w.y - y);
}

} // namespace plicato
