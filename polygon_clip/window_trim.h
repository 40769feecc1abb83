// Shortening the contours of one operand to what can matter inside a window (the other
// operand's box), for operations whose result lies inside that window.
#pragma once

#include "polygon_clip/clip_polygon.h"
#include "polygon_clip/contour_boxes.h"

#include <memory_resource>
#include <vector>

namespace plicato {

// A polygon whose arrays live in an arena: `view` points into the vectors, which own them.
struct TrimmedClipPolygon {
    explicit TrimmedClipPolygon(std::pmr::memory_resource* arena)
        : contours(arena), holeFlags(arena), vertices(arena), origins(arena), sources(arena),
          dropped(arena) {}
    std::pmr::vector<ClipContour> contours;
    std::pmr::vector<int> holeFlags;
    std::pmr::vector<ClipVertex> vertices;
    std::pmr::vector<int> origins; // per vertex: its index in the input contour
    std::pmr::vector<int> sources; // per contour: the input contour it comes from
    std::pmr::vector<int> dropped; // input contours in use left out, wholly beyond one side
    ClipPolygon view;
};

// Every run of consecutive vertices lying beyond one side of `window` is shortened to its two
// ends. The chord that replaces a run lies beyond the same side (a half-plane is convex), and so
// does the loop it closes with the run, so the even-odd parity of every point of the window is
// unchanged while each edge that reaches into the window stays exactly as it was. Contours
// wholly beyond one side are left out. Only contours marked in `use` are taken; the result's
// contours are all usable, and `origins`, `sources` and `dropped` tell where each came from.
// `boxes`, when given, are the contours' boxes: a contour whose box lies beyond a side is left
// out without a look at its vertices. `chunks`, when given with them, are the boxes of the
// contours' runs of vertices: a run whose box lies beyond a side is passed over the same way.
// Neither changes the result.
void trimToWindow(const ClipPolygon& polygon, const std::pmr::vector<char>& use,
                  const ClipBox& window, TrimmedClipPolygon& out,
                  const std::pmr::vector<ClipBox>* boxes = nullptr,
                  const ClipChunkBoxes* chunks = nullptr);

} // namespace plicato
