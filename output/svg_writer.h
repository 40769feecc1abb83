// The development pattern as SVG for cutting machines: true size in millimetres, one layer per
// line kind, lines chained into continuous paths, the card's outline as a path of its own.
#pragma once

#include "pattern/pattern_line.h"

#include <string>
#include <vector>

namespace plicato {

class CardModel;

enum class FoldStyle : int { Dashed = 0, Solid = 1 };

// The lines of one kind joined where their ends meet within 1e-4 mm, in list order: each chain
// starts at the earliest unused line and grows at its end, then at its start. A chain whose
// ends meet is closed and repeats its first point at the end.
std::vector<std::vector<Point2>> chainPatternLines(const PatternLineList& lines, LineKind kind);

// The SVG text. Cut lines on the card's outline are drawn by the outline path, not again.
std::string patternSvgText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           FoldStyle foldStyle);

// Writes the SVG file of the model's current links (buildPattern must have run) safely.
bool writePatternSvg(const std::string& path, const CardModel& model, FoldStyle foldStyle,
                     std::string* error = nullptr);

} // namespace plicato
