// The card model's construction, grid, destruction, and the one current model of the process.
#include "model/card_model.h"

#include "model/core_state.h"

#include <climits>
#include <cmath>

namespace plicato {

namespace {

// Truncates toward zero into the 32-bit range; values beyond it saturate and NaN gives 0, where
// a plain conversion would be undefined.
double truncateToInt(double v) {
    if (std::isnan(v))
        return 0.0;
    if (v >= double(INT_MAX))
        return double(INT_MAX);
    if (v <= double(INT_MIN))
        return double(INT_MIN);
    return std::trunc(v);
}

std::unique_ptr<CardModel>& currentModelSlot() {
    static std::unique_ptr<CardModel> model;
    return model;
}

unsigned long& generationSlot() {
    static unsigned long generation = 0;
    return generation;
}

} // namespace

CardModel::CardModel() {
    coreState().mirrorEdit = false;
}

CardModel::~CardModel() {
    // References first, then the owners they point into.
    selectedFaces.clear();
    for (auto& face : builtFaces)
        face->links.clear();
    links.clear();
    builtFaces.clear();
    userFaces.clear();
    clipboardFaces.clear();
    undoHistory.clear();
    redoHistory.clear();
}

void CardModel::setGridSize(double g) {
    initGridSize = g;
    gridSize = g;
    gridLevel = 0;
    editOffset = snapToGrid(editOffset);
}

double CardModel::snapToGrid(double v) const {
    const double n = truncateToInt(v / gridSize + 0.5);
    return truncateToInt(n * gridSize);
}

CardModel* currentModel() {
    return currentModelSlot().get();
}

void setCurrentModel(std::unique_ptr<CardModel> model) {
    // The new model is current before the old one goes, so nothing sees a dangling reference.
    std::unique_ptr<CardModel> old = std::move(currentModelSlot());
    currentModelSlot() = std::move(model);
    ++generationSlot();
    old.reset();
}

unsigned long currentModelGeneration() {
    return generationSlot();
}

} // namespace plicato
