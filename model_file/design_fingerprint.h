// A digest of everything a model file keeps of a design, so the application can tell whether
// the design changed since it was last opened, created or saved.
#pragma once

#include "model/card_model.h"

#include <cstdint>

namespace plicato {

// Covers card size, initial grid size, both underlay records and every user face (plane,
// offset, base flag, loops with their hole flags and points). Selection, the current grid
// level, built faces and view state are left out: they are not part of a saved design.
std::uint64_t designFingerprint(const CardModel& model);

} // namespace plicato
