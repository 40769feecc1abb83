// The development pattern as Encapsulated PostScript at true size, one dash pattern per line
// kind, with a choice of which kinds to write.
#pragma once

#include "pattern/pattern_line.h"

#include <string>

namespace plicato {

class CardModel;

// Which line kinds to write: bit 0 cuts, bit 1 mountain folds, bit 2 valley folds.
enum LineFilterBit : int { CutLines = 1, MountainLines = 2, ValleyLines = 4 };
constexpr int allLineKinds = CutLines | MountainLines | ValleyLines;

// The whole EPS text for the lines of a card of cardWidth by 2 * cardHeight mm.
std::string patternEpsText(const PatternLineList& lines, int cardWidth, int cardHeight, int filter);

// Writes the EPS file of the model's current links (buildPattern must have run) safely.
bool writePatternEps(const std::string& path, const CardModel& model, int filter,
                     std::string* error = nullptr);

// "%f" of printf in the "C" locale: fixed notation, six decimals, a point as separator.
std::string formatFixed6(double value);

} // namespace plicato
