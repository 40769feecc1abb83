// Undo snapshots: deep copies of the user's faces with the card size they belonged to.
#include "editing/undo_history.h"

#include "editing/selection.h"
#include "model/core_state.h"
#include "popup/built_faces.h"

#include <algorithm>

namespace plicato {

namespace {
std::uint64_t snapshotsTaken = 0;
} // namespace

std::uint64_t undoSnapshotCount() {
    return snapshotsTaken;
}

void pushUndo(CardModel& model) {
    auto snapshot = std::make_unique<UndoSnapshot>();
    snapshot->faces.reserve(model.userFaces.size());
    for (const auto& face : model.userFaces)
        snapshot->faces.push_back(std::make_unique<Face>(*face));
    snapshot->cardWidth = model.cardWidth;
    snapshot->cardHeight = model.cardHeight;
    model.undoHistory.push_back(std::move(snapshot));
    ++snapshotsTaken;
    while (model.undoHistory.size() > static_cast<size_t>(maxUndoSnapshots))
        model.undoHistory.erase(model.undoHistory.begin());
}

void undo(CardModel& model) {
    if (model.undoHistory.empty())
        return;
    model.drawPoints.clear();

    // The snapshot is consumed, so its faces can move into the model instead of being copied.
    std::unique_ptr<UndoSnapshot> snapshot = std::move(model.undoHistory.back());
    model.undoHistory.pop_back();

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

void dropUndo(CardModel& model) {
    if (!model.undoHistory.empty())
        model.undoHistory.pop_back();
}

} // namespace plicato
