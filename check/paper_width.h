// The narrowest place of a piece of paper: where two parts of its outline run closer together
// than a given width with paper between them.
#pragma once

#include "model/face.h"

namespace plicato {

struct NarrowPlace {
    bool found = false;
    double width = 0.0; // millimetres across the paper
    Point2 from;        // the two outline points across the narrowest place, on the sheet
    Point2 to;
};

// The narrowest place of the face's paper narrower than `limit`, or found = false when the paper
// is at least `limit` wide everywhere (outline corners do not count as narrow places).
NarrowPlace narrowestPlace(const Face& face, double limit);

} // namespace plicato
