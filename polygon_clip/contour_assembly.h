// The result boundary as the sweep emits it: vertices linked into closed chains, each with the
// inside of the result on its left; and their assembly into a ClipPolygon.
#pragma once

#include "polygon_clip/clip_polygon.h"

#include <cstddef>
#include <memory_resource>
#include <vector>

namespace plicato {

struct ClipNode {
    double x = 0.0;
    double y = 0.0;
    int next = -1; // following vertex of the same contour
};

// Twice the signed area of a contour, taken about its first vertex; negative for a hole.
double clipDoubledArea(const ClipVertex* points, std::size_t count);

// Turns every closed chain into a result contour. Repeated vertices are merged; chains left with
// fewer than three vertices or no area are dropped. Since the inside lies on the left, outer
// contours run counter-clockwise and holes clockwise, which gives the hole flags.
ClipPolygon assembleClipContours(const std::pmr::vector<ClipNode>& nodes);

} // namespace plicato
