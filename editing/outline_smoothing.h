// Rounding off a stretch of a face's outer outline by one step of quarter-point corner cutting.
#pragma once

#include "model/card_model.h"

namespace plicato {

// A corner is cut only when its two cut points lie at least this far apart (millimetres).
inline constexpr double minCutLength = 0.2;

// Cuts every corner of the first loop of `face` strictly between the picked corners a and b
// (forward from a to b, or from b to a when a and b are neighbours), saves an undo step,
// re-triangulates the face and rebuilds the built faces. a and b name corners of that loop,
// normally as references to the loop's own points; a corner of another loop (a hole), a point
// that is no corner of the first loop, or a face outside userFaces is refused without change.
// Picking the same corner twice changes nothing but the undo history.
void smoothSpan(CardModel& model, Face& face, const Point2& a, const Point2& b);

} // namespace plicato
