// Pattern lines compared as drawn: every stretch of a line of one pattern lies within a distance
// of a line of the same kind in the other, whatever way the stretches are split or merged.
#pragma once

#include "pattern/pattern_line.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace plicato::testing {

inline double pointSegmentDistance(double px, double py, const PatternLine& m) {
    const double dx = m.x2 - m.x1, dy = m.y2 - m.y1;
    const double len2 = dx * dx + dy * dy;
    const double t =
        len2 > 0 ? std::clamp(((px - m.x1) * dx + (py - m.y1) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(m.x1 + t * dx - px, m.y1 + t * dy - py);
}

inline std::string describe(const PatternLine& l) {
    static const char* const kinds[] = {"cut", "mountain", "valley"};
    std::ostringstream s;
    s.precision(10);
    s << kinds[std::clamp(l.kind, 0, 2)] << " (" << l.x1 << ", " << l.y1 << ") - (" << l.x2 << ", "
      << l.y2 << ")";
    return s.str();
}

// Lines shorter than the pattern's own link tolerance are left out of comparisons: the output
// merges such crumbs with any line they touch (its collinearity test is not normalised), in an
// order that follows the order of the faces.
inline constexpr double shortestComparedLine = 0.01;

// The first line of `a` (longer than twice the tolerance and than the shortest compared line)
// with a stretch farther than `tol` from every line of its kind in `b`, described; empty when
// there is none.
inline std::string lineMissingFrom(const PatternLineList& a, const PatternLineList& b, double tol) {
    for (const PatternLine& l : a) {
        const double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
        if (len <= std::max(2 * tol, shortestComparedLine))
            continue;
        constexpr int samples = 9;
        for (int k = 0; k < samples; ++k) {
            // From just inside one end to just inside the other: ends may move by the tolerance.
            const double t = (tol + (len - 2 * tol) * k / (samples - 1)) / len;
            const double px = l.x1 + t * (l.x2 - l.x1), py = l.y1 + t * (l.y2 - l.y1);
            const bool covered = std::any_of(b.begin(), b.end(), [&](const PatternLine& m) {
                return m.kind == l.kind && pointSegmentDistance(px, py, m) <= tol;
            });
            if (!covered)
                return describe(l);
        }
    }
    return {};
}

// Empty when the two patterns draw the same lines within `tol`, else what differs.
inline std::string patternDifference(const PatternLineList& a, const PatternLineList& b,
                                     double tol) {
    if (std::string m = lineMissingFrom(a, b, tol); !m.empty())
        return "only in the first: " + m;
    if (std::string m = lineMissingFrom(b, a, tol); !m.empty())
        return "only in the second: " + m;
    return {};
}

} // namespace plicato::testing
