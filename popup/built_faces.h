// Derivation of the card's real pieces of paper (builtFaces) from the user's faces: clipped to
// the sheet, later faces taking their paper from earlier ones, faces of one plane merged.
#pragma once

#include "model/card_model.h"

namespace plicato {

// Work the rebuild may save. Every setting gives the same built faces (same order, planes and
// regions); the defaults are the fast ones.
struct RebuildOptions {
    // A built face whose bounding box does not meet the new face's keeps its polygon and
    // triangles instead of being re-clipped and re-triangulated.
    bool skipDisjointBoxes = true;
    // Engine results of the model's earlier rebuilds (model.rebuildMemo) answer calls with the
    // same inputs, and a user face meeting the same built faces as before does what it did
    // then, so after an edit only the work the edit reaches is done again: the faces before
    // the first changed one find all their work, later faces far from the change most.
    // The result is bit for bit that of a rebuild without it.
    bool reuseEarlierResults = true;
    // A face of the new face's plane whose outline lies apart from the new face's is put beside
    // it as it is, in the engine's order, where uniting the two would give both back unchanged;
    // so are faces the clean-up would unite that lie apart.
    bool setApartFacesSideBySide = true;
};

// Destroys and re-derives model.builtFaces from model.userFaces.
void rebuildBuiltFaces(CardModel& model);
void rebuildBuiltFaces(CardModel& model, const RebuildOptions& options);
// Adds one face (already clipped to the sheet and triangulated) to the built faces.
void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face);
void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face, const RebuildOptions& options);
// Unites the built faces of one plane (exact offset) and splits the union into connected faces.
void mergePlane(CardModel& model, FacePlane plane, double offset);

} // namespace plicato
