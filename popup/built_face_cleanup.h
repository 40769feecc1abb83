// The last step of a rebuild: coordinates of the built faces that lie within a hair of each
// other are made one, so that no face keeps a sliver or a zero-width spike between them.
#pragma once

#include "model/card_model.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace plicato {

class RebuildMemo;

// Closer than this (millimetres) two x or two y values of built-face vertices are one value.
inline constexpr double builtFaceSnapTolerance = 1e-6;

// Snaps the vertex coordinates of all built faces together (each run of x values, and each of
// y values, with neighbours closer than the tolerance becomes the value most vertices have) and
// the offsets of each plane kind alike, then forms the planes of the faces that moved again
// (mergePlane): slivers closed to no width vanish, spikes and pinches go, faces that now touch
// on one plane are united and faces pinched in two are split. Every face moves by the same map,
// so shared edges stay shared and the faces still share out the sheet. Returns how many faces
// moved.
int cleanBuiltFaces(CardModel& model);
// The same, with the engine's work (re-forming, filling, uniting) answered by the memo of
// earlier rebuilds where its inputs are the same; the result is the same bit for bit.
int cleanBuiltFaces(CardModel& model, RebuildMemo* memo);

// The fills a rebuild leaves to its clean-up: which built faces (one flag each, in list order)
// have none yet, and how to make one (called on both cores, each face on its own). A face the
// clean-up forms again gets its fill then, so it is not filled twice.
struct LateFills {
    std::vector<char> missing;
    std::function<void(std::size_t, Face&)> fill;
};
// cleanBuiltFaces with the model's fills not all made yet: the result is the same as with them.
// `sideBySide` as RebuildOptions::setApartFacesSideBySide, for the faces it unites.
int cleanBuiltFaces(CardModel& model, RebuildMemo* memo, LateFills* late, bool sideBySide = true);

} // namespace plicato
