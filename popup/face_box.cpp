#include "popup/face_box.h"

#include <cmath>
#include <cstddef>

namespace plicato {

Box boxOf(const Polygon& p) {
    Box b;
    for (const auto& loop : p.loops)
        for (const Point2& q : loop->points)
            b.take(q);
    return b;
}

Box boxOf(const Loop& loop) {
    Box b;
    for (const Point2& q : loop.points)
        b.take(q);
    return b;
}

double regionArea(const Polygon& p) {
    double area = 0.0;
    boxAndArea(p, area);
    return area;
}

Box boxAndArea(const Polygon& p, double& area) {
    Box b;
    area = 0.0;
    for (const auto& loop : p.loops) {
        // The sum as signedArea takes it, term by term in the same order: the same bits as
        // the loops' signed areas give.
        const auto& pts = loop->points;
        double twice = 0.0;
        for (std::size_t i = 0, n = pts.size(); i < n; ++i) {
            const Point2& a = pts[i];
            const Point2& c = pts[i + 1 == n ? 0 : i + 1];
            b.take(a);
            twice += a.x * c.y - c.x * a.y;
        }
        const double a = std::fabs(twice / 2.0);
        area += loop->isHole ? -a : a;
    }
    return b;
}

int outerLoopCount(const Polygon& p) {
    int n = 0;
    for (const auto& loop : p.loops)
        n += loop->isHole ? 0 : 1;
    return n;
}

} // namespace plicato
