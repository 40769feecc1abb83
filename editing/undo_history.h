// Undo snapshots of the user's faces and the card size: at most ten, consumed newest first.
#pragma once

#include "model/card_model.h"

#include <cstdint>

namespace plicato {

inline constexpr int maxUndoSnapshots = 10;

// Appends a deep copy of userFaces and the card size; the oldest snapshot goes beyond ten.
void pushUndo(CardModel& model);
// Restores the newest snapshot and consumes it; does nothing with an empty history.
void undo(CardModel& model);
// Discards the newest snapshot, if any, without restoring it.
void dropUndo(CardModel& model);
// How many snapshots pushUndo has taken in this process; the application autosaves when it
// moves.
std::uint64_t undoSnapshotCount();

} // namespace plicato
