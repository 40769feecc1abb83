// The boolean operation for callers that already hold both operands' contour boxes.
#pragma once

#include "polygon_clip/contour_boxes.h"

#include <memory_resource>
#include <vector>

namespace plicato {

// clipPolygons(op, subject, clip), given each operand's contour boxes and usable flags as
// clipContourBoxes gives them, so that an operand used again need not be measured again, and
// when known the boxes of the clip's runs of vertices.
ClipPolygon clipPolygonsBoxed(ClipOp op, const ClipPolygon& subject,
                              const std::pmr::vector<ClipBox>& subjectBoxes,
                              const std::pmr::vector<char>& subjectUse, const ClipPolygon& clip,
                              const std::pmr::vector<ClipBox>& clipBoxes,
                              const std::pmr::vector<char>& clipUse,
                              const ClipChunkBoxes* clipChunks = nullptr);

} // namespace plicato
