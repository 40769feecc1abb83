// Width of a piece of paper. A piece is narrow where two parts of its outline come closer than
// the limit with paper between them, and the two parts are not just the two sides of a corner.
// This is the inward offset read backwards: shrinking the outline by half the limit would cut
// the paper apart (or make it vanish) exactly at such places, and nowhere else except at corners,
// which every cut piece has and which do not tear.
#include "check/paper_width.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace plicato {

namespace {

// Two outline points closer than this are the same point (an outline touching itself), which
// says nothing about the width of the paper around it.
constexpr double touchEps = 1e-9;
// Widths within this of the limit are the limit: turning a design must not change its findings.
constexpr double widthEps = 1e-6;
// Across a corner, the way along the outline between the two closest points is at most about as
// long as their distance: exactly as long across a cut-off corner, pi/2 times as long around a
// rounded end. Across a neck or a strip the way goes round the paper and is longer; a way more
// than this many times the distance means the two points lie on different parts of the outline.
constexpr double cornerRatio = 1.8;

struct Edge {
    Point2 a, b;
    double along = 0.0; // length of the loop from its first point to a
    double length = 0.0;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    int loop = 0;
    int index = 0;
};

Point2 lerp(const Point2& a, const Point2& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

double dot(double ax, double ay, double bx, double by) {
    return ax * bx + ay * by;
}

double clamp01(double t) {
    return std::clamp(t, 0.0, 1.0);
}

// Closest points of segments e and f as parameters along each. Segments running side by side
// meet at the middle of their common stretch, so that the way along the outline between the two
// points measures how far the stretch reaches on both sides.
void closestParams(const Edge& e, const Edge& f, double& s, double& t) {
    const double d1x = e.b.x - e.a.x, d1y = e.b.y - e.a.y;
    const double d2x = f.b.x - f.a.x, d2y = f.b.y - f.a.y;
    const double rx = e.a.x - f.a.x, ry = e.a.y - f.a.y;
    const double a = dot(d1x, d1y, d1x, d1y), ee = dot(d2x, d2y, d2x, d2y);
    const double ff = dot(d2x, d2y, rx, ry);
    if (a <= 0.0 && ee <= 0.0) {
        s = t = 0.0;
        return;
    }
    if (a <= 0.0) {
        s = 0.0;
        t = clamp01(ff / ee);
        return;
    }
    const double c = dot(d1x, d1y, rx, ry);
    if (ee <= 0.0) {
        t = 0.0;
        s = clamp01(-c / a);
        return;
    }
    const double b = dot(d1x, d1y, d2x, d2y);
    const double denom = a * ee - b * b;
    if (denom <= 1e-12 * a * ee) {
        // Parallel: the common stretch of f's ends projected on e.
        const double t0 = -c / a, t1 = (b - c) / a;
        const double lo = std::max(0.0, std::min(t0, t1)), hi = std::min(1.0, std::max(t0, t1));
        if (lo <= hi) {
            s = (lo + hi) / 2;
            const Point2 p = lerp(e.a, e.b, s);
            t = clamp01(dot(p.x - f.a.x, p.y - f.a.y, d2x, d2y) / ee);
            return;
        }
        s = t0 < 0.0 && t1 < 0.0 ? 0.0 : 1.0;
    } else {
        s = clamp01((b * ff - c * ee) / denom);
    }
    t = (b * s + ff) / ee;
    if (t < 0.0) {
        t = 0.0;
        s = clamp01(-c / a);
    } else if (t > 1.0) {
        t = 1.0;
        s = clamp01((b - c) / a);
    }
}

// Even-odd inside test over every loop of the face.
bool insidePaper(const Face& face, const Point2& q) {
    bool inside = false;
    for (const auto& loop : face.polygon.loops) {
        const std::vector<Point2>& p = loop->points;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if ((p[i].y > q.y) != (p[j].y > q.y) &&
                q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
        }
    }
    return inside;
}

// The width of the face's convex hull in its narrowest direction, which is across one of the
// hull's edges (rotating calipers); recorded when below the limit.
void hullWidth(const Face& face, double limit, NarrowPlace& best) {
    std::vector<Point2> points;
    for (const auto& loop : face.polygon.loops)
        if (!loop->isHole)
            points.insert(points.end(), loop->points.begin(), loop->points.end());
    std::sort(points.begin(), points.end(), [](const Point2& a, const Point2& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return;
    const auto cross = [](const Point2& o, const Point2& a, const Point2& b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::vector<Point2> hull(2 * points.size());
    std::size_t k = 0;
    for (const Point2& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    if (hull.size() < 3)
        return;
    double narrowest = std::numeric_limits<double>::infinity();
    Point2 from, to;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const Point2& a = hull[i];
        const Point2& b = hull[(i + 1) % hull.size()];
        const double length = distance2(a.x, a.y, b.x, b.y);
        if (length <= 0.0)
            continue;
        double across = 0.0;
        Point2 far = a;
        for (const Point2& p : hull) {
            const double d = std::fabs(cross(a, b, p)) / length;
            if (d > across) {
                across = d;
                far = p;
            }
        }
        if (across < narrowest) {
            narrowest = across;
            const double t =
                dot(far.x - a.x, far.y - a.y, b.x - a.x, b.y - a.y) / (length * length);
            from = lerp(a, b, t);
            to = far;
        }
    }
    if (narrowest < limit - widthEps && (!best.found || narrowest < best.width)) {
        best.found = true;
        best.width = narrowest;
        best.from = from;
        best.to = to;
    }
}

} // namespace

NarrowPlace narrowestPlace(const Face& face, double limit) {
    NarrowPlace best;
    if (!(limit > 0.0))
        return best;
    std::vector<Edge> edges;
    std::vector<double> loopLength;
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const auto& loop : face.polygon.loops) {
        const std::vector<Point2>& p = loop->points;
        double along = 0.0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            Edge e;
            e.a = p[i];
            e.b = p[(i + 1) % p.size()];
            e.along = along;
            e.length = distance2(e.a.x, e.a.y, e.b.x, e.b.y);
            e.minX = std::min(e.a.x, e.b.x);
            e.maxX = std::max(e.a.x, e.b.x);
            e.minY = std::min(e.a.y, e.b.y);
            e.maxY = std::max(e.a.y, e.b.y);
            e.loop = int(loopLength.size());
            e.index = int(i);
            along += e.length;
            edges.push_back(e);
            minX = std::min(minX, e.minX);
            maxX = std::max(maxX, e.maxX);
            minY = std::min(minY, e.minY);
            maxY = std::max(maxY, e.maxY);
        }
        loopLength.push_back(along);
    }
    if (edges.empty())
        return best;

    // A piece narrower than the limit in some direction is that narrow all along, even where
    // no two edges face each other (a small round piece, a sliver ending in a sharp tip). Its
    // width in that direction is its convex hull's, which is at least its area over its
    // diameter; the hull is only built when that bound does not already clear the limit.
    double area = 0.0;
    for (const auto& loop : face.polygon.loops) {
        double twice = 0.0;
        const std::vector<Point2>& p = loop->points;
        for (std::size_t i = 0; i < p.size(); ++i)
            twice += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
        area += loop->isHole ? -std::fabs(twice) / 2 : std::fabs(twice) / 2;
    }
    if (area < limit * distance2(minX, minY, maxX, maxY))
        hullWidth(face, limit, best);

    // Sweep along x: only edges whose boxes come within the limit of each other can be close.
    std::sort(edges.begin(), edges.end(),
              [](const Edge& e, const Edge& f) { return e.minX < f.minX; });
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const Edge& e = edges[i];
        for (std::size_t j = i + 1; j < edges.size() && edges[j].minX <= e.maxX + limit; ++j) {
            const Edge& f = edges[j];
            if (f.minY > e.maxY + limit || e.minY > f.maxY + limit)
                continue;
            if (e.loop == f.loop) {
                const int n = int(face.polygon.loops[std::size_t(e.loop)]->points.size());
                const int gap = std::abs(e.index - f.index);
                if (gap <= 1 || gap == n - 1)
                    continue; // neighbours meet at a corner
            }
            double s = 0, t = 0;
            closestParams(e, f, s, t);
            const Point2 p = lerp(e.a, e.b, s), q = lerp(f.a, f.b, t);
            const double width = distance2(p.x, p.y, q.x, q.y);
            if (width < touchEps || width >= limit - widthEps ||
                (best.found && width >= best.width))
                continue;
            if (e.loop == f.loop) {
                const double total = loopLength[std::size_t(e.loop)];
                const double way = std::fabs(e.along + s * e.length - (f.along + t * f.length));
                if (std::min(way, total - way) <= cornerRatio * width)
                    continue;
            }
            // Paper between the two points, not a gap of the outline (a slot cut into it).
            if (!insidePaper(face, lerp(p, q, 0.5)))
                continue;
            best.found = true;
            best.width = width;
            best.from = p;
            best.to = q;
        }
    }
    return best;
}

} // namespace plicato
