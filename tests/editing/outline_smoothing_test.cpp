// Corner cutting between two picked corners: which stretch is cut, where the new points go,
// corners too short to cut, and picks that must be refused.
#include "editing_fixture.h"

#include "editing/editing.h"

using namespace plicato;
using namespace plicato::test;

namespace {

class OutlineSmoothing : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        square = addFace(FacePlane::Vertical, 20, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
        ASSERT_TRUE(square);
    }
    std::vector<Point2>& pts() { return square->polygon.loops[0]->points; }

    Face* square = nullptr;
};

using Points = std::vector<Point2>;

} // namespace

TEST_F(OutlineSmoothing, DiagonalPicksCutTheCornerBetweenThem) {
    smoothSpan(*model, *square, pts()[0], pts()[2]);
    EXPECT_EQ(pts(), (Points{{0, 0}, {7.5, 0}, {10, 2.5}, {10, 10}, {0, 10}}));
    EXPECT_NEAR(triangleArea(*square), 100 - 2.5 * 2.5 / 2, 1e-9);
    EXPECT_EQ(model->undoHistory.size(), 1u);
    std::mt19937 rng(6);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
}

TEST_F(OutlineSmoothing, NeighbourPicksCutTheWayRoundFromTheSecondToTheFirst) {
    smoothSpan(*model, *square, pts()[0], pts()[1]);
    EXPECT_EQ(pts(), (Points{{0, 0}, {10, 0}, {10, 7.5}, {7.5, 10}, {2.5, 10}, {0, 7.5}}));
}

TEST_F(OutlineSmoothing, StretchWrapsPastTheEndOfTheLoop) {
    // Forward from the last corner to the second passes the first.
    smoothSpan(*model, *square, pts()[3], pts()[1]);
    EXPECT_EQ(pts(), (Points{{0, 2.5}, {2.5, 0}, {10, 0}, {10, 10}, {0, 10}}));
}

TEST_F(OutlineSmoothing, LastAndFirstCornerAreNeighbours) {
    smoothSpan(*model, *square, pts()[3], pts()[0]);
    EXPECT_EQ(pts(), (Points{{0, 0}, {7.5, 0}, {10, 2.5}, {10, 7.5}, {7.5, 10}, {0, 10}}));
}

TEST_F(OutlineSmoothing, PickOrderChoosesTheStretch) {
    smoothSpan(*model, *square, pts()[2], pts()[0]);
    EXPECT_EQ(pts(), (Points{{0, 0}, {10, 0}, {10, 10}, {2.5, 10}, {0, 7.5}}));
}

TEST_F(OutlineSmoothing, RepeatingMakesTheCurveFiner) {
    smoothSpan(*model, *square, pts()[0], pts()[2]);
    smoothSpan(*model, *square, pts()[0], pts()[3]);
    EXPECT_EQ(
        pts(),
        (Points{
            {0, 0}, {5.625, 0}, {8.125, 0.625}, {9.375, 1.875}, {10, 4.375}, {10, 10}, {0, 10}}));
    EXPECT_EQ(model->undoHistory.size(), 2u);
}

TEST_F(OutlineSmoothing, CornersBetweenShortEdgesStay) {
    // The corner at (10, 0) would give cut points 0.18 mm apart and stays; the two corners
    // after it in the stretch are cut.
    Face* f =
        addFace(FacePlane::Vertical, 30, {{0, 0}, {9.5, 0}, {10, 0}, {10, 0.5}, {10, 10}, {0, 10}});
    ASSERT_TRUE(f);
    auto& p = f->polygon.loops[0]->points;
    smoothSpan(*model, *f, p[1], p[5]);
    EXPECT_EQ(
        p,
        (Points{
            {0, 0}, {9.5, 0}, {10, 0}, {10, 0.375}, {10, 2.875}, {10, 7.625}, {7.5, 10}, {0, 10}}));
}

TEST_F(OutlineSmoothing, SameCornerTwiceLeavesOnlyAnUndoStep) {
    const FaceList before = copyFaces(model->userFaces);
    smoothSpan(*model, *square, pts()[1], pts()[1]);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
    EXPECT_EQ(model->undoHistory.size(), 1u);
}

TEST_F(OutlineSmoothing, UndoRestoresTheOutline) {
    const FaceList before = copyFaces(model->userFaces);
    smoothSpan(*model, *square, pts()[0], pts()[2]);
    undo(*model);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
}

TEST_F(OutlineSmoothing, ValueCopiesOfCornersAreAccepted) {
    const Point2 a = pts()[0];
    const Point2 b{10, 10};
    smoothSpan(*model, *square, a, b);
    EXPECT_EQ(pts().size(), 5u);
}

TEST_F(OutlineSmoothing, HoleCornersAndStrangersAreRefusedWithoutAnUndoStep) {
    Face* framed = addFace(FacePlane::Vertical, 40, {{-50, -30}, {-10, -30}, {-10, 10}, {-50, 10}});
    ASSERT_TRUE(framed);
    auto hole = std::make_unique<Loop>();
    hole->isHole = true;
    hole->points = {{-40, -20}, {-20, -20}, {-20, 0}, {-40, 0}};
    framed->polygon.addLoop(std::move(hole));
    framed->triangulate();
    const FaceList before = copyFaces(model->userFaces);

    auto& outer = framed->polygon.loops[0]->points;
    auto& inner = framed->polygon.loops[1]->points;
    smoothSpan(*model, *framed, outer[0], inner[2]);
    smoothSpan(*model, *framed, inner[0], inner[2]);
    smoothSpan(*model, *framed, outer[0], Point2{-30, -30}); // on an edge, not a corner
    Face stranger(*square);
    smoothSpan(*model, stranger, stranger.polygon.loops[0]->points[0],
               stranger.polygon.loops[0]->points[2]);

    EXPECT_TRUE(sameFaces(before, model->userFaces));
    EXPECT_TRUE(model->undoHistory.empty());
    EXPECT_EQ(stranger.polygon.loops[0]->points.size(), 4u);
}
