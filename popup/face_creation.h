// Turning a clicked outline into a user face: clockwise storage, plain faces and cut-outs.
#pragma once

#include "model/card_model.h"
#include "model/core_state.h"

namespace plicato {

// Builds a face from model.drawPoints on the current edit plane; `mode` is the creation mode
// that closed the outline (PolygonFace and Rectangle3 add a plain face, anything else a cut-out).
bool createFaceFromOutline(CardModel& model, EditMode mode);
// Triangulates and appends a face; false (and the face dropped) when it has no triangles.
// Rebuilds the built faces unless the face-operation mode is active.
bool addUserFace(CardModel& model, std::unique_ptr<Face> face);
// Like addUserFace, after swapping the face's plane about its pivot edge; always rebuilds.
bool addCutOutFace(CardModel& model, std::unique_ptr<Face> face);

} // namespace plicato
