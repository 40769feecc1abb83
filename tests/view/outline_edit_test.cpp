// Outline editing and subdivision: the corner drag to grid points, Ctrl splitting a corner,
// duplicates removed at the release, the two picks restricted to one face, the right click,
// and picks forgotten when undo or a new model takes their faces away.
#include "view/outline_edit.h"

#include "editing/undo_history.h"

#include "design_fixture.h"

using namespace plicato;
using plicato::testing::DesignTest;
using plicato::testing::handCard;
using plicato::testing::handFace;

namespace {

class OutlineEditTest : public DesignTest {
protected:
    void SetUp() override {
        DesignTest::SetUp();
        // On the edit plane (vertical, depth 0): the square (0..20) x (10..30).
        model().userFaces.push_back(
            handFace(FacePlane::Vertical, 0, {{0, 10}, {0, 30}, {20, 30}, {20, 10}}));
        // Also on the plane, further left: a triangle.
        model().userFaces.push_back(
            handFace(FacePlane::Vertical, 0, {{-50, 10}, {-50, 40}, {-20, 10}}));
        // Off the plane: never a candidate.
        model().userFaces.push_back(
            handFace(FacePlane::Vertical, 30, {{30, 0}, {30, 20}, {60, 20}, {60, 0}}));
    }
    std::vector<Point2> outline(std::size_t i) { return face(i).polygon.loops[0]->points; }
};

} // namespace

TEST_F(OutlineEditTest, DragSnapsToTheGridAndTriangulatesAtTheRelease) {
    view.chooseMode(EditMode::OutlineEdit);
    const std::vector<Triangle> before = face(0).triangles;
    const auto from = at({20, 0, 30}), to = at({22, 0, 41});
    EXPECT_TRUE(view.leftButtonDown(from.first, from.second, 0).redraw);
    EXPECT_EQ(model().undoHistory.size(), 1u);
    view.mouseMove(to.first, to.second, LeftButton, 0);
    EXPECT_EQ(outline(0)[2], (Point2{20, 40}));
    EXPECT_EQ(face(0).triangles, before) << "not re-triangulated during the drag";
    const Scene during = view.buildFrame(ColorTable{});
    (void)during;
    ASSERT_TRUE(view.extras.markedVertex);
    EXPECT_NEAR(view.extras.markedVertex->x, 20, 1e-9);
    EXPECT_NEAR(view.extras.markedVertex->y, 0, 1e-9);
    EXPECT_NEAR(view.extras.markedVertex->z, 40, 1e-9);
    view.leftButtonUp(to.first, to.second, 0);
    EXPECT_EQ(outline(0)[2], (Point2{20, 40}));
    EXPECT_NE(face(0).triangles, before);
    view.buildFrame(ColorTable{});
    EXPECT_FALSE(view.extras.markedVertex);
}

TEST_F(OutlineEditTest, CtrlSplitsACornerIntoAPentagon) {
    view.chooseMode(EditMode::OutlineEdit);
    drag(at({20, 0, 30}), at({30, 0, 20}), ControlModifier);
    const std::vector<Point2> expected{{0, 10}, {0, 30}, {30, 20}, {20, 30}, {20, 10}};
    EXPECT_EQ(outline(0), expected) << "the dragged corner follows the mouse, the copy stays";
}

TEST_F(OutlineEditTest, ReleaseRemovesTheDuplicateOfANeighbour) {
    view.chooseMode(EditMode::OutlineEdit);
    drag(at({20, 0, 30}), at({20, 0, 10}));
    EXPECT_EQ(outline(0), (std::vector<Point2>{{0, 10}, {0, 30}, {20, 10}}));
    EXPECT_EQ(model().undoHistory.size(), 1u);
}

TEST_F(OutlineEditTest, FarFromEveryCornerNothingHappens) {
    view.chooseMode(EditMode::OutlineEdit);
    const struct {
        Point3 at;
    } rows[] = {{{10, 0, 20}}, {{45, 0, 20}}, {{60, 0, 60}}}; // inside, the off-plane face, air
    for (const auto& row : rows) {
        const auto p = at(row.at);
        EXPECT_FALSE(view.leftButtonDown(p.first, p.second, 0).redraw);
        EXPECT_FALSE(view.leftButtonUp(p.first, p.second, 0).redraw);
    }
    EXPECT_TRUE(model().undoHistory.empty());
}

TEST_F(OutlineEditTest, SameCornerTwiceLeavesOnlyAnUndoStep) {
    view.chooseMode(EditMode::Subdivide);
    const auto before = outline(0);
    click({20, 0, 30});
    EXPECT_TRUE(model().undoHistory.empty());
    click({20, 0, 30});
    EXPECT_EQ(outline(0), before);
    EXPECT_EQ(model().undoHistory.size(), 1u);
}

TEST_F(OutlineEditTest, SecondPickStaysOnTheFirstFace) {
    view.chooseMode(EditMode::Subdivide);
    click({0, 0, 30});
    view.buildFrame(ColorTable{});
    EXPECT_EQ(view.extras.subdivideFace, &face(0));
    const auto triangle = outline(1);
    click({-20, 0, 10}); // a corner of the other face: not offered
    EXPECT_EQ(outline(1), triangle);
    EXPECT_TRUE(model().undoHistory.empty());
    click({20, 0, 10}); // forward from (0, 30): (20, 30) lies between and is cut
    EXPECT_GT(outline(0).size(), 4u);
    EXPECT_EQ(model().undoHistory.size(), 1u);
    view.buildFrame(ColorTable{});
    EXPECT_EQ(view.extras.subdivideFace, nullptr);
}

TEST_F(OutlineEditTest, RightClickLetsTheUserPickAnotherFace) {
    view.chooseMode(EditMode::Subdivide);
    model().drawPoints = {{{0, 0, 50}, {0, 50}}};
    click({0, 0, 30});
    EXPECT_TRUE(rightClick({70, 0, 70}).redraw);
    EXPECT_EQ(model().drawPoints.size(), 1u) << "the points being drawn are not touched";
    const auto square = outline(0);
    click({-50, 0, 10});
    click({-20, 0, 10});
    EXPECT_EQ(outline(0), square);
    EXPECT_GT(outline(1).size(), 3u);
}

TEST_F(OutlineEditTest, PicksIntoFacesThatWentAreForgotten) {
    view.chooseMode(EditMode::Subdivide);
    click({0, 0, 30});
    // Undo through the view, and a new model (New, Open) behind the view's back.
    pushUndo(model());
    view.undo();
    view.buildFrame(ColorTable{});
    EXPECT_EQ(view.extras.subdivideFace, nullptr);
    EXPECT_FALSE(view.extras.markedVertex);
    click({0, 0, 30});
    setCurrentModel(handCard(160, 80, 0));
    view.buildFrame(ColorTable{});
    EXPECT_EQ(view.extras.subdivideFace, nullptr);
    EXPECT_FALSE(view.extras.markedVertex);
    click({0, 0, 30}); // must not reach into the old model
    EXPECT_TRUE(model().undoHistory.empty());
    // A corner drag whose face goes by undo ends quietly.
    view.chooseMode(EditMode::OutlineEdit);
    model().userFaces.push_back(
        handFace(FacePlane::Vertical, 0, {{0, 10}, {0, 30}, {20, 30}, {20, 10}}));
    const auto p = at({20, 0, 30});
    view.leftButtonDown(p.first, p.second, 0);
    view.undo();
    view.mouseMove(p.first + 30, p.second, LeftButton, 0);
    view.leftButtonUp(p.first + 30, p.second, 0);
    ASSERT_EQ(faceCount(), 1u);
    EXPECT_EQ(outline(0)[2], (Point2{20, 30})) << "the restored face is not dragged";
}
