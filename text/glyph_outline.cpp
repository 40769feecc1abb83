// Sampling of glyph curves and the even-odd sorting of a character's contours.
#include "text/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plicato {

void sampleCurve(const std::vector<Point2>& P, CurveType type, double segmentLength, Contour& out) {
    if (type == CurveType::Line || P.size() < 3) {
        out.insert(out.end(), P.begin(), P.end());
        return;
    }
    const std::size_t n = P.size() - 1;
    // Binomial coefficients of degree n, built row by row so large degrees stay finite.
    std::vector<double> binomial(n + 1, 0.0);
    binomial[0] = 1.0;
    for (std::size_t row = 1; row <= n; ++row)
        for (std::size_t j = row; j > 0; --j)
            binomial[j] += binomial[j - 1];
    Point2 last = P.front();
    for (int i = 1; i <= 99; ++i) {
        const double t = i * 0.01;
        Point2 b;
        for (std::size_t j = 0; j <= n; ++j) {
            const double w =
                binomial[j] * std::pow(1.0 - t, double(n - j)) * std::pow(t, double(j));
            b.x += w * P[j].x;
            b.y += w * P[j].y;
        }
        if (distance2(last.x, last.y, b.x, b.y) >= segmentLength) {
            out.push_back(b);
            last = b;
        }
    }
}

std::vector<Contour> contourFromOutline(const GlyphOutline& glyph, double xOffset,
                                        double segmentLength) {
    std::vector<Contour> contours;
    contours.reserve(glyph.contours.size());
    for (const OutlineContour& c : glyph.contours) {
        std::vector<Point2> P{c.start};
        Contour O;
        CurveType lastType = CurveType::Line;
        for (const CurveRecord& r : c.records) {
            P.insert(P.end(), r.points.begin(), r.points.end());
            sampleCurve(P, r.type, segmentLength, O);
            P.erase(P.begin(), P.end() - 1);
            lastType = r.type;
        }
        // The closing piece back to the start: with two points it is always copied as a line.
        P.push_back(c.start);
        sampleCurve(P, lastType, segmentLength, O);
        for (Point2& p : O)
            p.x += xOffset;
        contours.push_back(std::move(O));
    }
    return contours;
}

namespace {

double side(const Point2& a, const Point2& b, const Point2& p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

// Proper crossing only: each segment strictly straddles the other's line.
bool segmentsCross(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y))
        return false;
    const double s1 = side(a, b, c), s2 = side(a, b, d);
    const double s3 = side(c, d, a), s4 = side(c, d, b);
    return ((s1 > 0 && s2 < 0) || (s1 < 0 && s2 > 0)) && ((s3 > 0 && s4 < 0) || (s3 < 0 && s4 > 0));
}

// The test segment of each contour: from its topmost point (the first on a tie) towards
// (x + 1000, 1000), which lies outside every glyph up to about 1000 pixels; larger glyphs push
// the end out beyond their bounds so it stays outside.
std::vector<std::pair<Point2, Point2>> testSegments(const std::vector<Contour>& contours) {
    double maxX = 0.0, maxY = 0.0;
    for (const Contour& c : contours)
        for (const Point2& p : c) {
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    std::vector<std::pair<Point2, Point2>> segments;
    segments.reserve(contours.size());
    for (const Contour& c : contours) {
        Point2 top = c.empty() ? Point2{} : c.front();
        for (const Point2& p : c)
            if (p.y > top.y)
                top = p;
        const double reach = std::max({1000.0, maxX - top.x + 1.0, maxY + 1.0});
        segments.emplace_back(top, Point2{top.x + reach, reach});
    }
    return segments;
}

int crossings(const std::pair<Point2, Point2>& segment, const Contour& other) {
    int count = 0;
    for (std::size_t e = 0; e < other.size(); ++e)
        if (segmentsCross(segment.first, segment.second, other[e], other[(e + 1) % other.size()]))
            ++count;
    return count;
}

} // namespace

std::vector<bool> classifyHoles(const std::vector<Contour>& contours) {
    const auto segments = testSegments(contours);
    std::vector<bool> holes(contours.size(), false);
    for (std::size_t i = 0; i < contours.size(); ++i) {
        if (contours[i].empty())
            continue;
        int count = 0;
        for (std::size_t k = 0; k < contours.size(); ++k)
            if (k != i)
                count += crossings(segments[i], contours[k]);
        holes[i] = count % 2 == 1;
    }
    return holes;
}

std::vector<int> nestingDepths(const std::vector<Contour>& contours) {
    const auto segments = testSegments(contours);
    std::vector<int> depths(contours.size(), 0);
    for (std::size_t i = 0; i < contours.size(); ++i) {
        if (contours[i].empty())
            continue;
        for (std::size_t k = 0; k < contours.size(); ++k)
            if (k != i && crossings(segments[i], contours[k]) % 2 == 1)
                ++depths[i];
    }
    return depths;
}

} // namespace plicato
