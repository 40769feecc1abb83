// Moving and scaling the selected faces in space, kept as sheet outlines plus plane offsets.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Translates the selected faces by (dx, dy, dz) in space and re-triangulates them; updates the
// selection box. Pushes no undo step and does not rebuild the built faces.
void moveSelection(CardModel& model, double dx, double dy, double dz);
// moveSelection by whole grid steps.
void moveSelectionByGrid(CardModel& model, int i, int j, int k);
// Saves an undo step and scales the selected faces by `factor` about the middle of the
// selection's width at its front-most and lowest point. Meant for the 90-degree position.
// Does not rebuild the built faces.
void scaleSelection(CardModel& model, double factor);
// Whether scaleSelection by `factor` keeps every coordinate and plane offset of the selected
// faces finite and within `limit` millimetres. Changes nothing.
bool scaleStaysWithin(const CardModel& model, double factor, double limit);

} // namespace plicato
