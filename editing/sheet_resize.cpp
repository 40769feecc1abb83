// Changing the card size: the two halves of the sheet are made anew at the front of userFaces.
#include "editing/sheet_resize.h"

#include "editing/undo_history.h"
#include "popup/built_faces.h"
#include "popup/new_card.h"

#include <algorithm>

namespace plicato {

void resizeSheet(CardModel& model, int width, int height) {
    // A sheet without area would leave base faces without triangles.
    if (width <= 0 || height <= 0)
        return;
    pushUndo(model);
    model.cardWidth = width;
    model.cardHeight = height;

    // The selection may list a base face; it must not outlive it.
    std::vector<const Face*> removed;
    for (const auto& face : model.userFaces)
        if (face->isBase)
            removed.push_back(face.get());
    std::erase_if(model.selectedFaces, [&removed](const Face* f) {
        return std::find(removed.begin(), removed.end(), f) != removed.end();
    });
    std::erase_if(model.userFaces, [](const auto& f) { return f->isBase; });

    auto horizontal = makeBaseFace(FacePlane::Horizontal, width / 2.0, height);
    auto vertical = makeBaseFace(FacePlane::Vertical, width / 2.0, height);
    model.userFaces.insert(model.userFaces.begin(), std::move(vertical));
    model.userFaces.insert(model.userFaces.begin(), std::move(horizontal));

    rebuildBuiltFaces(model);
    model.editPlane = FacePlane::Vertical;
    model.editOffset = 0.0;
}

} // namespace plicato
