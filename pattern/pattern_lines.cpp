// Turning the links into output lines: duplicate removal and merging of collinear lines per kind,
// directly on a list and, for whole patterns, through a grid of the lines already kept.
#include "pattern/pattern_line.h"

#include "model/card_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

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

// A point (or a line shorter than the tolerance) is collinear with every line under the
// unnormalised cross-product test and would swallow or wipe out real lines; it carries nothing
// to cut or fold, so it is not kept.
bool tooShort(const Point2& a, const Point2& b) {
    return samePoint2(a, b, lineEps);
}

bool sameEnds(const PatternLine& m, const Point2& a, const Point2& b) {
    const Point2 m1{m.x1, m.y1}, m2{m.x2, m.y2};
    return (samePoint2(m1, a, lineEps) && samePoint2(m2, b, lineEps)) ||
           (samePoint2(m1, b, lineEps) && samePoint2(m2, a, lineEps));
}

// When M lies on N's line (from a to b) and overlaps or touches it, the ends of their union.
bool unionWith(const PatternLine& m, const Point2& a, const Point2& b, Point2& lo, Point2& hi) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    if (std::fabs((m.x1 - m.x2) * dy - (m.y1 - m.y2) * dx) > lineEps ||
        std::fabs((a.x - m.x2) * dy - (a.y - m.y2) * dx) > lineEps)
        return false;
    const bool alongY = std::fabs(dx) < std::fabs(dy);
    const Point2 ends[4] = {a, b, {m.x1, m.y1}, {m.x2, m.y2}};
    double c[4];
    for (int e = 0; e < 4; ++e)
        c[e] = alongY ? ends[e].y : ends[e].x;
    const double nMin = std::fmin(c[0], c[1]), nMax = std::fmax(c[0], c[1]);
    const double mMin = std::fmin(c[2], c[3]), mMax = std::fmax(c[2], c[3]);
    if (!(mMin - lineEps <= nMax && nMin - lineEps <= mMax))
        return false;
    // Any end within the tolerance of the extreme may stand for it; the true extremes are taken
    // so that the union never shrinks.
    int l = 0, h = 0;
    for (int e = 1; e < 4; ++e) {
        if (c[e] < c[l])
            l = e;
        if (c[e] > c[h])
            h = e;
    }
    lo = ends[l];
    hi = ends[h];
    return true;
}

// The lines kept so far, in list order by sequence number, with a grid of the cells their
// segments pass through. A line that can merge with or duplicate a new line N has a point
// within 3 t + 2e-4 of N's segment, t = 2e-4 / |N| (both ends of such a line lie within t of
// N's carrier line and it overlaps N along N's dominant axis), so only the cells around N are
// searched. Lines with coordinates beyond the grid are checked against every line.
class LineIndex {
public:
    void add(Point2 a, Point2 b, LineKind kind) {
        for (;;) {
            if (tooShort(a, b))
                return;
            const int k = int(kind);
            candidates(a, b);
            bool duplicate = false;
            std::size_t best = lines_.size();
            Point2 lo, hi, bestLo, bestHi;
            for (std::size_t i : found_) {
                const Entry& m = lines_[i];
                if (!m.alive || m.line.kind != k)
                    continue;
                if (sameEnds(m.line, a, b)) {
                    duplicate = true;
                    break;
                }
                if (i < best && unionWith(m.line, a, b, lo, hi)) {
                    best = i;
                    bestLo = lo;
                    bestHi = hi;
                }
            }
            if (duplicate)
                return;
            if (best == lines_.size()) {
                append({a.x, a.y, b.x, b.y, k});
                return;
            }
            lines_[best].alive = false;
            a = bestLo;
            b = bestHi;
        }
    }

    void keep(const PatternLine& line) { append(line); }

    void moveTo(PatternLineList& list) {
        for (Entry& e : lines_)
            if (e.alive)
                list.push_back(e.line);
    }

private:
    struct Entry {
        PatternLine line;
        bool alive = true;
    };
    using Cell = std::pair<std::int64_t, std::int64_t>;
    struct CellHash {
        std::size_t operator()(const Cell& c) const {
            return std::size_t(std::uint64_t(c.first) * 0x9E3779B97F4A7C15ull ^
                               std::uint64_t(c.second) * 0xC2B2AE3D27D4EB4Full);
        }
    };

    static constexpr double cellSize = 2.0;
    static constexpr double gridLimit = 1e6; // millimetres; anything beyond is checked directly
    static constexpr double maxGridLength = 1e4;
    // Covers the rounding of the piece ends and the box edges.
    static constexpr double roundingMargin = 1e-6;

    static bool inGrid(const Point2& a, const Point2& b) {
        return std::fabs(a.x) < gridLimit && std::fabs(a.y) < gridLimit &&
               std::fabs(b.x) < gridLimit && std::fabs(b.y) < gridLimit &&
               distance2(a.x, a.y, b.x, b.y) < maxGridLength;
    }
    static std::int64_t cellOf(double v) { return std::int64_t(std::floor(v / cellSize)); }
    // Every cell that meets the box round a piece of the segment, grown by `margin`, for pieces
    // no longer than a cell: together they hold every point within `margin` of the segment.
    template <class Visit>
    static void cellsNear(const Point2& a, const Point2& b, double margin, Visit&& visit) {
        const double length = distance2(a.x, a.y, b.x, b.y);
        const int pieces = std::max(1, int(std::ceil(length / cellSize)));
        Point2 from = a;
        for (int s = 1; s <= pieces; ++s) {
            const double t = double(s) / pieces;
            const Point2 to =
                s == pieces ? b : Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
            const std::int64_t i0 = cellOf(std::fmin(from.x, to.x) - margin);
            const std::int64_t i1 = cellOf(std::fmax(from.x, to.x) + margin);
            const std::int64_t j0 = cellOf(std::fmin(from.y, to.y) - margin);
            const std::int64_t j1 = cellOf(std::fmax(from.y, to.y) + margin);
            for (std::int64_t i = i0; i <= i1; ++i)
                for (std::int64_t j = j0; j <= j1; ++j)
                    visit(Cell{i, j});
            from = to;
        }
    }

    void append(const PatternLine& line) {
        const std::size_t id = lines_.size();
        lines_.push_back({line, true});
        stamps_.push_back(0);
        const Point2 a{line.x1, line.y1}, b{line.x2, line.y2};
        if (!inGrid(a, b)) {
            wild_.push_back(id);
            return;
        }
        cellsNear(a, b, roundingMargin, [&](const Cell& c) {
            std::vector<std::size_t>& ids = grid_[c];
            if (ids.empty() || ids.back() != id)
                ids.push_back(id);
        });
    }

    // Fills found_ with every kept line that might duplicate or merge with the line a-b.
    void candidates(const Point2& a, const Point2& b) {
        found_.clear();
        ++stamp_;
        const auto take = [this](std::size_t id) {
            if (stamps_[id] != stamp_) {
                stamps_[id] = stamp_;
                found_.push_back(id);
            }
        };
        if (!inGrid(a, b)) {
            for (std::size_t id = 0; id < lines_.size(); ++id)
                take(id);
            return;
        }
        for (std::size_t id : wild_)
            take(id);
        const double length = distance2(a.x, a.y, b.x, b.y);
        const double reach = 3 * (2 * lineEps / length) + 2 * lineEps + roundingMargin;
        cellsNear(a, b, reach, [&](const Cell& c) {
            const auto it = grid_.find(c);
            if (it != grid_.end())
                for (std::size_t id : it->second)
                    take(id);
        });
    }

    std::vector<Entry> lines_;
    std::vector<std::uint64_t> stamps_;
    std::uint64_t stamp_ = 0;
    std::vector<std::size_t> found_;
    std::vector<std::size_t> wild_;
    std::unordered_map<Cell, std::vector<std::size_t>, CellHash> grid_;
};

} // namespace

void addPatternLine(PatternLineList& list, const Point2& a, const Point2& b, LineKind kind) {
    if (tooShort(a, b))
        return;
    const int k = int(kind);
    for (const PatternLine& m : list)
        if (m.kind == k && sameEnds(m, a, b))
            return;
    for (std::size_t i = 0; i < list.size(); ++i) {
        Point2 lo, hi;
        if (list[i].kind == k && unionWith(list[i], a, b, lo, hi)) {
            list.erase(list.begin() + std::ptrdiff_t(i));
            addPatternLine(list, lo, hi, kind);
            return;
        }
    }
    list.push_back({a.x, a.y, b.x, b.y, k});
}

void collectPatternLines(const CardModel& model, PatternLineList& list) {
    // Lines already in the list stay as they are and take part like lines added before.
    LineIndex index;
    for (const PatternLine& line : list)
        index.keep(line);
    list.clear();
    for (const auto& link : model.links)
        index.add(flatten(link->p1), flatten(link->p2), lineKindOf(link->kind));
    index.moveTo(list);
}

void collectPatternLinesLiteral(const CardModel& model, PatternLineList& list) {
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
