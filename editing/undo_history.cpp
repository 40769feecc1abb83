// Undo snapshots: deep copies of the user's faces with the card size they belonged to.
#include "editing/undo_history.h"

#include "editing/selection.h"
#include "model/core_state.h"
#include "popup/built_faces.h"

#include <algorithm>

namespace plicato {

namespace {

std::uint64_t snapshotsTaken = 0;

using History = std::vector<std::unique_ptr<UndoSnapshot>>;

// Every snapshot marks a change of the design (a step, an undo, a redo), which autosave follows.
std::unique_ptr<UndoSnapshot> takeSnapshot(const CardModel& model) {
    auto snapshot = std::make_unique<UndoSnapshot>();
    snapshot->faces.reserve(model.userFaces.size());
    for (const auto& face : model.userFaces)
        snapshot->faces.push_back(std::make_unique<Face>(*face));
    snapshot->cardWidth = model.cardWidth;
    snapshot->cardHeight = model.cardHeight;
    ++snapshotsTaken;
    return snapshot;
}

void append(History& history, std::unique_ptr<UndoSnapshot> snapshot) {
    history.push_back(std::move(snapshot));
    while (history.size() > static_cast<size_t>(maxUndoSnapshots))
        history.erase(history.begin());
}

// Moves the newest snapshot of `from` into the model; what it replaces goes to `to`.
void restoreNewest(CardModel& model, History& from, History& to) {
    model.drawPoints.clear();
    append(to, takeSnapshot(model));

    // The snapshot is consumed, so its faces can move into the model instead of being copied.
    std::unique_ptr<UndoSnapshot> snapshot = std::move(from.back());
    from.pop_back();

    // The selection points at the faces about to go; never leave it dangling, even briefly.
    model.selectedFaces.clear();
    model.userFaces = std::move(snapshot->faces);

    if (snapshot->cardWidth != model.cardWidth || snapshot->cardHeight != model.cardHeight) {
        model.cardWidth = snapshot->cardWidth;
        model.cardHeight = snapshot->cardHeight;
        model.editOffset = std::min(model.editOffset, static_cast<double>(model.cardHeight));
        model.editOffset = model.snapToGrid(model.editOffset);
    }

    // Restored faces that were selected stay selected only where the user is picking faces.
    if (coreState().faceOperationActive())
        rebuildSelection(model);
    rebuildBuiltFaces(model);
}

} // namespace

std::uint64_t undoSnapshotCount() {
    return snapshotsTaken;
}

void pushUndo(CardModel& model) {
    append(model.undoHistory, takeSnapshot(model));
    model.redoHistory.clear();
}

void undo(CardModel& model) {
    if (!model.undoHistory.empty())
        restoreNewest(model, model.undoHistory, model.redoHistory);
}

void redo(CardModel& model) {
    if (!model.redoHistory.empty())
        restoreNewest(model, model.redoHistory, model.undoHistory);
}

void forgetRedo(CardModel& model) {
    model.redoHistory.clear();
}

bool canRedo(const CardModel& model) {
    return !model.redoHistory.empty();
}

void dropUndo(CardModel& model) {
    if (!model.undoHistory.empty())
        model.undoHistory.pop_back();
}

} // namespace plicato
