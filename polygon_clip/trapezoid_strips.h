// Decomposition of a polygon's inside (even-odd) into trapezoids between consecutive edges of
// each beam, stacked into triangle strips where they continue one another.
#pragma once

#include "polygon_clip/edge_table.h"

#include <vector>

namespace plicato {

std::vector<TriangleStrip> buildTrapezoidStrips(const ClipEdgeTable& table);

} // namespace plicato
