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

TEST(Polygon, ClipRoomHoldsWhatTheAllocatedFormHolds) {
    Polygon big;
    big.addLoop(makeLoop({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, false));
    big.addLoop(makeLoop({}, false));
    big.addLoop(makeLoop({{2, 2}, {4, 2}, {4, 4}}, true));
    Polygon small;
    small.addLoop(makeLoop({{5, 5}, {6, 5}, {6, 6}}, true));
    ClipRoom room;
    // The same room serves one polygon after another, larger and then smaller.
    for (const Polygon* p : {&big, &small}) {
        ClipPolygon clip;
        p->toClipPolygon(clip);
        p->toClipRoom(room);
        ASSERT_EQ(room.view.contourCount, clip.contourCount);
        for (int c = 0; c < clip.contourCount; ++c) {
            EXPECT_EQ(room.view.holeFlags[c], clip.holeFlags[c]);
            ASSERT_EQ(room.view.contours[c].vertexCount, clip.contours[c].vertexCount);
            for (int k = 0; k < clip.contours[c].vertexCount; ++k) {
                EXPECT_EQ(room.view.contours[c].vertices[k].x, clip.contours[c].vertices[k].x);
                EXPECT_EQ(room.view.contours[c].vertices[k].y, clip.contours[c].vertices[k].y);
            }
        }
        freeClipPolygon(clip);
    }
}

TEST(Polygon, AssigningIntoLongerLoopsLeavesNothingOfThem) {
    Polygon longer;
    longer.addLoop(makeLoop({{0, 0}, {9, 0}, {9, 9}, {5, 12}, {0, 9}}, true));
    longer.addLoop(makeLoop({{1, 1}, {2, 1}, {2, 2}}, false));
    longer.loops[0]->rememberedPoints = {{7, 7}};
    Polygon shorter;
    shorter.addLoop(makeLoop({{3, 3}, {4, 3}, {4, 4}}, false));
    ClipPolygon clip;
    shorter.toClipPolygon(clip);
    longer.assignFromClipPolygon(clip);
    freeClipPolygon(clip);
    ASSERT_EQ(longer.loops.size(), 1u);
    EXPECT_EQ(longer.loops[0]->points, shorter.loops[0]->points);
    EXPECT_FALSE(longer.loops[0]->isHole);
    EXPECT_TRUE(longer.loops[0]->rememberedPoints.empty());
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

TEST(Polygon, AssignmentCopiesWhateverTheLoopCountsBefore) {
    // Target and source loop counts: more, fewer, as many, none on either side.
    const std::pair<int, int> counts[] = {{0, 2}, {3, 1}, {2, 2}, {2, 0}, {1, 3}};
    for (const auto& [before, after] : counts) {
        Polygon target;
        for (int k = 0; k < before; ++k) {
            target.addLoop(makeLoop({{0, 0}, {9, 9}, {9, 0}, {5, 5}}, k % 2 == 0));
            target.loops.back()->rememberedPoints = {{1, 1}};
        }
        Polygon source;
        for (int k = 0; k < after; ++k)
            source.addLoop(makeLoop({{double(k), 0}, {1, 1}, {0, 1}}, k % 2 == 1));
        target = source;
        ASSERT_EQ(target.loops.size(), source.loops.size()) << before << "," << after;
        for (std::size_t k = 0; k < source.loops.size(); ++k) {
            EXPECT_EQ(target.loops[k]->points, source.loops[k]->points);
            EXPECT_EQ(target.loops[k]->isHole, source.loops[k]->isHole);
            EXPECT_TRUE(target.loops[k]->rememberedPoints.empty());
            EXPECT_NE(target.loops[k].get(), source.loops[k].get());
        }
        if (after > 0) {
            source.loops[0]->points[0].x = 42; // the copy is deep
            EXPECT_NE(target.loops[0]->points[0].x, 42);
        }
    }
}
