// When the Edit menu's model commands can run, for the menu and toolbar update handlers.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Copy, cut, delete, scale and the four stacking commands need a selection.
bool canCopy(const CardModel& model);
bool canCut(const CardModel& model);
bool canDelete(const CardModel& model);
bool canScale(const CardModel& model);
bool canReorder(const CardModel& model);
// Paste needs faces in the clipboard.
bool canPaste(const CardModel& model);
// Undo needs a snapshot.
bool canUndo(const CardModel& model);

} // namespace plicato
