// Re-ordering the selected faces as one block within the drawing order of userFaces.
#include "editing/stacking_order.h"

#include "editing/undo_history.h"
#include "popup/built_faces.h"

#include <algorithm>
#include <unordered_set>

namespace plicato {

namespace {

// The base faces hold the first two places whatever else moves.
size_t firstFreePlace(const FaceList& faces) {
    return std::min<size_t>(2, faces.size());
}

size_t indexOf(const FaceList& faces, const Face* face) {
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i].get() == face)
            return i;
    return faces.size();
}

} // namespace

void reorderSelection(CardModel& model, ReorderKind kind) {
    pushUndo(model);
    FaceList& faces = model.userFaces;

    // Marked through the list itself, so a stale entry in the selection is never dereferenced.
    const std::unordered_set<const Face*> selected(model.selectedFaces.begin(),
                                                   model.selectedFaces.end());
    for (auto& face : faces)
        face->scratchMark = selected.count(face.get()) != 0;

    // The reference faces are noted before anything moves; normally neither is marked.
    const Face* below = nullptr;
    const Face* above = nullptr;
    {
        auto firstMarked =
            std::find_if(faces.begin(), faces.end(), [](const auto& f) { return f->scratchMark; });
        if (firstMarked != faces.end()) {
            auto lastMarked = std::find_if(faces.rbegin(), faces.rend(),
                                           [](const auto& f) { return f->scratchMark; });
            below = firstMarked == faces.begin() ? firstMarked->get() : (firstMarked - 1)->get();
            above = lastMarked == faces.rbegin() ? lastMarked->get() : (lastMarked - 1)->get();
        }
    }

    // Take the marked faces out, then order them as the selection lists them. A face listed
    // twice, or a listed face that is not in userFaces, must neither duplicate nor vanish.
    FaceList taken;
    for (auto it = faces.begin(); it != faces.end();) {
        if ((*it)->scratchMark) {
            taken.push_back(std::move(*it));
            it = faces.erase(it);
        } else {
            ++it;
        }
    }
    FaceList block;
    block.reserve(taken.size());
    for (Face* face : model.selectedFaces) {
        for (auto& t : taken) {
            if (t.get() == face) {
                block.push_back(std::move(t));
                break;
            }
        }
    }
    for (auto& t : taken)
        if (t)
            block.push_back(std::move(t));

    size_t place = faces.size();
    if (below && !block.empty()) {
        switch (kind) {
        case ReorderKind::Top:
            place = faces.size();
            break;
        case ReorderKind::UpOne:
            place = above->scratchMark ? faces.size() : indexOf(faces, above) + 1;
            break;
        case ReorderKind::DownOne:
            place = below->scratchMark ? firstFreePlace(faces) : indexOf(faces, below);
            break;
        case ReorderKind::Bottom:
            place = firstFreePlace(faces);
            break;
        }
    }
    // One down from directly above the base faces would slip under them.
    place = std::clamp(place, firstFreePlace(faces), faces.size());
    faces.insert(faces.begin() + static_cast<std::ptrdiff_t>(place),
                 std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));

    for (auto& face : faces)
        face->scratchMark = false;
    model.selectedFaces.clear();
    rebuildBuiltFaces(model);
}

} // namespace plicato
