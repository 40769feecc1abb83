// The outline set of one face: owned loops, outer boundaries and holes in any order.
#pragma once

#include "model/loop.h"

#include <memory>
#include <vector>

namespace plicato {

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
    // Replaces every loop by the contours of `clip` (hole flag non-zero means hole).
    void assignFromClipPolygon(const ClipPolygon& clip);

    std::vector<std::unique_ptr<Loop>> loops;
};

} // namespace plicato
