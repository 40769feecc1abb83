// Undo snapshots of the user's faces and the card size: at most ten, consumed newest first;
// the steps undo took back can be redone until the next change.
#pragma once

#include "model/card_model.h"

#include <cstdint>

namespace plicato {

inline constexpr int maxUndoSnapshots = 10;

// Appends a deep copy of userFaces and the card size; the oldest snapshot goes beyond ten.
// A new step is a change: the steps that could be redone are forgotten.
void pushUndo(CardModel& model);
// Restores the newest snapshot and consumes it; the state it replaced can be redone. Does
// nothing with an empty history.
void undo(CardModel& model);
// Takes back the newest undo: restores the state undo replaced and makes it undoable again.
// Does nothing when no undo is waiting to be redone.
void redo(CardModel& model);
// Discards the newest snapshot, if any, without restoring it.
void dropUndo(CardModel& model);
// A change that saves no undo step (the face-operation keys) still ends what can be redone.
void forgetRedo(CardModel& model);
bool canRedo(const CardModel& model);
// How many snapshots have been taken in this process (steps, undos and redos); the
// application autosaves when it moves.
std::uint64_t undoSnapshotCount();

} // namespace plicato
