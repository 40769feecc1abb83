// Classification of one sweep vertex: which sectors around it lie inside the result, and how
// the result's boundary passes through it (new contour vertices and their links).
#pragma once

#include "polygon_clip/contour_assembly.h"

#include <memory_resource>
#include <vector>

namespace plicato {

// Parity state of a region or a parity toggle: bit 0 subject, bit 1 clip.
using ClipParity = unsigned char;

// One ray leaving the vertex: an active edge bundle below or above it, or the scan line to the
// west or east. Closing rays carry a boundary segment that began at an earlier vertex; opening
// rays start a segment here that a later vertex finishes.
struct ClipRay {
    ClipParity flips = 0; // parity change when crossing the ray counter-clockwise
    bool closing = false;
    int line = -1;          // the line the ray lies on; equal lines let a segment run through
    int open = -1;          // closing rays: the vertex their segment began at, or -1
    int* openOut = nullptr; // opening rays: receives the vertex their segment begins at, or -1
};

// Which parity states are inside the result, one bit per state (bit index = parity value).
using ClipInsideMask = unsigned;

// `rays` run counter-clockwise starting at the east ray; `startParity` is the parity of the sector
// just before the first ray. Every inside sector run is bounded by an incoming and an outgoing
// boundary ray; each run becomes one contour vertex (so contours touching at a point stay
// separate and never cross), except where the boundary goes straight on along one line.
void classifyClipVertex(double x, double y, ClipParity startParity, ClipInsideMask inside,
                        ClipRay* rays, int count, std::pmr::vector<ClipNode>& nodes);
// classifyClipVertex for the commonest counts, with its loops unrolled: 4 (a bundle meeting a
// scan line: east, above, west, below) and 6 (two bundles crossing inside a beam). Made for
// those two only.
template <int Count>
void classifyRays(double x, double y, ClipParity startParity, ClipInsideMask inside, ClipRay* rays,
                  std::pmr::vector<ClipNode>& nodes);

} // namespace plicato
