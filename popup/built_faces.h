// Derivation of the card's real pieces of paper (builtFaces) from the user's faces: clipped to
// the sheet, later faces taking their paper from earlier ones, faces of one plane merged.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Destroys and re-derives model.builtFaces from model.userFaces.
void rebuildBuiltFaces(CardModel& model);
// Adds one face (already clipped to the sheet and triangulated) to the built faces.
void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face);
// Unites the built faces of one plane (exact offset) and splits the union into connected faces.
void mergePlane(CardModel& model, FacePlane plane, double offset);

} // namespace plicato
