// The development pattern as every output receives it: lines of the flat sheet, each a cut, a
// mountain fold or a valley fold, with duplicates removed and collinear lines of one kind merged.
#pragma once

#include "model/geometry.h"

#include <vector>

namespace plicato {

class CardModel;

enum class LineKind : int { Cut = 0, Mountain = 1, Valley = 2 };

struct PatternLine {
    double x1 = 0.0, y1 = 0.0; // first end, sheet millimetres
    double x2 = 0.0, y2 = 0.0; // second end
    int kind = 0;              // a LineKind value
    friend bool operator==(const PatternLine&, const PatternLine&) = default;
};

using PatternLineList = std::vector<PatternLine>;

// Inserts the line from a to b: ignored when a line of the same kind already has the same ends
// (in either order), merged with an overlapping or touching collinear line of its kind, else
// appended.
void addPatternLine(PatternLineList& list, const Point2& a, const Point2& b, LineKind kind);

// Fills `list` from model.links (run buildPattern first). Lines of zero length are left out.
// Gives the list that addPatternLine gives link by link, searching only nearby lines.
void collectPatternLines(const CardModel& model, PatternLineList& list);
// The same by calling addPatternLine for every link; kept as the reference for the above.
void collectPatternLinesLiteral(const CardModel& model, PatternLineList& list);

// Total length in millimetres of the lines of one kind.
double patternLength(const PatternLineList& list, LineKind kind);

} // namespace plicato
