// One segment of a face edge in space, shared by the faces that have it on their boundary:
// a fold when a vertical and a horizontal face share it, else a cut. Owned by CardModel::links.
#pragma once

#include "model/geometry.h"

namespace plicato {

class Face;

enum class FoldKind : int { Mountain = 0, Valley = 1, Cut = 2 };

struct FaceLink {
    Face* vFace = nullptr; // not owned
    Face* hFace = nullptr; // not owned
    FoldKind kind = FoldKind::Cut;
    Point3 p1; // ends at the 90-degree position
    Point3 p2;
};

} // namespace plicato
