// The whole design of one document: card size, the user's faces, grid, underlays, and the
// state derived from them (built faces, links), plus the editing lists.
#pragma once

#include "model/face.h"
#include "model/face_link.h"
#include "model/underlay_image.h"

#include <memory>
#include <vector>

namespace plicato {

// A clicked point of the outline being drawn: on the edit plane at 90 degrees, and on the sheet.
struct DrawPoint {
    Point3 space;
    Point2 sheet;
};

struct UndoSnapshot {
    FaceList faces; // deep copies of userFaces, in order
    int cardWidth = 0;
    int cardHeight = 0;
};

struct SelectionBox {
    Point3 min;
    Point3 max;
    Point3 handle; // ((min.x + max.x) / 2, max.y, max.z)
};

class RebuildMemo; // the pop-up construction's results kept between rebuilds

class CardModel {
public:
    // The empty model: no faces, card 0 by 0. Switches mirror editing off.
    CardModel();
    CardModel(const CardModel&) = delete;
    CardModel& operator=(const CardModel&) = delete;
    ~CardModel();

    // initGridSize and gridSize become g, gridLevel 0, editOffset is snapped to the new grid.
    void setGridSize(double g);
    // Nearest grid line (halves upward for positive values), truncated to whole millimetres.
    double snapToGrid(double v) const;

    FaceList userFaces;
    FaceList builtFaces;
    FaceList clipboardFaces;
    std::vector<Face*> selectedFaces; // not owned; points into userFaces
    std::vector<DrawPoint> drawPoints;
    std::vector<std::unique_ptr<UndoSnapshot>> undoHistory; // oldest first, at most 10
    std::vector<std::unique_ptr<UndoSnapshot>> redoHistory; // steps undo took back, newest last
    SelectionBox selectionBox;
    std::vector<std::unique_ptr<FaceLink>> links;
    UnderlayImage frontImage;
    UnderlayImage topImage;
    int cardWidth = 0;
    int cardHeight = 0;
    double initGridSize = 0.0;
    int gridLevel = 0;
    double gridSize = 0.0;
    FacePlane editPlane = FacePlane::Vertical;
    double editOffset = 0.0;
    double mirrorX = 0.0; // not persisted
    // Owned by the rebuild of the built faces; derived data, never saved or compared.
    std::shared_ptr<RebuildMemo> rebuildMemo;
};

// The one current model of the process (nullptr before the first card exists).
CardModel* currentModel();
// Replaces the current model as a whole; the previous one is destroyed.
void setCurrentModel(std::unique_ptr<CardModel> model);
// Counts the replacements of the current model, so holders of pointers into a model can tell
// that it has gone.
unsigned long currentModelGeneration();

} // namespace plicato
