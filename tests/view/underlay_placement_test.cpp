// Underlay placement by mouse on the real camera of the underlay modes: hits, the move with
// Ctrl and the grid snap, every handle with and without the kept aspect ratio, and the cursors.
#include "view/underlay_placement.h"
#include "view/view_controller.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plicato;

namespace {

class UnderlayPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(plicato::testing::handCard(160, 80, 30));
        view.resize(1280, 800);
        for (UnderlayImage* u : {&model().frontImage, &model().topImage}) {
            u->picture = std::make_unique<Picture>();
            u->width = 40;
            u->height = 20;
            u->centerX = 0;
            u->bottom = 10;
        }
    }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    CardModel& model() { return *currentModel(); }
    void mode(EditMode m) {
        state.editMode = int(m);
        view.refreshProjection();
    }
    // Window position of the in-plane point (x, v) of the current mode.
    WindowPoint at(double x, double v) {
        const bool top = state.inMode(EditMode::UnderlayTop);
        return view.projection.project(top ? Point3{x, v, 0} : Point3{x, 0, v});
    }
    // Drags from in-plane (x0, v0) to (x1, v1).
    void drag(double x0, double v0, double x1, double v1, bool ctrl = false) {
        const WindowPoint a = at(x0, v0), b = at(x1, v1);
        placement.press(model(), state, view.projection, a.x, a.y);
        placement.move(model(), state, view.projection, b.x, b.y, ctrl, flags);
        placement.release();
    }
    UnderlayImage& front() { return model().frontImage; }

    DisplayState state;
    ViewController view;
    UnderlayPlacement placement;
    UnderlayFlags flags;
};

} // namespace

TEST_F(UnderlayPlacementTest, HitsHandlesInsideAndNothingElse) {
    mode(EditMode::UnderlayFront);
    struct Row {
        double x, v;
        int expected;
    };
    const Row rows[] = {{20, 30, 1},  {20, 20, 2},  {20, 10, 3},  {0, 30, 4}, {0, 10, 5},
                        {-20, 30, 6}, {-20, 20, 7}, {-20, 10, 8}, {5, 15, 9}, {-15, 25, 9},
                        {40, 20, 0},  {0, 50, 0},   {0, 0, 0}};
    for (const Row& r : rows) {
        const WindowPoint w = at(r.x, r.v);
        EXPECT_EQ(placement.hit(model(), state, view.projection, w.x, w.y), r.expected)
            << r.x << "," << r.v;
    }
    // Other modes hit nothing.
    state.editMode = int(EditMode::PolygonFace);
    const WindowPoint w = at(5, 15);
    EXPECT_EQ(placement.hit(model(), state, view.projection, w.x, w.y), 0);
    EXPECT_FALSE(placement.press(model(), state, view.projection, w.x, w.y));
}

TEST_F(UnderlayPlacementTest, MoveFollowsTheMouseAndCtrlKeepsOneAxis) {
    mode(EditMode::UnderlayFront);
    struct Row {
        double dx, dv;
        bool ctrl;
        double cx, b;
    };
    const Row rows[] = {
        {7, 3, false, 7, 13}, {-5, -8, false, -5, 2}, {9, 2, true, 9, 10},
        {2, 9, true, 0, 19},  {5, 5, true, 0, 15},    {-12, 1, true, -12, 10},
    };
    for (const Row& r : rows) {
        front().centerX = 0;
        front().bottom = 10;
        drag(5, 15, 5 + r.dx, 15 + r.dv, r.ctrl);
        EXPECT_NEAR(front().centerX, r.cx, 1e-6) << r.dx << "," << r.dv << " ctrl " << r.ctrl;
        EXPECT_NEAR(front().bottom, r.b, 1e-6) << r.dx << "," << r.dv << " ctrl " << r.ctrl;
        EXPECT_EQ(front().width, 40);
        EXPECT_EQ(front().height, 20);
    }
}

TEST_F(UnderlayPlacementTest, SnappedMovesLandOnTheGrid) {
    mode(EditMode::UnderlayFront);
    flags.snapToGrid = true;
    ASSERT_EQ(model().gridSize, 10);
    for (double dx : {3.0, 7.0, -4.0, -16.0, 24.9})
        for (double dv : {2.0, 6.0, -3.0, 14.0}) {
            front().centerX = 0;
            front().bottom = 10;
            drag(5, 15, 5 + dx, 15 + dv);
            EXPECT_NEAR(std::remainder(front().centerX, 10.0), 0.0, 1e-9) << dx;
            EXPECT_NEAR(std::remainder(front().bottom, 10.0), 0.0, 1e-9) << dv;
            EXPECT_NEAR(front().centerX, std::floor(dx / 10 + 0.5) * 10, 1e-6) << dx;
            EXPECT_NEAR(front().bottom, std::trunc((10 + dv) / 10 + 0.5) * 10, 1e-6) << dv;
        }
}

TEST_F(UnderlayPlacementTest, EachHandleWithAndWithoutTheAspect) {
    mode(EditMode::UnderlayFront);
    // The picture spans x -20..20, v 10..30 (40 x 20, ratio 2). Each handle is dragged 10 mm
    // right and 4 mm up from where it sits.
    struct Row {
        int handle;
        bool keep;
        double left, right, bottom, top;
    };
    const Row rows[] = {
        {1, false, -20, 30, 10, 34}, {1, true, -20, 28, 10, 34},  {2, false, -20, 30, 10, 30},
        {2, true, -20, 30, 10, 35},  {3, false, -20, 30, 14, 30}, {3, true, -20, 12, 14, 30},
        {4, false, -20, 20, 10, 34}, {4, true, -24, 24, 10, 34},  {5, false, -20, 20, 14, 30},
        {5, true, -16, 16, 14, 30},  {6, false, -10, 20, 10, 34}, {6, true, -28, 20, 10, 34},
        {7, false, -10, 20, 10, 30}, {7, true, -10, 20, 10, 25},  {8, false, -10, 20, 14, 30},
        {8, true, -12, 20, 14, 30},
    };
    const Point2 positions[9] = {{0, 0},  {20, 30},  {20, 20},  {20, 10}, {0, 30},
                                 {0, 10}, {-20, 30}, {-20, 20}, {-20, 10}};
    for (const Row& r : rows) {
        front().centerX = 0;
        front().bottom = 10;
        front().width = 40;
        front().height = 20;
        flags.keepAspect = r.keep;
        const Point2 p = positions[r.handle];
        const WindowPoint a = at(p.x, p.y);
        ASSERT_TRUE(placement.press(model(), state, view.projection, a.x, a.y));
        ASSERT_EQ(placement.handle, r.handle);
        drag(p.x, p.y, p.x + 10, p.y + 4);
        const double left = front().centerX - front().width / 2;
        EXPECT_NEAR(left, r.left, 1e-6) << r.handle << " keep " << r.keep;
        EXPECT_NEAR(left + front().width, r.right, 1e-6) << r.handle << " keep " << r.keep;
        EXPECT_NEAR(front().bottom, r.bottom, 1e-6) << r.handle << " keep " << r.keep;
        EXPECT_NEAR(front().bottom + front().height, r.top, 1e-6) << r.handle << " keep " << r.keep;
    }
}

TEST_F(UnderlayPlacementTest, KeptAspectOnTheRightEdgeGrowsFromTheBase) {
    mode(EditMode::UnderlayFront);
    flags.keepAspect = true;
    drag(20, 20, 30, 20);
    EXPECT_NEAR(front().width, 50, 1e-6);
    EXPECT_NEAR(front().height, 25, 1e-6);
    EXPECT_NEAR(front().bottom, 10, 1e-6);
}

TEST_F(UnderlayPlacementTest, HandlesPastTheOppositeEdgeStoreNegativeSizes) {
    mode(EditMode::UnderlayFront);
    drag(20, 20, -30, 20);
    EXPECT_NEAR(front().width, -10, 1e-6);
}

TEST_F(UnderlayPlacementTest, CursorsAndTheTopView) {
    struct Row {
        int handle;
        SizingCursor front, top;
    };
    using C = SizingCursor;
    const Row rows[] = {
        {1, C::NorthEastSouthWest, C::NorthWestSouthEast},
        {2, C::WestEast, C::WestEast},
        {3, C::NorthWestSouthEast, C::NorthEastSouthWest},
        {4, C::NorthSouth, C::NorthSouth},
        {5, C::NorthSouth, C::NorthSouth},
        {6, C::NorthWestSouthEast, C::NorthEastSouthWest},
        {7, C::WestEast, C::WestEast},
        {8, C::NorthEastSouthWest, C::NorthWestSouthEast},
        {0, C::Unchanged, C::Unchanged},
        {9, C::Unchanged, C::Unchanged},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(UnderlayPlacement::cursorFor(r.handle, false), r.front) << r.handle;
        EXPECT_EQ(UnderlayPlacement::cursorFor(r.handle, true), r.top) << r.handle;
    }
    // In the top view handle 1 lies at the lower right of the screen and hovering it shows
    // the north-west/south-east cursor.
    mode(EditMode::UnderlayTop);
    const WindowPoint h1 = at(20, 30), centre = at(0, 20);
    EXPECT_GT(h1.x, centre.x);
    EXPECT_GT(h1.y, centre.y);
    const auto hover = placement.move(model(), state, view.projection, h1.x, h1.y, false, flags);
    EXPECT_EQ(hover.cursor, SizingCursor::NorthWestSouthEast);
    EXPECT_FALSE(hover.dragged);
    // The top view moves its own record.
    drag(5, 15, 12, 18);
    EXPECT_NEAR(model().topImage.centerX, 7, 1e-6);
    EXPECT_NEAR(model().topImage.bottom, 13, 1e-6);
    EXPECT_EQ(front().centerX, 0);
}

TEST_F(UnderlayPlacementTest, TheViewControllerHandsTheModesEventsToThePlacement) {
    mode(EditMode::UnderlayFront);
    const WindowPoint a = at(5, 15), b = at(12, 15), outside = at(60, 60);
    EXPECT_TRUE(view.leftButtonDown(int(std::lround(a.x)), int(std::lround(a.y)), 0).redraw);
    const ViewResponse moved =
        view.mouseMove(int(std::lround(b.x)), int(std::lround(b.y)), LeftButton, 0);
    EXPECT_TRUE(moved.redraw);
    EXPECT_TRUE(view.leftButtonUp(int(std::lround(b.x)), int(std::lround(b.y))).redraw);
    EXPECT_NEAR(front().centerX, 7, 0.5); // whole pixels: within half a millimetre
    EXPECT_EQ(view.underlay.handle, 0);
    // A press away from the picture grabs nothing; hovering a handle asks for its cursor.
    view.leftButtonDown(int(outside.x), int(outside.y), 0);
    EXPECT_EQ(view.underlay.handle, 0);
    view.leftButtonUp(int(outside.x), int(outside.y));
    const WindowPoint h2 = at(front().centerX + front().width / 2, 20);
    EXPECT_EQ(view.mouseMove(int(std::lround(h2.x)), int(std::lround(h2.y)), 0, 0).cursor,
              SizingCursor::WestEast);
}
