// Fitting the card into the view: for any camera angle, card size, window and opening angle the
// fitted card lies wholly in the view, fills it up to the margin and is centred; the reset camera
// is kept whenever the card already fits under it.
#include "view/view_controller.h"
#include "view/view_fit.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace plicato;

namespace {

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
};

Box extentOf(const Camera& c, const DisplayState& s, int w, int h) {
    const ProjectionCache p = c.projectionFor(s, w);
    Box b;
    for (const Point3& q : cardCorners(w, h, s.openAngle)) {
        const WindowPoint wp = p.project(q);
        b.minX = std::min(b.minX, wp.x);
        b.maxX = std::max(b.maxX, wp.x);
        b.minY = std::min(b.minY, wp.y);
        b.maxY = std::max(b.maxY, wp.y);
    }
    return b;
}

} // namespace

TEST(ViewFit, CornersOfTheOpenCard) {
    const auto flat = cardCorners(160, 80, 180);
    EXPECT_NEAR(flat[4].y, -80, 1e-9);
    EXPECT_NEAR(flat[4].z, 0, 1e-9);
    const auto upright = cardCorners(161, 80, 90);
    EXPECT_EQ(upright[1].x, 80); // the integer half of the width, as the sheet uses
    EXPECT_NEAR(upright[5].y, 0, 1e-9);
    EXPECT_EQ(upright[5].z, 80);
    EXPECT_EQ(upright[3].y, 80);
}

TEST(ViewFit, AnyCameraCardAndWindowEndsWhollyInViewFilledAndCentred) {
    std::mt19937 random(18);
    std::uniform_real_distribution<double> rotX(-90, 90), rotY(-180, 180), zoom(0.05, 20);
    std::uniform_real_distribution<double> pan(-2, 2);
    std::uniform_int_distribution<int> size(5, 20), width(200, 1600), height(150, 1000);
    std::uniform_int_distribution<int> angle(0, 180), coin(0, 1);
    for (int i = 0; i < 400; ++i) {
        DisplayState state;
        state.orthographic = coin(random) == 1;
        state.openAngle = angle(random);
        Camera c;
        c.viewWidth = width(random);
        c.viewHeight = height(random);
        c.rotX = rotX(random);
        c.rotY = rotY(random);
        c.scale = zoom(random);
        c.panX = pan(random);
        c.panY = pan(random);
        const int w = size(random) * 10, h = size(random) * 10;
        const double rx = c.rotX, ry = c.rotY;

        fitCardInView(c, state, w, h);
        SCOPED_TRACE(::testing::Message() << "case " << i << ": " << w << "x" << h << " in "
                                          << c.viewWidth << "x" << c.viewHeight << " at " << rx
                                          << "/" << ry << " ortho " << state.orthographic);
        ASSERT_TRUE(cardInView(c, state, w, h));
        EXPECT_EQ(c.rotX, rx);
        EXPECT_EQ(c.rotY, ry);
        const Box b = extentOf(c, state, w, h);
        const double fillX = (b.maxX - b.minX) / c.viewWidth;
        const double fillY = (b.maxY - b.minY) / c.viewHeight;
        EXPECT_LE(std::max(fillX, fillY), 0.9 + 1e-6);
        EXPECT_GT(std::max(fillX, fillY), 0.89);
        EXPECT_NEAR((b.minX + b.maxX) / 2, c.viewWidth / 2.0, 0.5);
        EXPECT_NEAR((b.minY + b.maxY) / 2, c.viewHeight / 2.0, 0.5);
    }
}

TEST(ViewFit, ACardBehindTheEyeIsNotInViewAndAnEmptyViewIsLeftAlone) {
    DisplayState state;
    Camera c;
    c.viewWidth = 800;
    c.viewHeight = 600;
    c.scale = 8; // the base half's front edge passes the near plane
    EXPECT_FALSE(cardInView(c, state, 200, 200));
    fitCardInView(c, state, 200, 200);
    EXPECT_TRUE(cardInView(c, state, 200, 200));
    Camera tiny;
    tiny.scale = 3;
    fitCardInView(tiny, state, 200, 200); // a view not laid out yet has no size to fit into
    EXPECT_EQ(tiny.scale, 3);
}

class ViewResetTest : public ::testing::Test {
protected:
    void SetUp() override { installDisplayState(&state); }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    DisplayState state;
    ViewController view;
};

TEST_F(ViewResetTest, ResetKeepsItsCameraWhereTheCardFitsAndFitsItElsewhere) {
    struct Row {
        int w, h, viewW, viewH;
        bool keepsResetCamera;
    };
    // The perspective's zoom is relative to the card's width and the view's height, so whether
    // the card fits depends on its height for its width, not on the window's size.
    const Row rows[] = {
        {160, 80, 1024, 640, true},   {160, 80, 1280, 800, true},   {50, 50, 800, 600, false},
        {200, 200, 1024, 640, false}, {180, 200, 1024, 640, false}, {160, 80, 320, 200, true},
        {200, 50, 1024, 640, true},   {50, 200, 1024, 640, false},
    };
    for (const Row& r : rows) {
        setCurrentModel(plicato::testing::handCard(r.w, r.h, 10));
        view.resize(r.viewW, r.viewH);
        view.camera.rotX = 70;
        view.camera.scale = 4;
        EXPECT_TRUE(view.resetView().redraw);
        SCOPED_TRACE(::testing::Message()
                     << r.w << "x" << r.h << " in " << r.viewW << "x" << r.viewH);
        EXPECT_EQ(view.camera.rotX, 30);
        EXPECT_EQ(view.camera.rotY, 0);
        EXPECT_TRUE(cardInView(view.camera, state, r.w, r.h));
        EXPECT_EQ(view.camera.scale == 1.0 && view.camera.panX == 0 && view.camera.panY == 0,
                  r.keepsResetCamera);
    }
}
