// Face operations that need no polygon engine: placement in space at several opening angles, the
// strip rule, clean-up of a clicked outline and deep copies.
#include "model/core_state.h"
#include "model/face.h"
#include "model/face_link.h"
#include "tests/support/polygon_area.h"

#include <gtest/gtest.h>

using namespace plicato;
using namespace plicato::testing;

namespace {

void expectNear3(const Point3& got, const Point3& want) {
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
    EXPECT_NEAR(got.z, want.z, 1e-9);
}

} // namespace

TEST(FaceToSpace, RightAngleStandsVerticalAndLiesHorizontal) {
    Face v(FacePlane::Vertical, 30.0), h(FacePlane::Horizontal, 30.0);
    expectNear3(v.toSpace({5, 10}, 90), {5, 30, 40});
    expectNear3(h.toSpace({5, 10}, 90), {5, 20, 30});
    // flatten undoes the right-angle placement for both kinds.
    for (const Face* f : {&v, &h}) {
        const Point2 back = flatten(f->toSpace({-7.5, -3.25}, 90));
        EXPECT_NEAR(back.x, -7.5, 1e-9);
        EXPECT_NEAR(back.y, -3.25, 1e-9);
    }
}

TEST(FaceToSpace, ClosedAndFlatCardLieInTheBasePlane) {
    Face vBase(FacePlane::Vertical, 0.0), hBase(FacePlane::Horizontal, 0.0);
    expectNear3(vBase.toSpace({12, 35}, 0), {12, 35, 0});
    expectNear3(hBase.toSpace({12, -35}, 0), {12, 35, 0});
    // Flat: every point at Z = 0 with Y = -y, also off the sheet's own planes.
    for (double d : {0.0, 15.0}) {
        Face v(FacePlane::Vertical, d), h(FacePlane::Horizontal, d);
        expectNear3(v.toSpace({3, 22}, 180), {3, -22, 0});
        expectNear3(h.toSpace({3, -22}, 180), {3, 22, 0});
        // Closed: everything folds down onto Z = 0 as well.
        EXPECT_NEAR(v.toSpace({3, 22}, 0).z, 0.0, 1e-9);
        EXPECT_NEAR(h.toSpace({3, -22}, 0).z, 0.0, 1e-9);
    }
}

TEST(FaceToSpace, ReadsTheProcessWideAngle) {
    CoreState state;
    state.openAngle = 180;
    installCoreState(&state);
    Face v(FacePlane::Vertical, 10.0);
    const Point3 p = v.toSpace({1, 4});
    installCoreState(nullptr);
    expectNear3(p, v.toSpace({1, 4}, 180));
    expectNear3(v.toSpace({1, 4}), v.toSpace({1, 4}, 90)); // the default state edits at 90
}

TEST(FaceStrips, OddStepsSwapTheLastTwoCorners) {
    const TriangleStrip strip = {{0, 0}, {0, 10}, {10, 0}, {10, 10}, {20, 0}};
    std::vector<Triangle> tris;
    appendStripTriangles(strip, tris);
    ASSERT_EQ(tris.size(), 3u);
    EXPECT_EQ(tris[0], (Triangle{{{0, 0}, {0, 10}, {10, 0}}}));
    EXPECT_EQ(tris[1], (Triangle{{{0, 10}, {10, 10}, {10, 0}}}));
    EXPECT_EQ(tris[2], (Triangle{{{10, 0}, {10, 10}, {20, 0}}}));
    // One orientation across the whole strip.
    for (const Triangle& t : tris)
        EXPECT_LT(signedTriangleArea(t), 0.0);
}

TEST(FaceStrips, ShortStripsAddNothingAndTrianglesAppend) {
    std::vector<Triangle> tris(1);
    appendStripTriangles({}, tris);
    appendStripTriangles({{0, 0}, {1, 1}}, tris);
    EXPECT_EQ(tris.size(), 1u);
    appendStripTriangles({{0, 0}, {1, 1}, {2, 0}}, tris);
    EXPECT_EQ(tris.size(), 2u);
}

TEST(FaceNearDuplicates, DropsPointsCloseToTheLastKept) {
    Face f(FacePlane::Vertical, 0.0);
    f.polygon.addLoop(makeLoop({{0, 0}, {0.005, 0}, {10, 0}, {10, 0.009}, {10, 10}}));
    f.removeNearDuplicates();
    EXPECT_EQ(f.polygon.loops[0]->points, (std::vector<Point2>{{0, 0}, {10, 0}, {10, 10}}));
}

TEST(FaceNearDuplicates, ComparesWithTheKeptPointOnlyAndLeavesTheRestAlone) {
    Face f(FacePlane::Vertical, 0.0);
    // 0.006 goes (0.006 from the kept 0); 0.012 stays (0.012 from the kept 0, although only
    // 0.006 from the dropped point); the closing pair is never examined.
    f.polygon.addLoop(makeLoop({{0, 0}, {0.006, 0}, {0.012, 0}, {5, 5}, {0.001, 0.001}}));
    f.polygon.addLoop(makeLoop({{1, 1}, {1, 1}, {2, 2}}, true));
    f.removeNearDuplicates();
    EXPECT_EQ(f.polygon.loops[0]->points,
              (std::vector<Point2>{{0, 0}, {0.012, 0}, {5, 5}, {0.001, 0.001}}));
    EXPECT_EQ(f.polygon.loops[1]->points.size(), 3u);
    // Exactly 0.01 apart is kept: only closer points go.
    Face g(FacePlane::Vertical, 0.0);
    g.polygon.addLoop(makeLoop({{0, 0}, {0.01, 0}}));
    g.removeNearDuplicates();
    EXPECT_EQ(g.polygon.loops[0]->points.size(), 2u);
    Face empty(FacePlane::Horizontal, 0.0);
    empty.removeNearDuplicates();
    EXPECT_TRUE(empty.polygon.loops.empty());
}

TEST(FaceCopy, DeepCopiesGeometryAndFlagsButNotTheWorkingState) {
    Face f(FacePlane::Horizontal, 12.5);
    f.polygon.addLoop(makeLoop(rectPoints(0, 0, 4, 4)));
    f.polygon.addLoop(makeLoop(rectPoints(1, 1, 2, 2), true));
    f.polygon.loops[0]->rememberedPoints = {{9, 9}};
    f.triangles = {Triangle{{{0, 0}, {0, 4}, {4, 0}}}};
    FaceLink link;
    f.links.push_back(&link);
    f.isSelected = true;
    f.isBase = true;
    f.scratchMark = true;
    f.rememberedOffset = 3.0;

    Face c(f);
    EXPECT_EQ(c.plane, FacePlane::Horizontal);
    EXPECT_EQ(c.offset, 12.5);
    EXPECT_TRUE(c.isSelected);
    EXPECT_TRUE(c.isBase);
    EXPECT_FALSE(c.scratchMark);
    EXPECT_EQ(c.rememberedOffset, 0.0);
    EXPECT_TRUE(c.links.empty());
    EXPECT_EQ(c.triangles, f.triangles);
    ASSERT_EQ(c.polygon.loops.size(), 2u);
    EXPECT_TRUE(c.polygon.loops[1]->isHole);
    EXPECT_TRUE(c.polygon.loops[0]->rememberedPoints.empty());
    EXPECT_NE(c.polygon.loops[0].get(), f.polygon.loops[0].get());
    c.polygon.loops[0]->points[0] = {-1, -1};
    EXPECT_EQ(f.polygon.loops[0]->points[0], (Point2{0, 0}));
    EXPECT_EQ(f.links.size(), 1u);
}
