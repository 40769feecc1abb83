// The face clipboard: copies of selected faces, and the delete and paste that change userFaces.
#include "editing/clipboard.h"

#include "editing/move_scale.h"
#include "editing/selection.h"
#include "editing/undo_history.h"
#include "model/core_state.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"

#include <algorithm>

namespace plicato {

void copySelection(CardModel& model) {
    if (model.selectedFaces.empty())
        return;
    model.clipboardFaces.clear();
    for (const Face* face : model.selectedFaces)
        model.clipboardFaces.push_back(std::make_unique<Face>(*face));
}

void cutSelection(CardModel& model) {
    copySelection(model);
    deleteSelection(model);
}

void deleteSelection(CardModel& model) {
    pushUndo(model);
    for (const Face* face : model.selectedFaces) {
        auto it = std::find_if(model.userFaces.begin(), model.userFaces.end(),
                               [face](const auto& f) { return f.get() == face; });
        if (it != model.userFaces.end())
            model.userFaces.erase(it);
    }
    model.selectedFaces.clear();
    rebuildBuiltFaces(model);
}

void paste(CardModel& model) {
    pushUndo(model);
    clearSelection(model);
    for (const auto& face : model.clipboardFaces) {
        auto copy = std::make_unique<Face>(*face);
        copy->isSelected = true;
        addUserFace(model, std::move(copy));
    }
    rebuildSelection(model);
    moveSelectionByGrid(model, 1, 0, 0);
    // addUserFace built the copies where the originals lie; the pop-up must show where they
    // landed. The face-operation mode rebuilds when the pop-up display is chosen again.
    if (!coreState().faceOperationActive())
        rebuildBuiltFaces(model);
}

} // namespace plicato
