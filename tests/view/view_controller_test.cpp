// The view's event protocol without a window: camera drags, snapping on release, handle drags
// on a hidden plane, keys and commands against the process-wide model and display state.
#include "view/edit_plane.h"
#include "view/view_controller.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plicato;

namespace {

class ViewControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(plicato::testing::handCard(160, 80, 30));
        view.resize(1280, 800);
    }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    CardModel& model() { return *currentModel(); }

    // A right drag from (x0, y0) to (x1, y1), released there.
    ViewResponse rightDrag(int x0, int y0, int x1, int y1, int modifiers = 0) {
        view.rightButtonDown(x0, y0);
        view.mouseMove(x1, y1, RightButton, modifiers);
        return view.rightButtonUp(x1, y1);
    }

    DisplayState state;
    ViewController view;
};

} // namespace

TEST_F(ViewControllerTest, RightDragRotatesAndSnapsOnRelease) {
    // From (30, 0): dy = -90 px gives rotX 3, dx = -293 px gives rotY -87.9.
    const ViewResponse r = rightDrag(500, 400, 207, 310);
    EXPECT_EQ(view.camera.rotX, 0);
    EXPECT_EQ(view.camera.rotY, -90);
    EXPECT_TRUE(view.camera.axisSnapped);
    EXPECT_TRUE(view.camera.usesOrthographic(state));
    EXPECT_TRUE(r.redraw);
    EXPECT_FALSE(r.rightClick);
    // The next right press returns to the perspective projection without moving the camera.
    view.rightButtonDown(10, 10);
    EXPECT_FALSE(view.camera.usesOrthographic(state));
    EXPECT_EQ(view.camera.rotY, -90);
    const ViewResponse click = view.rightButtonUp(13, 14);
    EXPECT_TRUE(click.rightClick);
    EXPECT_TRUE(view.camera.axisSnapped); // released near the axis again
}

TEST_F(ViewControllerTest, MovementWithTheRightButtonClearsTheSnap) {
    rightDrag(500, 400, 207, 310);
    ASSERT_TRUE(view.camera.axisSnapped);
    view.mouseMove(207, 311, RightButton | LeftButton, 0);
    EXPECT_FALSE(view.camera.axisSnapped);
}

TEST_F(ViewControllerTest, PanZoomAndIdleMovement) {
    view.middleButtonDown(100, 100);
    EXPECT_TRUE(view.mouseMove(110, 120, MiddleButton, 0).redraw);
    EXPECT_NEAR(view.camera.panX, 0.01, 1e-12);
    EXPECT_NEAR(view.camera.panY, -0.02, 1e-12);
    view.rightButtonDown(0, 0);
    view.mouseMove(10, 0, RightButton, ControlModifier); // Ctrl + right pans too
    EXPECT_NEAR(view.camera.panX, 0.02, 1e-12);
    EXPECT_EQ(view.camera.rotY, 0);
    view.leftButtonDown(500, 500, ShiftModifier);
    view.mouseMove(480, 500, LeftButton, ShiftModifier); // far to the left
    EXPECT_EQ(view.camera.scale, 0.1);
    const ViewResponse idle = view.mouseMove(700, 700, 0, 0);
    EXPECT_FALSE(idle.redraw);
    view.mouseMove(710, 700, LeftButton, 0); // a left drag alone does nothing to the camera
    EXPECT_EQ(view.camera.scale, 0.1);
    EXPECT_EQ(view.camera.rotY, 0);
    EXPECT_EQ(view.lastX, 710);
}

TEST_F(ViewControllerTest, OrthographicToggleAndReset) {
    EXPECT_TRUE(view.toggleOrthographic().redraw);
    EXPECT_TRUE(state.orthographic);
    const ProjectionCache& p = view.refreshProjection();
    EXPECT_NEAR(p.project({80, 0, 0}).x - p.project({-80, 0, 0}).x, 640, 1e-9);
    view.camera.rotX = 12;
    view.camera.scale = 3;
    view.resetView();
    EXPECT_EQ(view.camera.rotX, 30);
    EXPECT_EQ(view.camera.scale, 1);
    EXPECT_TRUE(state.orthographic); // the user's switch is not part of the camera
}

TEST_F(ViewControllerTest, HiddenHandleIsStillDragged) {
    state.showEditPlane = false;
    const ProjectionCache& p = view.refreshProjection();
    const WindowPoint h = p.project(handlePosition(model(), VerticalRight));
    const ViewResponse press = view.leftButtonDown(int(h.x), int(h.y), 0);
    EXPECT_EQ(view.activeHandle, VerticalRight);
    EXPECT_TRUE(press.redraw);
    const WindowPoint to = p.project({80, 61, 0});
    view.mouseMove(int(std::lround(to.x)), int(std::lround(to.y)), LeftButton, 0);
    EXPECT_EQ(model().editOffset, 60);
    EXPECT_TRUE(view.leftButtonUp(0, 0).redraw);
    EXPECT_EQ(view.activeHandle, NoHandle);
}

TEST_F(ViewControllerTest, HandlesAndArrowsBelongToTheDrawingModes) {
    state.editMode = int(EditMode::FaceOperation);
    const ProjectionCache& p = view.refreshProjection();
    const WindowPoint h = p.project(handlePosition(model(), VerticalRight));
    view.leftButtonDown(int(h.x), int(h.y), 0);
    EXPECT_EQ(view.activeHandle, NoHandle);
    view.key(ViewKey::Up, 0);
    EXPECT_EQ(model().editOffset, 30);
    state.editMode = int(EditMode::CutOut);
    EXPECT_TRUE(view.key(ViewKey::Up, 0).redraw);
    EXPECT_EQ(model().editOffset, 20);
    view.key(ViewKey::Space, 0);
    EXPECT_EQ(model().editPlane, FacePlane::Horizontal);
}

TEST_F(ViewControllerTest, GridCommandsAskForTheStatusText) {
    EXPECT_TRUE(view.gridSmaller().statusRefresh);
    EXPECT_EQ(model().gridSize, 5);
    EXPECT_TRUE(view.gridLarger().statusRefresh);
    EXPECT_EQ(model().gridSize, 10);
    model().gridLevel = -3;
    model().gridSize = 80;
    EXPECT_FALSE(view.gridLarger().redraw); // refused: nothing to refresh
    EXPECT_TRUE(view.toggleEditPlaneShown().redraw);
    EXPECT_FALSE(state.showEditPlane);
}

TEST_F(ViewControllerTest, UnderlayModeMapsClicksOnTheFrontView) {
    state.editMode = int(EditMode::UnderlayFront);
    const Point3 q = view.pointOnEditPlane(640, 400); // the centre of the view
    EXPECT_EQ(view.camera.rotX, 0);
    EXPECT_NEAR(q.x, 0, 1e-9);
    EXPECT_EQ(q.y, 30);
    EXPECT_NEAR(q.z, 0, 1e-9);
}

TEST_F(ViewControllerTest, WithoutAModelNothingBreaks) {
    setCurrentModel(nullptr);
    EXPECT_FALSE(view.key(ViewKey::Up, 0).redraw);
    EXPECT_EQ(view.leftButtonDown(1, 1, 0).redraw, false);
    const Point3 q = view.pointOnEditPlane(10, 10);
    EXPECT_FALSE(std::isfinite(q.x));
    view.gridSmaller();
    view.togglePlane();
    EXPECT_TRUE(view.wheel(120).redraw);
}

TEST(DisplayStateInstall, TheModelReadsTheInstalledState) {
    DisplayState mine;
    installDisplayState(&mine);
    EXPECT_EQ(&displayState(), &mine);
    EXPECT_EQ(&coreState(), static_cast<CoreState*>(&mine));
    mine.openAngle = 0;
    const Face f(FacePlane::Vertical, 0);
    const Point3 closed = f.toSpace({5, 10});
    EXPECT_NEAR(closed.y, 10, 1e-12);
    EXPECT_NEAR(closed.z, 0, 1e-12);
    installDisplayState(nullptr);
    EXPECT_NE(&displayState(), &mine);
    EXPECT_EQ(&coreState(), static_cast<CoreState*>(&displayState()));
    EXPECT_EQ(displayState().openAngle, 90);
    EXPECT_TRUE(displayState().showEditPlane);
    EXPECT_TRUE(displayState().autoAxisSnap);
}
