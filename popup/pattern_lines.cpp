// Turning the links into output lines: duplicate removal and merging of collinear lines per kind.
#include "popup/pattern_line.h"

#include "model/card_model.h"

#include <cmath>

namespace plicato {

namespace {

constexpr double lineEps = 0.0001;

LineKind lineKindOf(FoldKind kind) {
    switch (kind) {
    case FoldKind::Mountain:
        return LineKind::Mountain;
    case FoldKind::Valley:
        return LineKind::Valley;
    case FoldKind::Cut:
        break;
    }
    return LineKind::Cut;
}

} // namespace

void addPatternLine(PatternLineList& list, const Point2& a, const Point2& b, LineKind kind) {
    // A point (or a line shorter than the tolerance) is collinear with every line under the
    // unnormalised cross-product test and would swallow or wipe out real lines; it carries
    // nothing to cut or fold, so it is not kept.
    if (samePoint2(a, b, lineEps))
        return;
    const int k = int(kind);
    for (const PatternLine& m : list) {
        if (m.kind != k)
            continue;
        const Point2 m1{m.x1, m.y1}, m2{m.x2, m.y2};
        if ((samePoint2(m1, a, lineEps) && samePoint2(m2, b, lineEps)) ||
            (samePoint2(m1, b, lineEps) && samePoint2(m2, a, lineEps)))
            return;
    }

    const double dx = a.x - b.x, dy = a.y - b.y;
    const bool alongY = std::fabs(dx) < std::fabs(dy);
    const auto coord = [alongY](const Point2& p) { return alongY ? p.y : p.x; };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PatternLine m = list[i];
        if (m.kind != k)
            continue;
        if (std::fabs((m.x1 - m.x2) * dy - (m.y1 - m.y2) * dx) > lineEps ||
            std::fabs((a.x - m.x2) * dy - (a.y - m.y2) * dx) > lineEps)
            continue;
        const Point2 ends[4] = {a, b, {m.x1, m.y1}, {m.x2, m.y2}};
        const double c[4] = {coord(ends[0]), coord(ends[1]), coord(ends[2]), coord(ends[3])};
        const double nMin = std::fmin(c[0], c[1]), nMax = std::fmax(c[0], c[1]);
        const double mMin = std::fmin(c[2], c[3]), mMax = std::fmax(c[2], c[3]);
        if (!(mMin - lineEps <= nMax && nMin - lineEps <= mMax))
            continue;
        // Any end within the tolerance of the extreme may stand for it; the true extremes are
        // taken so that the union never shrinks.
        int lo = 0, hi = 0;
        for (int e = 1; e < 4; ++e) {
            if (c[e] < c[lo])
                lo = e;
            if (c[e] > c[hi])
                hi = e;
        }
        list.erase(list.begin() + std::ptrdiff_t(i));
        addPatternLine(list, ends[lo], ends[hi], kind);
        return;
    }
    list.push_back({a.x, a.y, b.x, b.y, k});
}

void collectPatternLines(const CardModel& model, PatternLineList& list) {
    for (const auto& link : model.links)
        addPatternLine(list, flatten(link->p1), flatten(link->p2), lineKindOf(link->kind));
}

double patternLength(const PatternLineList& list, LineKind kind) {
    double total = 0.0;
    for (const PatternLine& line : list)
        if (line.kind == int(kind))
            total += distance2(line.x1, line.y1, line.x2, line.y2);
    return total;
}

} // namespace plicato
