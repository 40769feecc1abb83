// The development pattern as DXF (R12, ASCII, millimetres) for laser cutters and cutting-machine
// software: layers CUT, MOUNTAIN and VALLEY holding LINE entities.
#pragma once

#include "pattern/pattern_line.h"

#include <string>

namespace plicato {

class CardModel;

// Lines of one kind that lie on one straight line and touch or overlap (within 1e-4 mm) become
// one line; the result keeps the order in which each merged line first appeared. Lines
// shorter than that are dropped.
PatternLineList joinCollinearLines(const PatternLineList& lines);

// The DXF text. The card's lower-left corner is at (0, 0); y grows towards the free edge of the
// upright half, as on the sheet. Lines of a kind not in `filter` (bits as for EPS) are left out.
std::string patternDxfText(const PatternLineList& lines, int cardWidth, int cardHeight, int filter);

// Writes the DXF file of the model's current links (buildPattern must have run) safely.
bool writePatternDxf(const std::string& path, const CardModel& model, int filter,
                     std::string* error = nullptr);

} // namespace plicato
