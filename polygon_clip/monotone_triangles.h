// Triangles of a polygon's inside by one sweep that splits it into y-monotone pieces and fans each
// piece off as it goes: one triangle per vertex, where trapezoids take about two.
#pragma once

#include "polygon_clip/clip_polygon.h"

#include <vector>

namespace plicato {

// Appends the inside of `polygon` (even-odd, holes excluded) to `out` as counter-clockwise
// triangles, three vertices each, and returns true. Returns false, leaving `out` as it was, when
// the contours are not disjoint simple loops (edges that cross or touch, vertices shared between
// loops, spikes, or so nearly so that the arithmetic cannot tell): the trapezoid strips, which
// take any input, are the way for those.
bool monotoneTriangles(const ClipPolygon& polygon, std::vector<ClipVertex>& out);

} // namespace plicato
