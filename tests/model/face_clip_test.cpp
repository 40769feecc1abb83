// Face operations through the polygon engine: triangulation and splitting by outer outlines.
#include "model/face.h"
#include "tests/support/polygon_area.h"

#include <gtest/gtest.h>

using namespace plicato;
using namespace plicato::testing;

namespace {

Face squareFace(double x0, double y0, double size) {
    Face f(FacePlane::Vertical, 0.0);
    f.polygon.addLoop(makeLoop(rectPoints(x0, y0, x0 + size, y0 + size)));
    return f;
}

} // namespace

TEST(FaceTriangulate, CoversTheInsideOnceAndLeavesHolesOpen) {
    Face f = squareFace(0, 0, 10);
    f.polygon.addLoop(makeLoop(rectPoints(4, 4, 6, 6), true));
    f.triangles.assign(5, Triangle{}); // stale fill must be replaced, not appended to
    f.triangulate();
    ASSERT_FALSE(f.triangles.empty());
    EXPECT_NEAR(trianglesArea(f.triangles), 96.0, 1e-9);
    EXPECT_EQ(f.triangles.size(), 8u); // one a vertex and two a hole, as monotone pieces give
    for (const Triangle& t : f.triangles) {
        const Point2 c{(t.corners[0].x + t.corners[1].x + t.corners[2].x) / 3,
                       (t.corners[0].y + t.corners[1].y + t.corners[2].y) / 3};
        EXPECT_FALSE(c.x > 4 && c.x < 6 && c.y > 4 && c.y < 6) << "triangle inside the hole";
    }
}

TEST(FaceTriangulate, AnOutlineCrossingItselfIsFilledByEvenOdd) {
    Face bowTie(FacePlane::Vertical, 0);
    bowTie.polygon.addLoop(makeLoop({{0, 0}, {4, 4}, {4, 0}, {0, 4}}));
    bowTie.triangulate();
    EXPECT_NEAR(trianglesArea(bowTie.triangles), 8.0, 1e-9);
}

TEST(FaceTriangulate, DegenerateOutlinesGiveNoTriangles) {
    Face empty(FacePlane::Vertical, 0);
    empty.triangulate();
    EXPECT_TRUE(empty.triangles.empty());

    Face line(FacePlane::Vertical, 0);
    line.polygon.addLoop(makeLoop({{0, 0}, {5, 5}, {10, 10}}));
    line.triangulate();
    EXPECT_TRUE(line.triangles.empty());

    Face two(FacePlane::Vertical, 0);
    two.polygon.addLoop(makeLoop({{0, 0}, {5, 5}}));
    two.triangulate();
    EXPECT_TRUE(two.triangles.empty());

    // A hole exactly over the outline cancels it under even-odd.
    Face cancelled = squareFace(0, 0, 10);
    cancelled.polygon.addLoop(makeLoop(rectPoints(0, 0, 10, 10), true));
    cancelled.triangulate();
    EXPECT_NEAR(trianglesArea(cancelled.triangles), 0.0, 1e-9);
}

TEST(FaceSplit, OnePiecePerOuterOutlineWithItsHoles) {
    Face f(FacePlane::Horizontal, 7.0);
    f.isSelected = true;
    f.isBase = true;
    f.polygon.addLoop(makeLoop(rectPoints(0, 0, 10, 10)));
    f.polygon.addLoop(makeLoop(rectPoints(20, 0, 30, 10)));
    f.polygon.addLoop(makeLoop(rectPoints(3, 3, 6, 6), true));

    FaceList out;
    out.push_back(std::make_unique<Face>(FacePlane::Vertical, 0.0)); // appended after this
    f.splitByOuterLoops(out);
    ASSERT_EQ(out.size(), 3u);
    const Face& first = *out[1];
    const Face& second = *out[2];
    for (const Face* piece : {&first, &second}) {
        EXPECT_EQ(piece->plane, FacePlane::Horizontal);
        EXPECT_EQ(piece->offset, 7.0);
        EXPECT_FALSE(piece->isSelected);
        EXPECT_FALSE(piece->isBase);
        EXPECT_EQ(outerLoops(piece->polygon), 1);
        EXPECT_NEAR(trianglesArea(piece->triangles), polygonArea(piece->polygon), 1e-9);
    }
    EXPECT_EQ(first.polygon.loops.size(), 2u);
    EXPECT_NEAR(polygonArea(first.polygon), 91.0, 1e-9);
    EXPECT_EQ(second.polygon.loops.size(), 1u);
    EXPECT_NEAR(polygonArea(second.polygon), 100.0, 1e-9);
    Polygon secondSquare;
    secondSquare.addLoop(makeLoop(rectPoints(20, 0, 30, 10)));
    EXPECT_NEAR(xorArea(second.polygon, secondSquare), 0.0, 1e-9); // in outer-loop order
    EXPECT_EQ(f.polygon.loops.size(), 3u);                         // the source stays as it was
}

TEST(FaceSplit, IslandInsideAHoleKeepsItsPaper) {
    // A frame with a separate piece inside its opening, as left by a ring cut out of a face.
    Face f(FacePlane::Vertical, 0.0);
    f.polygon.addLoop(makeLoop(rectPoints(0, 0, 30, 30)));
    f.polygon.addLoop(makeLoop(rectPoints(5, 5, 25, 25), true));
    f.polygon.addLoop(makeLoop(rectPoints(10, 10, 20, 20)));
    f.polygon.addLoop(makeLoop(rectPoints(13, 13, 17, 17), true));
    FaceList out;
    f.splitByOuterLoops(out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(polygonArea(out[0]->polygon), 900.0 - 400.0, 1e-9);
    EXPECT_NEAR(polygonArea(out[1]->polygon), 100.0 - 16.0, 1e-9);
    EXPECT_NEAR(trianglesArea(out[1]->triangles), 84.0, 1e-9);
}

TEST(FaceSplit, NoOuterOutlineGivesNothing) {
    Face f(FacePlane::Vertical, 0.0);
    f.polygon.addLoop(makeLoop(rectPoints(0, 0, 3, 3), true));
    FaceList out;
    f.splitByOuterLoops(out);
    EXPECT_TRUE(out.empty());
}
