// One closed outline of sheet points (the last point joins the first) and whether it is a hole.
#pragma once

#include "model/geometry.h"
#include "polygon_clip/clip_polygon.h"

#include <vector>

namespace plicato {

class Loop {
public:
    Loop() = default;
    // Copies the points and the hole flag; rememberedPoints starts empty in the copy.
    Loop(const Loop& other) : points(other.points), isHole(other.isHole) {}
    Loop& operator=(const Loop& other) {
        points = other.points;
        isHole = other.isHole;
        rememberedPoints.clear();
        return *this;
    }
    virtual ~Loop() = default;

    void addPoint(const Point2& p) { points.push_back(p); }
    // One contour holding the points in order; the caller frees it with freeClipPolygon.
    void toClipPolygon(ClipPolygon& out) const;

    std::vector<Point2> points;
    bool isHole = false;
    // Copy of points taken at the start of a drag in the face-operation mode; not persisted.
    std::vector<Point2> rememberedPoints;
};

} // namespace plicato
