// The outline set of one face: owned loops, outer boundaries and holes in any order.
#pragma once

#include "model/loop.h"

#include <memory>
#include <vector>

namespace plicato {

// Room for a polygon in the engine's form that is used again and again: `view` points into the
// vectors, and holds until the next fill.
struct ClipRoom {
    std::vector<ClipVertex> vertices;
    std::vector<ClipContour> contours;
    std::vector<int> holeFlags;
    ClipPolygon view;
};

class Polygon {
public:
    Polygon() = default;
    Polygon(const Polygon& other) { *this = other; }
    Polygon& operator=(const Polygon& other);
    Polygon(Polygon&&) noexcept = default;
    Polygon& operator=(Polygon&&) noexcept = default;
    virtual ~Polygon() = default;

    void clear() { loops.clear(); }
    void addLoop(std::unique_ptr<Loop> loop) { loops.push_back(std::move(loop)); }
    // One contour per loop, in order; the caller frees the result with freeClipPolygon.
    void toClipPolygon(ClipPolygon& out) const;
    // The same contours in `room`, without allocating once the room is large enough.
    void toClipRoom(ClipRoom& room) const;
    // Replaces every loop by the contours of `clip` (hole flag non-zero means hole).
    void assignFromClipPolygon(const ClipPolygon& clip);

    std::vector<std::unique_ptr<Loop>> loops;
};

} // namespace plicato
