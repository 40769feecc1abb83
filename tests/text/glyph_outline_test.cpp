// Curve sampling, contour assembly and hole classification on hand-made outlines; the UTF-8
// decoder and the dialog's number rules.
#include "text/font_face.h"
#include "text/glyph_outline.h"
#include "text/text_shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plicato;

namespace {

Point2 bezier(const std::vector<Point2>& P, double t) {
    std::vector<Point2> q = P; // de Casteljau, independent of the Bernstein sum under test
    for (std::size_t level = q.size() - 1; level > 0; --level)
        for (std::size_t i = 0; i < level; ++i)
            q[i] = {q[i].x + t * (q[i + 1].x - q[i].x), q[i].y + t * (q[i + 1].y - q[i].y)};
    return q[0];
}

Contour square(double x0, double y0, double side) {
    return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
}

} // namespace

TEST(SampleCurve, LineRecordsAndShortListsAreCopiedWhole) {
    const std::vector<Point2> P{{0, 0}, {5, 1}, {9, 9}};
    Contour out{{-1, -1}};
    sampleCurve(P, CurveType::Line, 1.0, out);
    EXPECT_EQ(out, (Contour{{-1, -1}, {0, 0}, {5, 1}, {9, 9}}));
    Contour two;
    sampleCurve({{0, 0}, {3, 4}}, CurveType::QuadraticSpline, 0.2, two);
    EXPECT_EQ(two, (Contour{{0, 0}, {3, 4}}));
}

TEST(SampleCurve, SamplesLieOnTheCurveAndKeepTheirSpacing) {
    struct Row {
        std::vector<Point2> P;
        CurveType type;
        double segment;
    };
    const Row rows[] = {
        {{{0, 0}, {50, 100}, {100, 0}}, CurveType::QuadraticSpline, 0.2},
        {{{0, 0}, {50, 100}, {100, 0}}, CurveType::QuadraticSpline, 1.0},
        {{{0, 0}, {50, 100}, {100, 0}}, CurveType::QuadraticSpline, 5.0},
        {{{0, 0}, {0, 80}, {80, 80}, {80, 0}}, CurveType::CubicSpline, 0.5},
        {{{0, 0}, {0, 80}, {80, 80}, {80, 0}}, CurveType::CubicSpline, 3.0},
        {{{10, 10}, {-40, 30}, {60, 90}, {5, -20}, {0, 0}}, CurveType::QuadraticSpline, 1.0},
    };
    for (const Row& r : rows) {
        Contour out;
        sampleCurve(r.P, r.type, r.segment, out);
        ASSERT_FALSE(out.empty());
        ASSERT_LE(out.size(), 99u);
        Point2 last = r.P.front();
        std::size_t k = 0;
        // Every kept sample is one of B(i/100), in order, and at least a segment from the last.
        for (int i = 1; i <= 99 && k < out.size(); ++i) {
            const Point2 b = bezier(r.P, i * 0.01);
            if (std::hypot(out[k].x - b.x, out[k].y - b.y) < 1e-9) {
                EXPECT_GE(std::hypot(b.x - last.x, b.y - last.y), r.segment);
                last = b;
                ++k;
            }
        }
        EXPECT_EQ(k, out.size()) << "a sample off the curve or out of order";
    }
}

TEST(SampleCurve, LongerSegmentsNeverGiveMorePoints) {
    const std::vector<Point2> P{{0, 0}, {30, 60}, {60, 0}};
    std::size_t previous = 100;
    for (double s : {0.0001, 0.2, 0.5, 1.0, 2.0, 5.0, 50.0, 500.0}) {
        Contour out;
        sampleCurve(P, CurveType::QuadraticSpline, s, out);
        EXPECT_LE(out.size(), previous) << s;
        previous = out.size();
    }
    Contour fine;
    sampleCurve(P, CurveType::QuadraticSpline, 1e-9, fine);
    EXPECT_EQ(fine.size(), 99u); // at most 99 intermediate points
    Contour none;
    sampleCurve({{0, 0}, {1, 2}, {2, 0}}, CurveType::QuadraticSpline, 5.0, none);
    EXPECT_TRUE(none.empty()); // a small curve keeps only its end points, added by its neighbours
}

TEST(ContourFromOutline, LineRecordsRepeatTheirJunctionAndCloseOnTheStart) {
    GlyphOutline g;
    g.contours.push_back(
        {{0, 0}, {{CurveType::Line, {{10, 0}, {10, 10}}}, {CurveType::Line, {{0, 10}}}}});
    const auto contours = contourFromOutline(g, 100.0, 1.0);
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(contours[0],
              (Contour{{100, 0}, {110, 0}, {110, 10}, {110, 10}, {100, 10}, {100, 10}, {100, 0}}));
}

TEST(ContourFromOutline, CurveRecordsAddSamplesButNotTheirEnds) {
    GlyphOutline g;
    g.contours.push_back({{0, 0},
                          {{CurveType::QuadraticSpline, {{20, 40}, {40, 0}}},
                           {CurveType::QuadraticSpline, {{20, -40}, {0, 0}}}}});
    const auto contours = contourFromOutline(g, 0.0, 2.0);
    ASSERT_EQ(contours.size(), 1u);
    const Contour& c = contours[0];
    // Two arcs sampled, then the closing piece from the last end (0, 0) to the start (0, 0).
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[c.size() - 1], (Point2{0, 0}));
    EXPECT_EQ(c[c.size() - 2], (Point2{0, 0}));
    for (std::size_t i = 0; i + 2 < c.size(); ++i)
        EXPECT_FALSE(c[i] == (Point2{40, 0})) << "the junction point itself is not sampled";
}

TEST(ClassifyHoles, EvenOddNestingAndDepthOfContours) {
    struct Row {
        const char* what;
        std::vector<Contour> contours;
        std::vector<bool> holes;
        std::vector<int> depths;
    };
    const Row rows[] = {
        {"single", {square(0, 0, 10)}, {false}, {0}},
        {"ring", {square(0, 0, 100), square(20, 20, 60)}, {false, true}, {0, 1}},
        {"hole listed first", {square(20, 20, 60), square(0, 0, 100)}, {true, false}, {1, 0}},
        {"side by side", {square(0, 0, 10), square(20, 0, 10)}, {false, false}, {0, 0}},
        {"three deep",
         {square(0, 0, 100), square(10, 10, 80), square(30, 30, 40)},
         {false, true, false},
         {0, 1, 2}},
        {"island with its own hole",
         {square(0, 0, 100), square(10, 10, 80), square(30, 30, 40), square(40, 40, 20)},
         {false, true, false, true},
         {0, 1, 2, 3}},
        {"two holes",
         {square(0, 0, 100), square(10, 10, 30), square(60, 60, 30)},
         {false, true, true},
         {0, 1, 1}},
        // Glyphs taller than the fixed end of the test segment still classify.
        {"large ring", {square(0, 0, 3000), square(500, 500, 2000)}, {false, true}, {0, 1}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(classifyHoles(r.contours), r.holes) << r.what;
        EXPECT_EQ(nestingDepths(r.contours), r.depths) << r.what;
    }
}

TEST(ClassifyHoles, TouchingTheTestSegmentIsNoCrossing) {
    // The triangle's segment from (20, 80) crosses the square's top edge once. Two contours that
    // share that start point only touch each other's segments: no crossing.
    const Contour outer{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const Contour touching{{20, 80}, {10, 70}, {30, 70}};
    const Contour edgeThroughStart{{20, 80}, {40, 60}, {0, 60}};
    EXPECT_EQ(classifyHoles({outer, touching}), (std::vector<bool>{false, true}));
    EXPECT_EQ(classifyHoles({touching, edgeThroughStart}), (std::vector<bool>{false, false}));
}

TEST(DecodeUtf8, ScalarsAndReplacements) {
    struct Row {
        std::string in;
        std::u32string out;
    };
    const Row rows[] = {
        {"", U""},
        {"Ab", U"Ab"},
        {"回", U"\u56DE"},
        {"Happy 誕生日", U"Happy \u8A95\u751F\u65E5"},
        {"\xF0\x9F\x8E\x82", U"\U0001F382"},
        {"\xFF", U"\uFFFD"},
        {"\xC0\x80", U"\uFFFD\uFFFD"},                     // overlong
        {"\xE5\x9B", U"\uFFFD\uFFFD"},                     // cut short
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"a\x80z", U"a\uFFFDz"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(decodeUtf8(r.in), r.out) << r.in;
}

TEST(TextDialogRules, SegmentLengthRange) {
    struct Row {
        double length;
        bool accepted;
    };
    const Row rows[] = {{0.19, false}, {0.2, true},
                        {1.0, true},   {5.0, true},
                        {5.01, false}, {0.0, false},
                        {-1.0, false}, {std::numeric_limits<double>::quiet_NaN(), false}};
    for (const Row& r : rows) {
        CollectingMessageSink sink;
        EXPECT_EQ(checkSegmentLength(r.length, sink), r.accepted) << r.length;
        if (r.accepted) {
            EXPECT_TRUE(sink.messages.empty());
        } else {
            ASSERT_EQ(sink.messages.size(), 1u);
            EXPECT_EQ(sink.messages[0], "曲線部の分割線分長には、0.20から5の値を指定してください");
        }
    }
}

TEST(TextDialogRules, EmHeightFromTheScreenResolution) {
    struct Row {
        int size, dpi, pixels;
    };
    const Row rows[] = {{30, 96, 40}, {10, 96, 13}, {200, 96, 266}, {30, 120, 50},
                        {25, 96, 33}, {30, 72, 30}, {10, 144, 20}};
    for (const Row& r : rows)
        EXPECT_EQ(emPixelsFor(r.size, r.dpi), r.pixels) << r.size << " at " << r.dpi;
}
