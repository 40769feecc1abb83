// Conversions between loops, polygons and the engine's polygon form.
#include "model/polygon.h"

#include <gtest/gtest.h>

using namespace plicato;

namespace {
std::unique_ptr<Loop> makeLoop(std::initializer_list<Point2> pts, bool hole) {
    auto loop = std::make_unique<Loop>();
    loop->points = pts;
    loop->isHole = hole;
    return loop;
}
} // namespace

TEST(Polygon, EmptyLoopGivesOneEmptyContour) {
    Loop loop;
    ClipPolygon clip;
    loop.toClipPolygon(clip);
    ASSERT_EQ(clip.contourCount, 1);
    EXPECT_EQ(clip.contours[0].vertexCount, 0);
    EXPECT_EQ(clip.holeFlags[0], 0);
    freeClipPolygon(clip);
    EXPECT_EQ(clip.contourCount, 0);
    EXPECT_EQ(clip.contours, nullptr);
}

TEST(Polygon, RoundTripKeepsOrderPointsAndHoleFlags) {
    Polygon poly;
    poly.addLoop(makeLoop({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, false));
    poly.addLoop(makeLoop({{2, 2}, {4, 2}, {4, 4}}, true));
    poly.addLoop(makeLoop({{20, 0}, {20, 5}, {25, 5}}, false));
    ClipPolygon clip;
    poly.toClipPolygon(clip);
    ASSERT_EQ(clip.contourCount, 3);
    EXPECT_EQ(clip.holeFlags[0], 0);
    EXPECT_EQ(clip.holeFlags[1], 1);
    EXPECT_EQ(clip.contours[2].vertexCount, 3);
    EXPECT_EQ(clip.contours[2].vertices[1].y, 5.0);

    clip.holeFlags[2] = 7; // any non-zero flag means a hole
    Polygon back;
    back.addLoop(makeLoop({{99, 99}}, false));
    back.assignFromClipPolygon(clip);
    ASSERT_EQ(back.loops.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(back.loops[i]->points, poly.loops[i]->points);
    EXPECT_FALSE(back.loops[0]->isHole);
    EXPECT_TRUE(back.loops[1]->isHole);
    EXPECT_TRUE(back.loops[2]->isHole);
    freeClipPolygon(clip);

    back.assignFromClipPolygon(ClipPolygon{});
    EXPECT_TRUE(back.loops.empty());
}

TEST(Polygon, CopiesAreDeepAndDropRememberedPoints) {
    Polygon poly;
    poly.addLoop(makeLoop({{0, 0}, {1, 0}, {1, 1}}, true));
    poly.loops[0]->rememberedPoints = {{5, 5}};
    Polygon copy(poly);
    ASSERT_EQ(copy.loops.size(), 1u);
    EXPECT_NE(copy.loops[0].get(), poly.loops[0].get());
    EXPECT_TRUE(copy.loops[0]->isHole);
    EXPECT_TRUE(copy.loops[0]->rememberedPoints.empty());
    poly.loops[0]->points[0].x = 42;
    EXPECT_EQ(copy.loops[0]->points[0].x, 0.0);
}
