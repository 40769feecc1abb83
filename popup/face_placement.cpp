#include "popup/face_placement.h"

#include <algorithm>
#include <cstddef>

namespace plicato {

SegmentRuns segmentRuns(const Polygon& p) {
    SegmentRuns r;
    for (const auto& loop : p.loops) {
        const auto& pts = loop->points;
        const std::size_t n = pts.size();
        for (std::size_t i = 0; i < n; i += SegmentRuns::span) {
            Box b;
            const std::size_t end = std::min(i + SegmentRuns::span, n);
            for (std::size_t k = i + n - 1; k <= end + n; ++k)
                b.take(pts[k % n]);
            r.boxes.push_back(b);
        }
    }
    return r;
}

namespace {

// Closer than this, outlines are taken to meet: the engine bundles edges that nearly coincide.
constexpr double apartMargin = 1e-5;

// The box [x0, x1] x [y0, y1], grown by the margin.
Box grown(double x0, double x1, double y0, double y1) {
    return {x0 - apartMargin, y0 - apartMargin, x1 + apartMargin, y1 + apartMargin};
}

// Whether box r lies wholly beyond one side of g.
bool beyond(const Box& r, const Box& g) {
    return r.maxX < g.minX || r.minX > g.maxX || r.maxY < g.minY || r.minY > g.maxY;
}

// Whether segment pq lies wholly beyond one side of g.
bool beyond(const Point2& p, const Point2& q, const Box& g) {
    return std::max(p.x, q.x) < g.minX || std::min(p.x, q.x) > g.maxX ||
           std::max(p.y, q.y) < g.minY || std::min(p.y, q.y) > g.maxY;
}

double pointSegmentDistance2(const Point2& p, const Point2& a, const Point2& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

double cross(const Point2& o, const Point2& a, const Point2& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Whether two segments cross or come within the margin of each other.
bool segmentsNear(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const double d1 = cross(a, b, c), d2 = cross(a, b, d);
    const double d3 = cross(c, d, a), d4 = cross(c, d, b);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    const double m2 = apartMargin * apartMargin;
    return pointSegmentDistance2(a, c, d) <= m2 || pointSegmentDistance2(b, c, d) <= m2 ||
           pointSegmentDistance2(c, a, b) <= m2 || pointSegmentDistance2(d, a, b) <= m2;
}

// Even-odd inside test of q against all loops of p; `runs`, when given, are p's.
bool insideRegion(const Point2& q, const Polygon& p, const SegmentRuns* runs = nullptr) {
    bool in = false;
    std::size_t run = 0;
    for (const auto& loop : p.loops) {
        const auto& pts = loop->points;
        for (std::size_t i = 0, n = pts.size(), j = n - 1; i < n; j = i++) {
            // A run wholly above the ray's line, or wholly on or below it, crosses nothing.
            if (runs && i % SegmentRuns::span == 0) {
                const Box& r = runs->boxes[run++];
                if (r.minY > q.y || r.maxY <= q.y) {
                    // The loop's step makes j the run's last vertex, i the next run's first.
                    i = std::min(i + SegmentRuns::span - 1, n - 1);
                    continue;
                }
            }
            const Point2& a = pts[i];
            const Point2& b = pts[j];
            if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
    }
    return in;
}

// Calls visit(a, b) for each segment of p whose box reaches into the window (grown by the
// margin), in order, until it returns false; whether it never did. `runs`, when given, are p's.
template <class Visit>
bool eachSegmentIn(const Polygon& p, const Box& w, Visit visit, const SegmentRuns* runs = nullptr) {
    const Box g = grown(w.minX, w.maxX, w.minY, w.maxY);
    std::size_t run = 0;
    for (const auto& loop : p.loops) {
        const auto& pts = loop->points;
        for (std::size_t i = 0, n = pts.size(); i < n; ++i) {
            if (runs && i % SegmentRuns::span == 0 && beyond(runs->boxes[run++], g)) {
                i += SegmentRuns::span - 1;
                continue;
            }
            const Point2& a = pts[i];
            const Point2& b = pts[i + 1 == n ? 0 : i + 1];
            if (beyond(a, b, g))
                continue;
            if (!visit(a, b))
                return false;
        }
    }
    return true;
}

// Segments of p whose box reaches into the window (grown by the margin); `runs` as above.
void segmentsIn(const Polygon& p, const Box& w, std::vector<Segment>& out,
                const SegmentRuns* runs = nullptr) {
    out.clear();
    eachSegmentIn(
        p, w,
        [&](const Point2& a, const Point2& b) {
            out.push_back({a, b});
            return true;
        },
        runs);
}

// The runs of p (whose runs are `runs`) whose box reaches into the window (grown by the margin),
// and the count of the segments they hold, which is at least that of p's segments in it.
std::size_t runsIn(const Polygon& p, const SegmentRuns& runs, const Box& w,
                   std::vector<WindowRun>& out) {
    out.clear();
    const Box g = grown(w.minX, w.maxX, w.minY, w.maxY);
    std::size_t segments = 0;
    std::size_t run = 0;
    for (const auto& loop : p.loops) {
        const std::size_t n = loop->points.size();
        for (std::size_t i = 0; i < n; i += SegmentRuns::span) {
            const Box& r = runs.boxes[run++];
            if (beyond(r, g))
                continue;
            out.push_back({&loop->points, i, r});
            segments += std::min(SegmentRuns::span, n - i);
        }
    }
    return segments;
}

} // namespace

Placement placement(const Polygon& a, const Box& boxA, const Polygon& b, const Box& boxB,
                    PlacementScratch& scratch, const SegmentRuns* aRuns) {
    const Box w{std::max(boxA.minX, boxB.minX), std::max(boxA.minY, boxB.minY),
                std::min(boxA.maxX, boxB.maxX), std::min(boxA.maxY, boxB.maxY)};
    // One outline's segments in the window are tested against the other's as they are found:
    // the first that comes near one settles it. Past this many pairs, finding out is not worth
    // it (the limit is on the product of the two counts in the window, so which is which
    // changes nothing).
    constexpr std::size_t pairLimit = 20000;
    // Segment pq's box grown by the margin: a segment beyond it is not near pq.
    const auto reach = [](const Point2& p, const Point2& q) {
        return grown(std::min(p.x, q.x), std::max(p.x, q.x), std::min(p.y, q.y),
                     std::max(p.y, q.y));
    };
    std::size_t inWindow = 0;
    bool clear = true;
    if (aRuns) {
        // With a's runs known, a's segments are not gathered: each of b's is tested against
        // those of a's runs near it, in the window. The exact count of a's segments in the
        // window is needed only where the runs' count would pass the limit.
        const std::vector<WindowRun>& runs = scratch.runs;
        const Box g = grown(w.minX, w.maxX, w.minY, w.maxY);
        const std::size_t bound = runsIn(a, *aRuns, w, scratch.runs);
        std::size_t exact = bound;
        bool counted = false;
        clear = eachSegmentIn(b, w, [&](const Point2& p, const Point2& q) {
            if (++inWindow * bound > pairLimit) {
                if (!counted) {
                    exact = 0;
                    eachSegmentIn(
                        a, w, [&](const Point2&, const Point2&) { return ++exact; }, aRuns);
                    counted = true;
                }
                if (inWindow * exact > pairLimit)
                    return false;
            }
            const Box near = reach(p, q);
            for (const WindowRun& r : runs) {
                if (beyond(r.box, near))
                    continue;
                const std::vector<Point2>& pts = *r.points;
                const std::size_t n = pts.size();
                const std::size_t end = std::min(r.first + SegmentRuns::span, n);
                for (std::size_t i = r.first; i < end; ++i) {
                    const Point2& s = pts[i];
                    const Point2& t = pts[i + 1 == n ? 0 : i + 1];
                    if (beyond(s, t, g) || beyond(s, t, near))
                        continue;
                    if (segmentsNear(p, q, s, t))
                        return false;
                }
            }
            return true;
        });
    } else {
        std::vector<Segment>& sb = scratch.segments;
        segmentsIn(b, w, sb);
        clear = eachSegmentIn(a, w, [&](const Point2& p, const Point2& q) {
            if (++inWindow * sb.size() > pairLimit)
                return false;
            const Box near = reach(p, q);
            for (const Segment& t : sb) {
                if (beyond(t.a, t.b, near))
                    continue;
                if (segmentsNear(p, q, t.a, t.b))
                    return false;
            }
            return true;
        });
    }
    if (!clear)
        return Placement::Unknown;
    // A point beyond the region's box is outside it without a look at its edges.
    const auto loopsInside = [](const Polygon& p, const Polygon& region, const Box& regionBox,
                                const SegmentRuns* runs) {
        int n = 0;
        for (const auto& loop : p.loops) {
            if (loop->points.empty())
                continue;
            const Point2& q = loop->points.front();
            if (q.x < regionBox.minX || q.x > regionBox.maxX || q.y < regionBox.minY ||
                q.y > regionBox.maxY)
                continue;
            if (insideRegion(q, region, runs))
                ++n;
        }
        return n;
    };
    const int aInB = loopsInside(a, b, boxB, nullptr);
    const int bInA = loopsInside(b, a, boxA, aRuns);
    if (aInB == 0 && bInA == 0)
        return Placement::Apart;
    if (aInB == 0 && bInA == static_cast<int>(b.loops.size()))
        return Placement::Within;
    if (bInA == 0 && aInB == static_cast<int>(a.loops.size()))
        return Placement::Encloses;
    return Placement::Unknown;
}

} // namespace plicato
