// Boolean operations on hand-made inputs whose results are known exactly: trivial results,
// touching and coincident edges, holes, degenerate and malformed contours.
#include "clip_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plicato {
namespace {

const ClipOp kAllOps[] = {ClipOp::Difference, ClipOp::Intersection, ClipOp::ExclusiveOr,
                          ClipOp::Union};

double resultArea(const OwnedClip& r) {
    return evenOddArea(r.rings());
}

TEST(ClipTrivial, EmptyInputsGiveEmptyOrUnchangedResults) {
    const OwnedClip empty;
    const OwnedClip square(Rings{rect(0, 0, 2, 2)});
    for (ClipOp op : kAllOps)
        EXPECT_EQ(runClip(op, empty, empty).get().contourCount, 0);
    EXPECT_EQ(runClip(ClipOp::Intersection, empty, square).get().contourCount, 0);
    EXPECT_EQ(runClip(ClipOp::Difference, empty, square).get().contourCount, 0);
    EXPECT_EQ(runClip(ClipOp::Intersection, square, empty).get().contourCount, 0);
    for (ClipOp op : {ClipOp::Difference, ClipOp::Union, ClipOp::ExclusiveOr}) {
        const OwnedClip r = runClip(op, square, empty);
        EXPECT_EQ(r.outerCount(), 1);
        EXPECT_EQ(r.holeCount(), 0);
        EXPECT_EQ(flaggedArea(r.get()), 4.0);
    }
    for (ClipOp op : {ClipOp::Union, ClipOp::ExclusiveOr}) {
        const OwnedClip r = runClip(op, empty, square);
        EXPECT_EQ(flaggedArea(r.get()), 4.0);
    }
}

TEST(ClipTrivial, InputsAreNotModified) {
    const OwnedClip a(Rings{rect(0, 0, 2, 2), rect(10, 10, 11, 11)});
    const OwnedClip b(Rings{rect(1, 1, 3, 3), rect(-20, -20, -19, -19)}, {0, 1});
    const Rings ra = a.rings();
    const Rings rb = b.rings();
    for (ClipOp op : kAllOps) {
        runClip(op, a, b);
        EXPECT_EQ(a.get().contourCount, 2);
        ASSERT_EQ(b.get().contourCount, 2);
        EXPECT_EQ(b.get().holeFlags[1], 1);
        for (std::size_t i = 0; i < 2; ++i) {
            ASSERT_EQ(a.rings()[i].size(), ra[i].size());
            ASSERT_EQ(b.rings()[i].size(), rb[i].size());
            for (std::size_t k = 0; k < ra[i].size(); ++k) {
                EXPECT_EQ(a.rings()[i][k].x, ra[i][k].x);
                EXPECT_EQ(b.rings()[i][k].y, rb[i][k].y);
            }
        }
    }
}

TEST(ClipSquares, DisjointSquares) {
    const OwnedClip a(Rings{rect(0, 0, 1, 1)});
    const OwnedClip b(Rings{rect(3, 0, 4, 1)});
    EXPECT_EQ(runClip(ClipOp::Intersection, a, b).get().contourCount, 0);
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    EXPECT_EQ(u.outerCount(), 2);
    EXPECT_EQ(u.holeCount(), 0);
    EXPECT_EQ(flaggedArea(u.get()), 2.0);
    const OwnedClip d = runClip(ClipOp::Difference, a, b);
    EXPECT_EQ(d.outerCount(), 1);
    EXPECT_EQ(flaggedArea(d.get()), 1.0);
}

TEST(ClipSquares, SharedEdgeUnionIsOneContour) {
    const OwnedClip a(Rings{rect(0, 0, 1, 1)});
    const OwnedClip b(Rings{rect(1, 0, 2, 1)});
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    ASSERT_EQ(u.get().contourCount, 1);
    EXPECT_EQ(u.holeCount(), 0);
    EXPECT_EQ(u.get().contours[0].vertexCount, 4); // no vertex left on the straight top or bottom
    EXPECT_EQ(flaggedArea(u.get()), 2.0);
    EXPECT_EQ(runClip(ClipOp::Intersection, a, b).get().contourCount, 0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::ExclusiveOr, a, b).get()), 2.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), 1.0);
}

TEST(ClipSquares, PartlySharedEdgeAndOffsetSquares) {
    const OwnedClip a(Rings{rect(0, 0, 2, 2)});
    const OwnedClip b(Rings{rect(2, 1, 3, 4)});
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    ASSERT_EQ(u.get().contourCount, 1);
    EXPECT_EQ(flaggedArea(u.get()), 7.0);
    EXPECT_EQ(runClip(ClipOp::Intersection, a, b).get().contourCount, 0);
}

TEST(ClipSquares, EdgesEqualWithinToleranceMergeWithoutSliver) {
    const OwnedClip a(Rings{rect(0, 0, 1, 1)});
    const OwnedClip b(Rings{{{1.0 + 4e-7, 0}, {2, 0}, {2, 1}, {1.0 + 4e-7, 1}}});
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    ASSERT_EQ(u.get().contourCount, 1);
    EXPECT_EQ(u.holeCount(), 0);
    EXPECT_NEAR(flaggedArea(u.get()), 2.0, 1e-6);
    // Slightly slanted copy of the shared edge: same line within the tolerance.
    const OwnedClip c(Rings{{{1.0 - 3e-7, 0}, {2, 0}, {2, 1}, {1.0 + 3e-7, 1}}});
    const OwnedClip u2 = runClip(ClipOp::Union, a, c);
    ASSERT_EQ(u2.get().contourCount, 1);
    EXPECT_NEAR(flaggedArea(u2.get()), 2.0, 1e-6);
}

TEST(ClipSquares, FacingEdgesBundleJustBelowTheToleranceAndStayApartAbove) {
    // The bundling tolerance is 1e-6: a gap of half of it closes, three times it stays open.
    struct Row {
        double gap;
        int contours;
    };
    const Row rows[] = {{5e-7, 1}, {9e-7, 1}, {3e-6, 2}, {1e-5, 2}};
    const OwnedClip a(Rings{rect(0, 0, 1, 1)});
    for (const Row& row : rows) {
        const double x = 1.0 + row.gap;
        const OwnedClip b(Rings{{{x, 0}, {x + 1, 0}, {x + 1, 1}, {x, 1}}});
        const OwnedClip u = runClip(ClipOp::Union, a, b);
        EXPECT_EQ(u.get().contourCount, row.contours) << row.gap;
        EXPECT_EQ(u.holeCount(), 0) << row.gap;
        EXPECT_NEAR(flaggedArea(u.get()), 2.0, 1e-6) << row.gap;
    }
}

TEST(ClipHoles, SquareMinusInnerSquareHasOneHole) {
    const OwnedClip a(Rings{rect(0, 0, 10, 10)});
    const OwnedClip b(Rings{rect(3, 3, 6, 6)});
    const OwnedClip d = runClip(ClipOp::Difference, a, b);
    EXPECT_EQ(d.outerCount(), 1);
    EXPECT_EQ(d.holeCount(), 1);
    EXPECT_EQ(flaggedArea(d.get()), 91.0);
    EXPECT_EQ(resultArea(d), 91.0);
    const OwnedClip i = runClip(ClipOp::Intersection, a, b);
    EXPECT_EQ(i.outerCount(), 1);
    EXPECT_EQ(flaggedArea(i.get()), 9.0);
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    EXPECT_EQ(u.get().contourCount, 1);
    EXPECT_EQ(flaggedArea(u.get()), 100.0);
    const OwnedClip x = runClip(ClipOp::ExclusiveOr, a, b);
    EXPECT_EQ(x.holeCount(), 1);
    EXPECT_EQ(flaggedArea(x.get()), 91.0);
}

TEST(ClipHoles, NestedHolesAndIslands) {
    // Even-odd: rings nested four deep alternate inside and outside.
    const OwnedClip a(
        Rings{rect(0, 0, 20, 20), rect(2, 2, 18, 18), rect(4, 4, 16, 16), rect(6, 6, 14, 14)});
    const OwnedClip b(Rings{rect(10, -5, 30, 25)});
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    EXPECT_EQ(flaggedArea(u.get()), resultArea(u));
    EXPECT_EQ(flaggedArea(u.get()),
              400.0 - 256.0 + 144.0 - 64.0 + 600.0 - (400.0 - 256.0 + 144.0 - 64.0) / 2.0);
    const OwnedClip d = runClip(ClipOp::Difference, a, b);
    EXPECT_EQ(flaggedArea(d.get()), (400.0 - 256.0 + 144.0 - 64.0) / 2.0);
    const OwnedClip selfUnion = runClip(ClipOp::Union, a, OwnedClip());
    EXPECT_EQ(selfUnion.outerCount(), 2);
    EXPECT_EQ(selfUnion.holeCount(), 2);
}

TEST(ClipHoles, HoleTouchingOuterAtOneVertex) {
    // A triangular hole whose corner lies on the outer square's corner... and one on its edge.
    const OwnedClip a(Rings{rect(0, 0, 4, 4), {{0, 0}, {2, 1}, {1, 2}}});
    const OwnedClip d = runClip(ClipOp::Difference, a, OwnedClip());
    EXPECT_EQ(flaggedArea(d.get()), 16.0 - 1.5);
    EXPECT_EQ(resultArea(d), 16.0 - 1.5);
    const OwnedClip b(Rings{rect(0, 0, 4, 4), {{2, 0}, {3, 1}, {1, 1}}});
    const OwnedClip d2 = runClip(ClipOp::Union, b, OwnedClip());
    EXPECT_EQ(flaggedArea(d2.get()), 15.0);
    EXPECT_EQ(resultArea(d2), 15.0);
}

TEST(ClipTouching, VertexOnTheOtherPolygonsEdge) {
    const OwnedClip a(Rings{rect(0, 0, 4, 4)});
    const OwnedClip b(Rings{{{4, 2}, {6, 0}, {6, 4}}}); // tip touches a's right edge
    const OwnedClip u = runClip(ClipOp::Union, a, b);
    EXPECT_EQ(flaggedArea(u.get()), 20.0);
    EXPECT_EQ(u.holeCount(), 0);
    EXPECT_EQ(runClip(ClipOp::Intersection, a, b).get().contourCount, 0);
    const OwnedClip c(Rings{{{2, 4}, {3, 6}, {1, 6}}}); // tip on the top edge
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Union, a, c).get()), 18.0);
    const OwnedClip inner(Rings{{{0, 2}, {2, 1}, {2, 3}}}); // inside, tip on the left edge
    const OwnedClip d = runClip(ClipOp::Difference, a, inner);
    EXPECT_EQ(flaggedArea(d.get()), 14.0);
    EXPECT_EQ(resultArea(d), 14.0);
}

TEST(ClipOverlap, CollinearOverlappingEdgesAndIdenticalInputs) {
    const OwnedClip a(Rings{rect(0, 0, 4, 2)});
    const OwnedClip b(Rings{rect(1, 0, 6, 2)}); // bottom and top edges overlap a's
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Union, a, b).get()), 12.0);
    EXPECT_EQ(runClip(ClipOp::Union, a, b).get().contourCount, 1);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Intersection, a, b).get()), 6.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), 2.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::ExclusiveOr, a, b).get()), 6.0);
    const OwnedClip tri(Rings{{{0, 0}, {5, 1}, {2, 7}}});
    const OwnedClip same(Rings{{{5, 1}, {2, 7}, {0, 0}}});
    EXPECT_EQ(runClip(ClipOp::Difference, tri, same).get().contourCount, 0);
    EXPECT_EQ(runClip(ClipOp::ExclusiveOr, tri, same).get().contourCount, 0);
    const OwnedClip i = runClip(ClipOp::Intersection, tri, same);
    ASSERT_EQ(i.get().contourCount, 1);
    EXPECT_DOUBLE_EQ(flaggedArea(i.get()), 16.5);
    EXPECT_DOUBLE_EQ(flaggedArea(runClip(ClipOp::Union, tri, same).get()), 16.5);
}

TEST(ClipDegenerate, ShortSpikesRepeatsAndNonFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const OwnedClip junk(Rings{{{0, 0}, {1, 1}},                   // two points
                               {{5, 5}, {5, 5}, {5, 5}},           // one repeated point
                               {{0, 0}, {3, 0}, {6, 0}},           // flat
                               {{0, 0}, {nan, 1}, {1, 1}},         // NaN
                               {{0, 0}, {1, inf}, {1, 1}},         // inf
                               {{0, 0}, {2, 2}, {4, 4}, {2, 2}}}); // zero-area there and back
    for (ClipOp op : kAllOps)
        EXPECT_EQ(runClip(op, junk, junk).get().contourCount, 0);
    EXPECT_TRUE(polygonToStrips(junk.get()).empty());
    // A square with a spike and repeated points keeps exactly its area.
    const OwnedClip spiky(
        Rings{{{0, 0}, {0, 0}, {2, 0}, {2, 1}, {5, 1}, {2, 1}, {2, 2}, {2, 2}, {0, 2}}});
    const OwnedClip r = runClip(ClipOp::Union, spiky, OwnedClip());
    EXPECT_EQ(flaggedArea(r.get()), 4.0);
    EXPECT_EQ(r.get().contourCount, 1);
    // Malformed counts and null arrays never crash.
    ClipPolygon odd;
    odd.contourCount = 3;
    EXPECT_EQ(clipPolygons(ClipOp::Union, odd, odd).contourCount, 0);
    ClipContour broken{5, nullptr};
    int flag = 0;
    ClipPolygon nullVerts{1, &flag, &broken};
    EXPECT_EQ(clipPolygons(ClipOp::Union, nullVerts, nullVerts).contourCount, 0);
}

TEST(ClipDegenerate, HorizontalRunsAndCollinearVertices) {
    const OwnedClip a(
        Rings{{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}}});
    const OwnedClip b(Rings{{{1, 0}, {2, 0}, {2, 3}, {1, 3}}});
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Union, a, b).get()), 7.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), 4.0);
    const OwnedClip x = runClip(ClipOp::Difference, a, b);
    EXPECT_EQ(x.outerCount(), 2);
}

TEST(ClipSelfIntersecting, BowtieAndPentagram) {
    const OwnedClip bowtie(Rings{{{0, 0}, {2, 2}, {2, 0}, {0, 2}}});
    const OwnedClip r = runClip(ClipOp::Union, bowtie, OwnedClip());
    EXPECT_EQ(flaggedArea(r.get()), 2.0);
    EXPECT_EQ(r.holeCount(), 0);
    // Even-odd pentagram: the centre pentagon is outside.
    Ring star;
    for (int k = 0; k < 5; ++k) {
        const double a = M_PI / 2 + k * 4 * M_PI / 5;
        star.push_back({10 * std::cos(a), 10 * std::sin(a)});
    }
    const OwnedClip s(Rings{star});
    const OwnedClip rs = runClip(ClipOp::Union, s, OwnedClip());
    EXPECT_NEAR(flaggedArea(rs.get()), evenOddArea(Rings{star}), 1e-9);
    EXPECT_EQ(rs.outerCount(), 5);
    EXPECT_FALSE(insideEvenOdd(rs.rings(), 0.0, 0.0));
    EXPECT_TRUE(insideEvenOdd(rs.rings(), 0.0, 7.0));
}

TEST(ClipScale, ThinSliversAndLargeCoordinates) {
    const OwnedClip a(Rings{rect(-1e6, -1e6, 1e6, 1e6)});
    const OwnedClip b(Rings{{{-1e6, -1e6}, {1e6, -1e6 + 1e-3}, {1e6, 1e6}}});
    const OwnedClip d = runClip(ClipOp::Difference, a, b);
    EXPECT_NEAR(flaggedArea(d.get()), 2e12 + 1e3, 1e-1);
    const OwnedClip i = runClip(ClipOp::Intersection, a, b);
    EXPECT_NEAR(flaggedArea(i.get()), 2e12 - 1e3, 1e-1);
    const OwnedClip sliver(Rings{{{0, 0}, {1000, 1e-9}, {0, 2e-9}}});
    const OwnedClip u = runClip(ClipOp::Union, sliver, OwnedClip(Rings{rect(0, 0, 1, 1)}));
    // Only the part of the sliver beyond x = 1 adds area.
    EXPECT_NEAR(flaggedArea(u.get()), 1.0 + 1e-6 * 0.999 * 0.999, 1e-12);
}

TEST(ClipBoxPretest, FarContoursDoNotChangeCuttingResults) {
    const OwnedClip a(Rings{rect(0, 0, 4, 4), rect(100, 100, 101, 101)});
    const OwnedClip b(Rings{rect(2, 2, 6, 6), rect(-50, -50, -40, -40)});
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Intersection, a, b).get()), 4.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), 13.0);
    EXPECT_EQ(flaggedArea(runClip(ClipOp::Union, a, b).get()), 1.0 + 28.0 + 100.0);
    // Boxes touching at a corner count as overlapping; the result is still exact.
    const OwnedClip c(Rings{rect(4, 4, 5, 5)});
    EXPECT_EQ(runClip(ClipOp::Intersection, a, c).get().contourCount, 0);
}

} // namespace
} // namespace plicato

namespace plicato {
namespace {

TEST(ClipCrossings, CrossedCombsMeetInUnitSquares) {
    // Every beam holds many crossings; the pieces are exact unit squares.
    for (int teeth : {1, 3, 8}) {
        SCOPED_TRACE(teeth);
        const OwnedClip a(Rings{combRing(teeth, true)});
        const OwnedClip b(Rings{combRing(teeth, false)});
        const double areaA = evenOddArea(a.rings());
        const OwnedClip i = runClip(ClipOp::Intersection, a, b);
        EXPECT_EQ(i.outerCount(), teeth * teeth);
        EXPECT_EQ(i.holeCount(), 0);
        EXPECT_EQ(flaggedArea(i.get()), teeth * teeth);
        const OwnedClip u = runClip(ClipOp::Union, a, b);
        EXPECT_EQ(flaggedArea(u.get()), 2 * areaA - teeth * teeth);
        EXPECT_EQ(flaggedArea(u.get()), evenOddArea(u.rings()));
        EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), areaA - teeth * teeth);
    }
}

} // namespace
} // namespace plicato
