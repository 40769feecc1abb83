// The polygon engine: boolean operations on polygons with holes (even-odd insides) and the
// decomposition of a polygon's inside into triangle strips, by one scan-beam sweep.
#pragma once

#include "polygon_clip/clip_polygon.h"

namespace plicato {

// Returns subject `op` clip as a new polygon owned by the caller (release with freeClipPolygon).
// Hole flags of the result are 1 for contours bounding holes, 0 for outer contours.
ClipPolygon clipPolygons(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip);

// The inside of `polygon` (even-odd, holes excluded) as triangle strips.
std::vector<TriangleStrip> polygonToStrips(const ClipPolygon& polygon);

} // namespace plicato
