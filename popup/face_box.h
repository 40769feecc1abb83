// The box round a face's outline, its area and the count of its outer loops: what the builder
// and the clean-up know of a face before they look at its outline closely.
#pragma once

#include "model/polygon.h"

#include <algorithm>
#include <limits>

namespace plicato {

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return !(minX <= maxX); }
    // Grows the box to hold q.
    void take(const Point2& q) {
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    // Touching boxes meet: a face that only touches another may still share an edge with it.
    bool meets(const Box& o) const {
        return !empty() && !o.empty() && minX <= o.maxX && o.minX <= maxX && minY <= o.maxY &&
               o.minY <= maxY;
    }
};

// The box of every point of p's loops, or of one loop (empty without points).
Box boxOf(const Polygon& p);
Box boxOf(const Loop& loop);

// The area of the outer loops less that of the holes, whatever way each loop runs.
double regionArea(const Polygon& p);

// boxOf(p) and regionArea(p) in one pass over the points, with the same values.
Box boxAndArea(const Polygon& p, double& area);

int outerLoopCount(const Polygon& p);

} // namespace plicato
