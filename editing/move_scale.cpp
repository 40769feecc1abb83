// Moving and scaling the selected faces in space. A face keeps its sheet outline and its plane
// offset; a move in space changes both so that the folded position follows.
#include "editing/move_scale.h"

#include "editing/selection.h"
#include "editing/undo_history.h"

namespace plicato {

void moveSelection(CardModel& model, double dx, double dy, double dz) {
    // On both plane kinds the sheet y of a point is its height minus its distance from the
    // upright half, so a move changes it by dz - dy; the offset takes the normal component.
    for (Face* face : model.selectedFaces) {
        face->offset += face->plane == FacePlane::Vertical ? dy : dz;
        for (auto& loop : face->polygon.loops) {
            for (Point2& p : loop->points) {
                p.x += dx;
                p.y += dz - dy;
            }
        }
        face->triangulate();
    }
    updateSelectionBox(model);
}

void moveSelectionByGrid(CardModel& model, int i, int j, int k) {
    const double g = model.gridSize;
    moveSelection(model, i * g, j * g, k * g);
}

void scaleSelection(CardModel& model, double factor) {
    pushUndo(model);
    // The stored box may predate an outline edit; take the bounds of the faces as they are.
    updateSelectionBox(model);
    const SelectionBox& box = model.selectionBox;
    const Point3 m{(box.min.x + box.max.x) / 2, box.min.y, box.min.z};
    const double s = factor;
    for (Face* face : model.selectedFaces) {
        if (face->plane == FacePlane::Vertical)
            face->offset = m.y + s * (face->offset - m.y);
        else
            face->offset = m.z + s * (face->offset - m.z);
        for (auto& loop : face->polygon.loops) {
            for (Point2& p : loop->points) {
                const Point3 q = face->toSpace(p);
                p = flatten({m.x + s * (q.x - m.x), m.y + s * (q.y - m.y), m.z + s * (q.z - m.z)});
            }
        }
        face->triangulate();
    }
    updateSelectionBox(model);
}

} // namespace plicato
