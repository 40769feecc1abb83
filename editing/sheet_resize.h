// Changing the card size: new base faces at the front of userFaces, as one undo step.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Saves an undo step, sets the card size, replaces the base faces and rebuilds the built faces;
// the edit plane goes back to the vertical half. Other faces keep their outlines even where
// they now reach beyond the sheet. Sizes that are not positive are refused without change.
void resizeSheet(CardModel& model, int width, int height);

} // namespace plicato
