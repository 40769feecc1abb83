// Moving the selected faces up and down the drawing order of userFaces (later lies on top).
#pragma once

#include "model/card_model.h"

namespace plicato {

enum class ReorderKind : int { Top = 0, UpOne = 1, DownOne = 2, Bottom = 3 };

// Saves an undo step and moves the selected faces, as one block in selection order, to the
// place that `kind` names; the base faces stay the first two. Empties selectedFaces (the
// faces keep their flags) and rebuilds the built faces.
void reorderSelection(CardModel& model, ReorderKind kind);

} // namespace plicato
