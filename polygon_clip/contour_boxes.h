// Boxes of an operand's contours, and the window grown around them, for the tests that decide
// which contours and vertices an operation needs at all.
#pragma once

#include "polygon_clip/clip_polygon.h"

#include <memory_resource>
#include <vector>

namespace plicato {

struct ClipBox {
    double x0, y0, x1, y1;
};

// The boxes of each contour's runs of `span` consecutive vertices (the last run of a
// contour may be shorter), laid end to end: a pass over the vertices can step over a run whose
// box lies wholly beyond a side of a window without reading it.
struct ClipChunkBoxes {
    static constexpr int span = 16;
    explicit ClipChunkBoxes(std::pmr::memory_resource* arena) : boxes(arena), first(arena) {}
    std::pmr::vector<ClipBox> boxes;
    std::pmr::vector<int> first; // per contour: the index of its first run's box
};

// The box of each contour, and in `usable` whether the engine can use it (at least three
// vertices, all finite), in one pass; both vectors come from `usable`'s arena. `chunks`, when
// given, receives the boxes of the usable contours' runs from the same pass.
std::pmr::vector<ClipBox> clipContourBoxes(const ClipPolygon& p, std::pmr::vector<char>& usable,
                                           ClipChunkBoxes* chunks = nullptr);

// Whether the boxes overlap (touching counts).
inline bool boxesOverlap(const ClipBox& a, const ClipBox& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}
// The box around every contour marked in `use`; false when none is.
bool unionOfBoxes(const std::pmr::vector<ClipBox>& boxes, const std::pmr::vector<char>& use,
                  ClipBox& out);

// The box grown by a margin well beyond the sweep's bundling tolerance, so that nothing
// trimmed outside it can come near an edge inside it.
ClipBox grownWindow(const ClipBox& box);

// The share of the box's area that lies inside the window.
double shareInside(const ClipBox& box, const ClipBox& window);

} // namespace plicato
