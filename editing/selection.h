// The user's selection of faces: the isSelected flags, the selectedFaces list that follows them,
// and the selection's bounds in space.
#pragma once

#include "model/card_model.h"

namespace plicato {

// No face selected: every flag of userFaces cleared and the list emptied.
void clearSelection(CardModel& model);
// selectedFaces from the flags of userFaces, in list order; then updateSelectionBox.
void rebuildSelection(CardModel& model);
// Bounds in space, at the current opening angle, of every loop point of the selected faces,
// and the handle point. With nothing selected the bounds stay inverted (min > max) and the
// handle keeps the place of the last selection.
void updateSelectionBox(CardModel& model);

} // namespace plicato
