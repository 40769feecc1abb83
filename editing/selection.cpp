// The selection flags, the list that follows them and the selection's bounds in space.
#include "editing/selection.h"

#include <algorithm>
#include <limits>

namespace plicato {

void clearSelection(CardModel& model) {
    for (auto& face : model.userFaces)
        face->isSelected = false;
    model.selectedFaces.clear();
}

void rebuildSelection(CardModel& model) {
    model.selectedFaces.clear();
    for (auto& face : model.userFaces)
        if (face->isSelected)
            model.selectedFaces.push_back(face.get());
    updateSelectionBox(model);
}

void updateSelectionBox(CardModel& model) {
    constexpr double big = std::numeric_limits<double>::max();
    Point3 lo{big, big, big};
    Point3 hi{-big, -big, -big};
    for (const Face* face : model.selectedFaces) {
        for (const auto& loop : face->polygon.loops) {
            for (const Point2& p : loop->points) {
                const Point3 q = face->toSpace(p);
                lo.x = std::min(lo.x, q.x);
                lo.y = std::min(lo.y, q.y);
                lo.z = std::min(lo.z, q.z);
                hi.x = std::max(hi.x, q.x);
                hi.y = std::max(hi.y, q.y);
                hi.z = std::max(hi.z, q.z);
            }
        }
    }
    SelectionBox& box = model.selectionBox;
    box.min = lo;
    box.max = hi;
    // With nothing selected the gizmo stays where the last selection was instead of being
    // sent to the far end of the double range, where projecting it would overflow.
    if (!model.selectedFaces.empty())
        box.handle = {(lo.x + hi.x) / 2, hi.y, hi.z};
}

} // namespace plicato
