// A new card: the two halves of the sheet as base faces, a 10 mm grid, the edit plane halfway up.
#pragma once

#include "model/card_model.h"

#include <memory>

namespace plicato {

std::unique_ptr<CardModel> makeNewCard(int halfWidth, int height);

// One half of a sheet of the given half-width and height as a triangulated base face: the
// horizontal half covers y in [-height, 0], the vertical half y in [0, height].
std::unique_ptr<Face> makeBaseFace(FacePlane plane, double halfWidth, double height);

} // namespace plicato
