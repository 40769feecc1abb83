// A glyph's outline as contours of curve records (start point; line, quadratic and cubic
// records), and its conversion into polygons: curves sampled, holes told from outer boundaries.
#pragma once

#include "model/geometry.h"

#include <vector>

namespace plicato {

enum class CurveType : int { Line = 1, QuadraticSpline = 2, CubicSpline = 3 };

// One record: its points follow the end point of the record before it (or the start point).
struct CurveRecord {
    CurveType type = CurveType::Line;
    std::vector<Point2> points;
};

// One closed contour; the segment from the last record's end back to `start` is implied.
struct OutlineContour {
    Point2 start;
    std::vector<CurveRecord> records;
};

// A glyph at its em height in device pixels, y upwards from the baseline.
struct GlyphOutline {
    std::vector<OutlineContour> contours;
    double advance = 0.0; // horizontal cell advance in pixels
};

using Contour = std::vector<Point2>;

// Bezier samples of P (degree = P.size() - 1) at t = 0.01 .. 0.99, each at least
// `segmentLength` from the one kept before it; a line record, or fewer than three points,
// copies P whole.
void sampleCurve(const std::vector<Point2>& P, CurveType type, double segmentLength, Contour& out);
// One polygon per contour of the glyph, shifted right by xOffset. Consecutive line records
// repeat their junction point; the face creation drops such near-duplicates.
std::vector<Contour> contourFromOutline(const GlyphOutline& glyph, double xOffset,
                                        double segmentLength);
// For each contour: true when the segment from its topmost point to (x + 1000, 1000) crosses
// the edges of the other contours an odd number of times.
std::vector<bool> classifyHoles(const std::vector<Contour>& contours);
// For each contour: how many of the other contours enclose it (an odd crossing count of its
// test segment with that contour). Faces are made shallowest first so that an island inside a
// hole, like the inner square of a box-in-box character, is laid over the hole's cut-out.
std::vector<int> nestingDepths(const std::vector<Contour>& contours);

} // namespace plicato
