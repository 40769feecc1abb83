#include "popup/face_box.h"

namespace plicato {

Box boxOf(const Polygon& p) {
    Box b;
    for (const auto& loop : p.loops)
        for (const Point2& q : loop->points)
            b.take(q);
    return b;
}

int outerLoopCount(const Polygon& p) {
    int n = 0;
    for (const auto& loop : p.loops)
        n += loop->isHole ? 0 : 1;
    return n;
}

} // namespace plicato
