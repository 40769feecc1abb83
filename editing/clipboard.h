// Copy, cut, paste and delete of the selected faces through the model's own face clipboard.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Replaces the clipboard by deep copies of the selected faces; nothing happens when the
// selection is empty (the clipboard keeps what it held).
void copySelection(CardModel& model);
// copySelection, then deleteSelection.
void cutSelection(CardModel& model);
// Saves an undo step, destroys the selected faces and rebuilds the built faces.
void deleteSelection(CardModel& model);
// Saves an undo step and adds copies of the clipboard faces as the new selection, one grid
// step further along x. Copies that triangulate to nothing are dropped.
void paste(CardModel& model);

} // namespace plicato
