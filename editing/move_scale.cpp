// Moving and scaling the selected faces in space. A face keeps its sheet outline and its plane
// offset; a move in space changes both so that the folded position follows.
#include "editing/move_scale.h"

#include "editing/selection.h"
#include "editing/undo_history.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

// The point about which the selection scales: the middle of its width, front-most and lowest.
Point3 scaleCentre(const CardModel& model) {
    const SelectionBox& box = model.selectionBox;
    return {(box.min.x + box.max.x) / 2, box.min.y, box.min.z};
}

double scaledOffset(const Face& face, const Point3& m, double s) {
    return face.plane == FacePlane::Vertical ? m.y + s * (face.offset - m.y)
                                             : m.z + s * (face.offset - m.z);
}

Point2 scaledPoint(const Face& face, const Point2& p, const Point3& m, double s) {
    const Point3 q = face.toSpace(p);
    return flatten({m.x + s * (q.x - m.x), m.y + s * (q.y - m.y), m.z + s * (q.z - m.z)});
}

bool within(double v, double limit) {
    return std::isfinite(v) && std::fabs(v) <= limit;
}

} // namespace

void scaleSelection(CardModel& model, double factor) {
    pushUndo(model);
    // The stored box may predate an outline edit; take the bounds of the faces as they are.
    updateSelectionBox(model);
    const Point3 m = scaleCentre(model);
    for (Face* face : model.selectedFaces) {
        // Points are placed with the old offset, so it changes after them.
        for (auto& loop : face->polygon.loops)
            for (Point2& p : loop->points)
                p = scaledPoint(*face, p, m, factor);
        face->offset = scaledOffset(*face, m, factor);
        face->triangulate();
    }
    updateSelectionBox(model);
}

bool scaleStaysWithin(const CardModel& model, double factor, double limit) {
    // The same bounds scaleSelection takes, computed without touching the model's box.
    constexpr double big = std::numeric_limits<double>::max();
    Point3 lo{big, big, big}, hi{-big, -big, -big};
    for (const Face* face : model.selectedFaces)
        for (const auto& loop : face->polygon.loops)
            for (const Point2& p : loop->points) {
                const Point3 q = face->toSpace(p);
                lo = {std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z)};
                hi = {std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z)};
            }
    const Point3 m{(lo.x + hi.x) / 2, lo.y, lo.z};
    for (const Face* face : model.selectedFaces) {
        if (!within(scaledOffset(*face, m, factor), limit))
            return false;
        for (const auto& loop : face->polygon.loops)
            for (const Point2& p : loop->points) {
                const Point2 q = scaledPoint(*face, p, m, factor);
                if (!within(q.x, limit) || !within(q.y, limit))
                    return false;
            }
    }
    return true;
}

} // namespace plicato
