// A new card: the two halves of the sheet as the first user faces and their built form.
#include "popup/new_card.h"

#include "popup/built_faces.h"

namespace plicato {

std::unique_ptr<CardModel> makeNewCard(int halfWidth, int height) {
    auto model = std::make_unique<CardModel>();
    model->cardWidth = 2 * halfWidth;
    model->cardHeight = height;
    model->setGridSize(10.0);

    model->userFaces.push_back(makeBaseFace(FacePlane::Horizontal, halfWidth, height));
    model->userFaces.push_back(makeBaseFace(FacePlane::Vertical, halfWidth, height));
    // With no built faces yet, deriving them from scratch is adding each base face in turn.
    rebuildBuiltFaces(*model);

    model->editPlane = FacePlane::Vertical;
    model->editOffset = model->snapToGrid(integerHalf(height));
    return model;
}

std::unique_ptr<Face> makeBaseFace(FacePlane plane, double halfWidth, double height) {
    const double w = halfWidth;
    const double h = height;
    auto face = std::make_unique<Face>(plane, 0.0);
    auto loop = std::make_unique<Loop>();
    if (plane == FacePlane::Horizontal)
        loop->points = {{-w, 0}, {-w, -h}, {w, -h}, {w, 0}};
    else
        loop->points = {{-w, 0}, {w, 0}, {w, h}, {-w, h}};
    face->polygon.addLoop(std::move(loop));
    face->triangulate();
    face->isBase = true;
    return face;
}

} // namespace plicato
