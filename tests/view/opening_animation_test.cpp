// Opening animation stepping and what showing and closing the window do to the display state.
#include "view/opening_animation.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plicato;

namespace {
std::vector<int> ticks(OpeningAnimation& a, int n) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) {
        a.tick();
        seen.push_back(a.sliderAngle());
    }
    return seen;
}
} // namespace

TEST(OpeningAnimation, ReversesAtBothEnds) {
    DisplayState state;
    OpeningAnimation a(state);
    a.sliderMoved(178);
    a.start();
    // The step that would pass 180 stays at 180 and turns round.
    EXPECT_EQ(ticks(a, 4), (std::vector<int>{180, 180, 178, 176}));
    EXPECT_EQ(a.step(), -2);
    EXPECT_EQ(state.openAngle, 176);
    EXPECT_EQ(a.shownAngle(), 176);
    a.sliderMoved(3);
    EXPECT_EQ(ticks(a, 4), (std::vector<int>{1, 0, 2, 4}));
    EXPECT_EQ(a.step(), 2);
}

TEST(OpeningAnimation, RightAngleDuringTheAnimationContinuesFromNinety) {
    DisplayState state;
    OpeningAnimation a(state);
    a.start();
    ticks(a, 50); // past 180 and on the way back
    EXPECT_EQ(a.step(), -2);
    a.rightAngle();
    EXPECT_EQ(state.openAngle, 90);
    EXPECT_EQ(a.shownAngle(), 90);
    EXPECT_TRUE(a.running());
    EXPECT_EQ(ticks(a, 2), (std::vector<int>{88, 86}));
}

TEST(OpeningAnimation, ShowAndCloseRestoreTheEditPlane) {
    DisplayState state;
    state.inputDisplay = true;
    state.editMode = int(EditMode::FaceOperation);
    OpeningAnimation a(state);
    a.show();
    EXPECT_FALSE(state.showEditPlane);
    EXPECT_FALSE(state.inputDisplay);
    EXPECT_EQ(state.mode(), EditMode::PolygonFace);
    a.start();
    ticks(a, 7);
    EXPECT_EQ(state.openAngle, 104);
    a.close();
    EXPECT_FALSE(a.running());
    EXPECT_EQ(state.openAngle, 90);
    EXPECT_TRUE(state.showEditPlane);
    // The slider keeps its place and direction for the next time.
    EXPECT_EQ(a.sliderAngle(), 104);
    a.start();
    a.tick();
    EXPECT_EQ(state.openAngle, 106);
}

TEST(OpeningAnimation, HiddenPlaneStaysHiddenAfterClose) {
    DisplayState state;
    state.showEditPlane = false;
    state.editMode = int(EditMode::CutOut);
    OpeningAnimation a(state);
    a.show();
    EXPECT_EQ(state.mode(), EditMode::CutOut);
    a.sliderMoved(0);
    EXPECT_EQ(state.openAngle, 0);
    a.close();
    EXPECT_FALSE(state.showEditPlane);
    EXPECT_EQ(state.openAngle, 90);
}

TEST(OpeningAnimation, StartHidesThePlaneEvenWhenShownMeanwhile) {
    DisplayState state;
    OpeningAnimation a(state);
    a.show();
    state.showEditPlane = true; // Ctrl+H while the window is open
    a.start();
    EXPECT_FALSE(state.showEditPlane);
    a.stop();
    EXPECT_FALSE(a.running());
    EXPECT_EQ(state.openAngle, 90); // stopping leaves the angle where it is
}

TEST(OpeningAnimation, ShownTwiceWhileOpenStillRestoresTheVisiblePlane) {
    DisplayState state;
    OpeningAnimation a(state);
    a.show();
    a.show(); // the command again while the window is open: the plane is hidden by now
    a.close();
    EXPECT_TRUE(state.showEditPlane);
    // Hidden by a mode command, the next opening remembers the plane as it is then.
    state.showEditPlane = false;
    a.show();
    a.hidden();
    state.showEditPlane = true;
    a.show();
    a.close();
    EXPECT_TRUE(state.showEditPlane);
}
