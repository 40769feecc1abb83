// Face operation mode: the gizmo drag in whole grid steps and back, the unused undo step, the
// rubber band, picking the nearer face, Shift clicks and the keys.
#include "view/face_operation.h"

#include "editing/selection.h"
#include "editing/undo_history.h"

#include "design_fixture.h"

using namespace plicato;
using plicato::testing::DesignTest;
using plicato::testing::handFace;

namespace {

class FaceOperationTest : public DesignTest {
protected:
    void SetUp() override {
        DesignTest::SetUp();
        view.chooseMode(EditMode::FaceOperation);
        // A: upright at depth 10, x 0..30, height 10..40. B: the same square at depth 30.
        // C: lying at height 20 further left.
        model().userFaces.push_back(
            handFace(FacePlane::Vertical, 10, {{0, 0}, {0, 30}, {30, 30}, {30, 0}}));
        model().userFaces.push_back(
            handFace(FacePlane::Vertical, 30, {{0, -20}, {0, 10}, {30, 10}, {30, -20}}));
        model().userFaces.push_back(
            handFace(FacePlane::Horizontal, 20, {{-60, 10}, {-60, -10}, {-40, -10}, {-40, 10}}));
    }
    Face& a() { return face(0); }
    Face& b() { return face(1); }
    Face& c() { return face(2); }
    void select(std::initializer_list<Face*> faces) {
        clearSelection(model());
        for (Face* f : faces)
            f->isSelected = true;
        rebuildSelection(model());
    }
    // The window position of the tip of gizmo arm `axis` (1..3) and the arrow on the screen.
    std::pair<std::pair<int, int>, std::pair<double, double>> arrow(int axis) {
        const double r = gizmoArmLength(model(), view.camera.scale);
        const Point3 g = model().selectionBox.handle;
        Point3 tip = g;
        (axis == 1 ? tip.x : axis == 2 ? tip.y : tip.z) += r;
        const ProjectionCache& p = view.refreshProjection();
        const WindowPoint s0 = p.project(g), s1 = p.project(tip);
        return {at(tip), {s1.x - s0.x, s1.y - s0.y}};
    }
    // The front view without perspective, so faces at different depths overlap on the screen.
    void frontView() {
        view.camera.rotX = 0;
        view.camera.rotY = 0;
        state.orthographic = true;
    }
};

std::vector<Point2> outline(const Face& f) {
    return f.polygon.loops[0]->points;
}

} // namespace

TEST_F(FaceOperationTest, GizmoDragMovesWholeStepsAndBackExactly) {
    select({&a(), &c()});
    const auto beforeA = outline(a()), beforeC = outline(c());
    const double offsetA = a().offset, offsetC = c().offset;
    const auto [tip, dir] = arrow(1);
    const double r = gizmoArmLength(model(), view.camera.scale);
    const double t = 1.4 * model().gridSize / r; // 1.4 grid steps in arrow lengths
    const std::pair<int, int> to{int(std::lround(tip.first + t * dir.first)),
                                 int(std::lround(tip.second + t * dir.second))};
    view.leftButtonDown(tip.first, tip.second, 0);
    EXPECT_EQ(view.gizmoAxis(), 1);
    view.mouseMove(to.first, to.second, LeftButton, 0);
    for (std::size_t i = 0; i < beforeA.size(); ++i) {
        EXPECT_EQ(outline(a())[i].x, beforeA[i].x + 10);
        EXPECT_EQ(outline(a())[i].y, beforeA[i].y);
        EXPECT_EQ(outline(c())[i].x, beforeC[i].x + 10);
    }
    EXPECT_EQ(model().undoHistory.size(), 1u);
    // Back to the press: exactly where the faces were, and no undo step is left behind.
    view.mouseMove(tip.first, tip.second, LeftButton, 0);
    EXPECT_EQ(outline(a()), beforeA);
    EXPECT_EQ(outline(c()), beforeC);
    EXPECT_EQ(a().offset, offsetA);
    EXPECT_EQ(c().offset, offsetC);
    const ViewResponse up = view.leftButtonUp(tip.first, tip.second, 0);
    EXPECT_TRUE(up.redraw);
    EXPECT_EQ(view.gizmoAxis(), 0);
    EXPECT_TRUE(model().undoHistory.empty());
    EXPECT_TRUE(a().isSelected) << "the release after a gizmo press picks no face";
}

TEST_F(FaceOperationTest, GizmoStepsPerAxisAndOneUndoStep) {
    struct Row {
        int axis;
        double steps; // in grid steps along the arrow
        Point3 moved; // expected displacement of face A's first point in space
    };
    const Row rows[] = {{1, 2.6, {20, 0, 0}},
                        {1, -0.9, {0, 0, 0}},
                        {1, -1.2, {-10, 0, 0}},
                        {3, 1.5, {0, 0, 10}},
                        {3, -2.1, {0, 0, -20}}};
    for (const Row& row : rows) {
        select({&a()});
        pushUndo(model()); // an older step that must stay
        const std::size_t history = model().undoHistory.size();
        const Point3 before = a().toSpace(outline(a())[0]);
        const auto [tip, dir] = arrow(row.axis);
        const double t = row.steps * model().gridSize / gizmoArmLength(model(), view.camera.scale);
        const std::pair<int, int> to{int(std::lround(tip.first + t * dir.first)),
                                     int(std::lround(tip.second + t * dir.second))};
        drag(tip, to);
        const Point3 after = a().toSpace(outline(a())[0]);
        EXPECT_NEAR(after.x - before.x, row.moved.x, 1e-9) << row.steps;
        EXPECT_NEAR(after.y - before.y, row.moved.y, 1e-9) << row.steps;
        EXPECT_NEAR(after.z - before.z, row.moved.z, 1e-9) << row.steps;
        const bool moved = row.moved.x != 0 || row.moved.z != 0;
        EXPECT_EQ(model().undoHistory.size(), history + (moved ? 1 : 0)) << row.steps;
        if (moved) {
            view.undo();
            EXPECT_NEAR(model().userFaces[2]->toSpace(outline(*model().userFaces[2])[0]).x,
                        before.x, 1e-9);
        }
    }
}

TEST_F(FaceOperationTest, PressOnAnArrowWithoutMovementLeavesNoUndoStep) {
    select({&a()});
    const auto [tip, dir] = arrow(3);
    (void)dir;
    view.leftButtonDown(tip.first, tip.second, 0);
    EXPECT_EQ(view.gizmoAxis(), 3);
    view.leftButtonUp(tip.first, tip.second, 0);
    EXPECT_TRUE(model().undoHistory.empty());
}

TEST_F(FaceOperationTest, WithoutSelectionAPressOpensARubberBand) {
    view.leftButtonDown(100, 100, 0);
    EXPECT_EQ(view.gizmoAxis(), 0);
    EXPECT_TRUE(view.rubberBandOpen());
    EXPECT_FALSE(view.rubberBandRect()) << "too small to draw";
    EXPECT_TRUE(view.mouseMove(200, 150, LeftButton, 0).rubberBand);
    ASSERT_TRUE(view.rubberBandRect());
    EXPECT_EQ(view.rubberBandRect()->width, 100);
    EXPECT_EQ(view.rubberBandRect()->height, 50);
    view.leftButtonUp(200, 150, 0);
    EXPECT_FALSE(view.rubberBandOpen());
}

TEST_F(FaceOperationTest, RubberBandSelectsOnlyFacesWhollyInside) {
    struct Row {
        const char* name;
        Point3 from, to;
        int modifiers;
        bool a, b, c;
    };
    // A spans x 0..30, z 10..40 at depth 10, B the same in front of it; C spans x -60..-40
    // at height 20. Seen from the front, A and B cover the same rectangle.
    const Row rows[] = {
        {"AroundAAndB", {-2, 10, 42}, {32, 10, 8}, 0, true, true, false},
        {"PartOfA", {-2, 10, 42}, {20, 10, 8}, 0, false, false, false},
        {"Everything", {-85, 0, 85}, {85, 0, -5}, 0, true, true, true},
        {"ShiftKeepsTheOthers", {-62, 20, 25}, {-38, 20, 15}, ShiftModifier, true, true, true},
        {"WithoutShiftOnlyC", {-62, 20, 25}, {-38, 20, 15}, 0, false, false, true},
    };
    frontView();
    for (const Row& row : rows) {
        drag(at(row.from), at(row.to), row.modifiers);
        EXPECT_EQ(a().isSelected, row.a) << row.name;
        EXPECT_EQ(b().isSelected, row.b) << row.name;
        EXPECT_EQ(c().isSelected, row.c) << row.name;
        EXPECT_FALSE(model().userFaces[0]->isSelected || model().userFaces[1]->isSelected)
            << "the card halves are never selected";
        EXPECT_EQ(model().selectedFaces.size(), std::size_t(row.a + row.b + row.c)) << row.name;
    }
}

TEST_F(FaceOperationTest, AClickPicksTheNearerOfTwoOverlappingFaces) {
    frontView();
    click({15, 20, 25});
    EXPECT_TRUE(b().isSelected) << "B stands nearer the viewer";
    EXPECT_FALSE(a().isSelected);
    // The order of the list does not matter, only the depth.
    std::swap(model().userFaces[2], model().userFaces[3]);
    clearSelection(model());
    click({15, 20, 25});
    EXPECT_TRUE(model().userFaces[2]->isSelected);
    EXPECT_EQ(model().userFaces[2]->offset, 30);
}

TEST_F(FaceOperationTest, ShiftClicksFlipOneFaceAndKeepTheRest) {
    frontView();
    select({&b(), &c()});
    click({15, 30, 25}, ShiftModifier);
    EXPECT_FALSE(b().isSelected);
    EXPECT_TRUE(c().isSelected);
    click({70, 0, 70}, ShiftModifier); // empty space
    EXPECT_TRUE(c().isSelected);
    click({70, 0, 70});
    EXPECT_TRUE(model().selectedFaces.empty());
}

TEST_F(FaceOperationTest, KeysMoveBothPlaneKindsAndUndoSkipsThem) {
    select({&a(), &c()});
    pushUndo(model());
    const FaceList snapshot = [&] {
        FaceList copy;
        for (const auto& f : model().userFaces)
            copy.push_back(std::make_unique<Face>(*f));
        return copy;
    }();
    struct Row {
        ViewKey key;
        Point3 d;
    };
    const Row rows[] = {{ViewKey::Up, {0, -10, 0}},    {ViewKey::Down, {0, 10, 0}},
                        {ViewKey::Left, {-10, 0, 0}},  {ViewKey::Right, {10, 0, 0}},
                        {ViewKey::PageUp, {0, 0, 10}}, {ViewKey::PageDown, {0, 0, -10}}};
    for (const Row& row : rows) {
        const Point3 pa = a().toSpace(outline(a())[0]), pc = c().toSpace(outline(c())[0]);
        EXPECT_TRUE(view.key(row.key, 0).redraw);
        const Point3 qa = a().toSpace(outline(a())[0]), qc = c().toSpace(outline(c())[0]);
        for (const auto& [p, q] : {std::pair{pa, qa}, std::pair{pc, qc}}) {
            EXPECT_NEAR(q.x - p.x, row.d.x, 1e-9) << int(row.key);
            EXPECT_NEAR(q.y - p.y, row.d.y, 1e-9) << int(row.key);
            EXPECT_NEAR(q.z - p.z, row.d.z, 1e-9) << int(row.key);
        }
    }
    view.key(ViewKey::Up, 0);
    EXPECT_EQ(model().undoHistory.size(), 1u) << "key moves save no undo step";
    EXPECT_FALSE(view.key(ViewKey::Space, 0).redraw) << "other keys are ignored";
    EXPECT_FALSE(view.key(ViewKey::Escape, 0).redraw);
    view.undo();
    ASSERT_EQ(model().userFaces.size(), snapshot.size());
    for (std::size_t i = 0; i < snapshot.size(); ++i)
        EXPECT_EQ(outline(*model().userFaces[i]), outline(*snapshot[i]));
}

TEST_F(FaceOperationTest, DeleteKeyDeletesTheSelectionAsOneStep) {
    select({&a(), &b()});
    view.key(ViewKey::Delete, 0);
    EXPECT_EQ(faceCount(), 1u);
    EXPECT_EQ(model().undoHistory.size(), 1u);
    view.undo();
    EXPECT_EQ(faceCount(), 3u);
}
