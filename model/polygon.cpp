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

void Polygon::toClipRoom(ClipRoom& room) const {
    std::size_t total = 0;
    for (const auto& loop : loops)
        total += loop->points.size();
    room.vertices.resize(total);
    room.contours.resize(loops.size());
    room.holeFlags.resize(loops.size());
    ClipVertex* next = room.vertices.data();
    for (std::size_t i = 0; i < loops.size(); ++i) {
        const std::vector<Point2>& points = loops[i]->points;
        room.holeFlags[i] = loops[i]->isHole ? 1 : 0;
        room.contours[i] = {static_cast<int>(points.size()), points.empty() ? nullptr : next};
        for (const Point2& p : points)
            *next++ = {p.x, p.y};
    }
    room.view = {static_cast<int>(loops.size()), room.holeFlags.data(), room.contours.data()};
}

void Polygon::assignFromClipPolygon(const ClipPolygon& clip) {
    // As in operator=, the loops already here take the new contours into the room they have:
    // a rebuild replaces a face's outline by its clipped self, mostly of much the same shape.
    const std::size_t n = clip.contourCount > 0 ? static_cast<std::size_t>(clip.contourCount) : 0;
    if (loops.size() > n)
        loops.resize(n);
    loops.reserve(n);
    while (loops.size() < n)
        loops.push_back(std::make_unique<Loop>());
    for (std::size_t i = 0; i < n; ++i) {
        Loop& loop = *loops[i];
        loop.isHole = clip.holeFlags[i] != 0;
        loop.rememberedPoints.clear();
        const ClipContour& c = clip.contours[i];
        loop.points.resize(c.vertexCount > 0 ? static_cast<std::size_t>(c.vertexCount) : 0);
        for (std::size_t k = 0; k < loop.points.size(); ++k)
            loop.points[k] = {c.vertices[k].x, c.vertices[k].y};
    }
}

} // namespace plicato
