// Loop and polygon conversions to and from the polygon engine's form.
#include "model/polygon.h"

#include <cassert>

namespace plicato {

namespace {
void fillContour(ClipContour& contour, const std::vector<Point2>& points) {
    allocateClipVertices(contour, static_cast<int>(points.size()));
    for (int i = 0; i < contour.vertexCount; ++i)
        contour.vertices[i] = {points[i].x, points[i].y};
}
} // namespace

void Loop::toClipPolygon(ClipPolygon& out) const {
    freeClipPolygon(out);
    allocateClipContours(out, 1);
    out.holeFlags[0] = isHole ? 1 : 0;
    fillContour(out.contours[0], points);
}

Polygon& Polygon::operator=(const Polygon& other) {
    if (this == &other)
        return *this;
    // The loops already here take the new points into the room they have: a rebuild assigns
    // one outline after another to the same face, mostly of the same shape.
    const std::size_t n = other.loops.size();
    if (loops.size() > n)
        loops.resize(n);
    for (std::size_t i = 0; i < loops.size(); ++i)
        *loops[i] = *other.loops[i];
    loops.reserve(n);
    for (std::size_t i = loops.size(); i < n; ++i)
        loops.push_back(std::make_unique<Loop>(*other.loops[i]));
    return *this;
}

void Polygon::toClipPolygon(ClipPolygon& out) const {
    freeClipPolygon(out);
    allocateClipContours(out, static_cast<int>(loops.size()));
    for (int i = 0; i < out.contourCount; ++i) {
        out.holeFlags[i] = loops[i]->isHole ? 1 : 0;
        fillContour(out.contours[i], loops[i]->points);
    }
}

void Polygon::assignFromClipPolygon(const ClipPolygon& clip) {
    clear();
    for (int i = 0; i < clip.contourCount; ++i) {
        auto loop = std::make_unique<Loop>();
        loop->isHole = clip.holeFlags[i] != 0;
        const ClipContour& c = clip.contours[i];
        loop->points.reserve(c.vertexCount > 0 ? c.vertexCount : 0);
        for (int k = 0; k < c.vertexCount; ++k)
            loop->points.push_back({c.vertices[k].x, c.vertices[k].y});
        loops.push_back(std::move(loop));
    }
}

} // namespace plicato
