// The placement shortcut spares the engine a clip only when the answer is sure: each answer it
// gives must be what the engine's clip would show, with or without the segment runs.
#include "popup/face_placement.h"

#include "popup/rebuild_memo.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

using namespace plicato;

namespace {

Polygon minus(const Polygon& a, const Polygon& b) {
    Polygon r = a;
    memoisedClip(r, ClipOp::Difference, b, nullptr);
    return r;
}

// A closed loop through the points, a hole when asked.
void addLoop(Polygon& p, std::vector<Point2> points, bool hole = false) {
    auto loop = std::make_unique<Loop>();
    loop->points = std::move(points);
    loop->isHole = hole;
    p.addLoop(std::move(loop));
}

std::vector<Point2> square(double x0, double y0, double side) {
    return {{x0, y0}, {x0, y0 + side}, {x0 + side, y0 + side}, {x0 + side, y0}};
}

// A circle of many points, so that its segment runs are more than one.
std::vector<Point2> circle(double cx, double cy, double r, int n = 100) {
    std::vector<Point2> out;
    out.reserve(std::size_t(n));
    for (int k = 0; k < n; ++k)
        out.push_back({cx + r * std::cos(-2 * M_PI * k / n), cy + r * std::sin(-2 * M_PI * k / n)});
    return out;
}

Placement place(const Polygon& a, const Polygon& b, bool withRuns) {
    PlacementScratch scratch;
    const SegmentRuns runs = segmentRuns(a);
    return placement(a, boxOf(a), b, boxOf(b), scratch, withRuns ? &runs : nullptr);
}

} // namespace

TEST(FacePlacement, OutlinesCloserThanTheMarginAreNeverCalledApart) {
    struct Row {
        const char* what;
        std::vector<std::vector<Point2>> a, aHoles, b;
        Placement expected;
    };
    const std::vector<Row> rows = {
        {"a gap of twice the margin",
         {square(0, 0, 1)},
         {},
         {square(1 + 2e-5, 0, 1)},
         Placement::Apart},
        {"a gap of half the margin",
         {square(0, 0, 1)},
         {},
         {square(1 + 0.5e-5, 0, 1)},
         Placement::Unknown},
        {"a shared edge", {square(0, 0, 1)}, {}, {square(1, 0, 1)}, Placement::Unknown},
        {"a corner touching", {square(0, 0, 1)}, {}, {square(1, 1, 1)}, Placement::Unknown},
        {"b well inside a", {square(0, 0, 10)}, {}, {square(2, 2, 3)}, Placement::Within},
        {"a well inside b", {square(2, 2, 3)}, {}, {square(0, 0, 10)}, Placement::Encloses},
        {"b inside a's hole",
         {circle(0, 0, 10)},
         {circle(0, 0, 6)},
         {circle(0, 0, 5)},
         Placement::Apart},
        {"b inside a's hole, nearly touching it",
         {circle(0, 0, 10)},
         {circle(0, 0, 6)},
         {circle(0, 0, 6 - 0.5e-5)},
         Placement::Unknown},
        {"b round a's hole, inside a",
         {circle(0, 0, 10)},
         {circle(0, 0, 3)},
         {circle(0, 0, 6)},
         Placement::Unknown},
        {"b partly in a's ring, partly in its hole",
         {circle(0, 0, 10)},
         {circle(0, 0, 4)},
         {circle(7, 0, 1), circle(0, 0, 1)},
         Placement::Unknown},
        {"b inside a, between many points",
         {circle(0, 0, 10)},
         {},
         {circle(5, 0, 4.9)},
         Placement::Within},
        {"b within a, but too many segments of both near each other to find out",
         {circle(0, 0, 10, 400)},
         {},
         {circle(0, 0, 9.99, 400)},
         Placement::Unknown},
        {"b outside a, between many points",
         {circle(0, 0, 10)},
         {},
         {circle(15.1, 0, 5)},
         Placement::Apart},
    };
    for (const Row& row : rows) {
        Polygon a, b;
        for (const auto& l : row.a)
            addLoop(a, l);
        for (const auto& l : row.aHoles)
            addLoop(a, l, true);
        for (const auto& l : row.b)
            addLoop(b, l);
        EXPECT_EQ(place(a, b, false), row.expected) << row.what;
        EXPECT_EQ(place(a, b, true), row.expected) << row.what << ", with runs";
    }
}

TEST(FacePlacement, EverySureAnswerIsWhatTheEngineShows) {
    // Outlines of a random design, and each glyph shrunk about its box's centre (often inside
    // itself, or inside one of its holes).
    plicato::testing::RandomDesigner designer(23, 200, 100);
    plicato::testing::RandomDesignOptions options;
    options.faceCount = 150;
    options.textShare = 0.4;
    options.glyphPoints = 120;
    std::vector<Polygon> outlines;
    for (plicato::testing::RandomFace& rf : designer.faces(options)) {
        const Polygon& p = rf.face->polygon;
        outlines.push_back(p);
        if (p.loops.size() < 2)
            continue;
        const Box box = boxOf(p);
        const double cx = (box.minX + box.maxX) / 2, cy = (box.minY + box.maxY) / 2;
        Polygon shrunk;
        for (const auto& loop : p.loops) {
            std::vector<Point2> pts;
            for (const Point2& q : loop->points)
                pts.push_back({cx + 0.3 * (q.x - cx), cy + 0.3 * (q.y - cy)});
            addLoop(shrunk, pts, loop->isHole);
        }
        outlines.push_back(std::move(shrunk));
    }
    std::map<Placement, int> seen;
    for (std::size_t i = 0; i < outlines.size(); ++i)
        for (std::size_t j = 0; j < outlines.size(); ++j) {
            const Polygon& a = outlines[i];
            const Polygon& b = outlines[j];
            if (i == j || !boxOf(a).meets(boxOf(b)))
                continue;
            const Placement p = place(a, b, false);
            ASSERT_EQ(place(a, b, true), p) << i << " " << j;
            ++seen[p];
            const double tolerance = 1e-9 * (regionArea(a) + regionArea(b));
            switch (p) {
            case Placement::Apart:
                EXPECT_NEAR(regionArea(minus(b, a)), regionArea(b), tolerance) << i << " " << j;
                break;
            case Placement::Within:
                EXPECT_NEAR(regionArea(minus(b, a)), 0.0, tolerance) << i << " " << j;
                break;
            case Placement::Encloses:
                EXPECT_NEAR(regionArea(minus(a, b)), 0.0, tolerance) << i << " " << j;
                EXPECT_NEAR(regionArea(minus(b, a)), regionArea(b) - regionArea(a), tolerance)
                    << i << " " << j;
                break;
            case Placement::Unknown:
                break;
            }
        }
    // Every answer was given, and checked, many times.
    for (Placement p :
         {Placement::Apart, Placement::Within, Placement::Encloses, Placement::Unknown})
        EXPECT_GE(seen[p], 20) << int(p);
}
