// Area measures for tests: the region of a Polygon (outer outlines minus holes), the sum of a
// triangle fill, and overlap/difference areas of two polygons through the polygon engine.
#pragma once

#include "model/face.h"
#include "model/polygon.h"
#include "polygon_clip/polygon_clip.h"

#include <cmath>
#include <vector>

namespace plicato::testing {

// Shoelace area: positive for counter-clockwise loops (y up), negative for clockwise ones.
inline double signedLoopArea(const std::vector<Point2>& pts) {
    double twice = 0.0;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2& a = pts[i];
        const Point2& b = pts[(i + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

// Outer outlines add their area, holes subtract theirs, whatever their orientation. Meant for
// polygons whose loops do not cross (every engine result).
inline double polygonArea(const Polygon& p) {
    double area = 0.0;
    for (const auto& loop : p.loops) {
        const double a = std::fabs(signedLoopArea(loop->points));
        area += loop->isHole ? -a : a;
    }
    return area;
}

inline double signedTriangleArea(const Triangle& t) {
    const Point2 &a = t.corners[0], &b = t.corners[1], &c = t.corners[2];
    return ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2.0;
}

inline double trianglesArea(const std::vector<Triangle>& tris) {
    double area = 0.0;
    for (const Triangle& t : tris)
        area += std::fabs(signedTriangleArea(t));
    return area;
}

// a op b through the engine, as a Polygon.
inline Polygon clipped(const Polygon& a, ClipOp op, const Polygon& b) {
    ClipPolygon ca, cb;
    a.toClipPolygon(ca);
    b.toClipPolygon(cb);
    ClipPolygon r = clipPolygons(op, ca, cb);
    Polygon out;
    out.assignFromClipPolygon(r);
    freeClipPolygon(ca);
    freeClipPolygon(cb);
    freeClipPolygon(r);
    return out;
}

inline double overlapArea(const Polygon& a, const Polygon& b) {
    return polygonArea(clipped(a, ClipOp::Intersection, b));
}

// Area of the symmetric difference: 0 when both describe the same region.
inline double xorArea(const Polygon& a, const Polygon& b) {
    return polygonArea(clipped(a, ClipOp::ExclusiveOr, b));
}

inline std::unique_ptr<Loop> makeLoop(std::vector<Point2> pts, bool hole = false) {
    auto loop = std::make_unique<Loop>();
    loop->points = std::move(pts);
    loop->isHole = hole;
    return loop;
}

// Axis-aligned rectangle outline, clockwise with y up.
inline std::vector<Point2> rectPoints(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
}

inline int outerLoops(const Polygon& p) {
    int n = 0;
    for (const auto& loop : p.loops)
        n += loop->isHole ? 0 : 1;
    return n;
}

} // namespace plicato::testing
