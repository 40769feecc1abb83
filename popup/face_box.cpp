#include "popup/face_box.h"

#include "model/geometry.h"

#include <cmath>

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
    for (const auto& loop : p.loops) {
        const double a = std::fabs(signedArea(loop->points));
        area += loop->isHole ? -a : a;
    }
    return area;
}

int outerLoopCount(const Polygon& p) {
    int n = 0;
    for (const auto& loop : p.loops)
        n += loop->isHole ? 0 : 1;
    return n;
}

} // namespace plicato
