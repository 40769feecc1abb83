// Clipping a large polygon of the engine's own making by a small one, with only the large
// polygon's part near the small one going through the sweep.
#pragma once

#include "polygon_clip/polygon_clip.h"

namespace plicato {

// `subject` op `clip` for a subject that is the engine's own output (its contours neither cross
// one another nor themselves). For a difference or a union with a clip whose box covers little
// of the subject's, the subject is trimmed to the clip's window, clipped, and the trimmed runs
// are put back; whenever the result cannot be vouched for that way, and for every other case,
// it is clipPolygons' result. Either way the contours come in the engine's order (each from its
// lowest vertex, leftmost among equals, in the order of those vertices).
ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip);

} // namespace plicato
