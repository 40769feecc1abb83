// Edit plane placement, arrow keys, mirror plane limits, handles and grid steps.
#include "view/camera.h"
#include "view/edit_plane.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plicato;
using plicato::testing::addBoth;
using plicato::testing::handCard;
using plicato::testing::handFace;

namespace {

ProjectionCache viewOf(const DisplayState& state, int cardWidth, double rotX = 30, double rotY = 0,
                       double scale = 1.0) {
    Camera c;
    c.viewWidth = 1280;
    c.viewHeight = 800;
    c.rotX = rotX;
    c.rotY = rotY;
    c.scale = scale;
    return c.projectionFor(state, cardWidth);
}

} // namespace

TEST(GridSteps, HalvingStopsAtTheMinimumAndDoublingStaysWithinTheCard) {
    auto m = handCard(160, 80);
    std::vector<double> seen;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(makeGridSmaller(*m), i < 5) << i;
        seen.push_back(m->gridSize);
    }
    EXPECT_EQ(seen, (std::vector<double>{5, 2.5, 1.25, 0.625, 0.3125, 0.3125}));
    EXPECT_EQ(m->gridLevel, 5);
    EXPECT_FALSE(canMakeGridSmaller(m.get()));
    seen.clear();
    while (makeGridLarger(*m))
        seen.push_back(m->gridSize);
    EXPECT_EQ(seen, (std::vector<double>{0.625, 1.25, 2.5, 5, 10, 20, 40, 80}));
    EXPECT_EQ(m->gridLevel, -3);
    EXPECT_TRUE(canMakeGridSmaller(m.get()));
    EXPECT_FALSE(canMakeGridSmaller(nullptr));
    EXPECT_FALSE(canMakeGridLarger(nullptr));
}

TEST(GridSteps, LargerIsDisabledAtExactlyHalfTheCardAndSnapsThePlane) {
    auto m = handCard(160, 80, 35);
    EXPECT_TRUE(canMakeGridLarger(m.get()));
    EXPECT_TRUE(makeGridLarger(*m));
    EXPECT_EQ(m->gridSize, 20);
    EXPECT_EQ(m->editOffset, 40); // 35 / 20 + 0.5 truncates to 2
    EXPECT_TRUE(makeGridLarger(*m));
    EXPECT_EQ(m->gridSize, 40);
    // Twice the grid equals the height: the menu item is off, though the command still acts.
    EXPECT_FALSE(canMakeGridLarger(m.get()));
    EXPECT_TRUE(makeGridLarger(*m));
    EXPECT_FALSE(makeGridLarger(*m));
    EXPECT_EQ(m->gridSize, 80);
}

TEST(EditPlaneKeys, UpStopsAtTheCardHeight) {
    auto m = handCard(160, 80);
    m->editPlane = FacePlane::Horizontal;
    m->editOffset = 70;
    m->drawPoints.push_back({});
    EXPECT_TRUE(moveEditPlaneUp(*m));
    EXPECT_EQ(m->editOffset, 80);
    EXPECT_TRUE(m->drawPoints.empty());
    EXPECT_FALSE(moveEditPlaneUp(*m));
    EXPECT_EQ(m->editOffset, 80);
    EXPECT_TRUE(moveEditPlaneDown(*m));
    EXPECT_EQ(m->editOffset, 70);
}

TEST(EditPlaneKeys, VerticalPlaneMovesBackWithUpAndMayOvershootByAStep) {
    auto m = handCard(160, 80, 5);
    m->setGridSize(10);
    m->editOffset = 5; // off the grid, as after a grid change
    EXPECT_TRUE(moveEditPlaneUp(*m));
    EXPECT_EQ(m->editOffset, -5);
    EXPECT_FALSE(moveEditPlaneUp(*m));
    m->editOffset = 75;
    EXPECT_TRUE(moveEditPlaneDown(*m));
    EXPECT_EQ(m->editOffset, 85);
    EXPECT_FALSE(moveEditPlaneDown(*m));
}

TEST(EditPlaneKeys, MirrorPlaneKeepsTwoStepsFromTheEdges) {
    auto m = handCard(160, 80);
    DisplayState state;
    m->mirrorX = -50;
    EXPECT_FALSE(moveMirrorLeft(*m, state)); // mirror editing off
    state.mirrorEdit = true;
    EXPECT_TRUE(moveMirrorLeft(*m, state));
    EXPECT_EQ(m->mirrorX, -60);
    EXPECT_FALSE(moveMirrorLeft(*m, state));
    m->mirrorX = 50;
    EXPECT_TRUE(moveMirrorRight(*m, state));
    EXPECT_EQ(m->mirrorX, 60);
    EXPECT_FALSE(moveMirrorRight(*m, state));
    EXPECT_TRUE(moveMirrorLeft(*m, state));
    EXPECT_EQ(m->mirrorX, 50);
}

TEST(TogglePlane, HorizontalPlaneGoesOnTopOfTheLastRaisedVerticalFace) {
    auto m = handCard(160, 80, 20);
    // A vertical face 20 mm in front of the fold reaching 35 mm high (sheet y up to 15).
    addBoth(*m, handFace(FacePlane::Vertical, 20, {{-10, -20}, {10, -20}, {10, 15}, {-10, 15}}));
    m->drawPoints.push_back({});
    togglePlane(*m);
    EXPECT_EQ(m->editPlane, FacePlane::Horizontal);
    EXPECT_EQ(m->editOffset, 40);
    EXPECT_TRUE(m->drawPoints.empty());
}

TEST(TogglePlane, VerticalPlaneGoesToTheBackOfTheLastRaisedHorizontalFace) {
    auto m = handCard(160, 80, 50);
    m->editPlane = FacePlane::Horizontal;
    // Depths (offset - sheet y) from 24 to 40; the last raised face counts, not the first.
    addBoth(*m, handFace(FacePlane::Horizontal, 10, {{0, 0}, {5, 0}, {5, -5}}));
    addBoth(*m, handFace(FacePlane::Horizontal, 30, {{-5, 6}, {5, 6}, {5, -10}, {-5, -10}}));
    togglePlane(*m);
    EXPECT_EQ(m->editPlane, FacePlane::Vertical);
    EXPECT_EQ(m->editOffset, 20); // 24 / 10 + 0.5 truncates to 2
}

TEST(TogglePlane, NegativeDepthBecomesTheFold) {
    auto m = handCard(160, 80, 50);
    m->editPlane = FacePlane::Horizontal;
    addBoth(*m, handFace(FacePlane::Horizontal, 10, {{0, 30}, {5, 30}, {5, 0}}));
    togglePlane(*m);
    EXPECT_EQ(m->editOffset, 0);
}

TEST(TogglePlane, WithoutRaisedFacesTheOffsetStays) {
    auto m = handCard(160, 80, 30);
    m->editPlane = FacePlane::Horizontal;
    addBoth(*m, handFace(FacePlane::Vertical, 20, {{0, 0}, {5, 0}, {5, 5}})); // other kind
    togglePlane(*m);
    EXPECT_EQ(m->editPlane, FacePlane::Vertical);
    EXPECT_EQ(m->editOffset, 30); // the depth that was the height
    togglePlane(*m);
    EXPECT_EQ(m->editPlane, FacePlane::Horizontal);
    EXPECT_EQ(m->editOffset, 30); // 20 + 5 = 25, 25 / 10 + 0.5 = 3
}

TEST(PointOnEditPlane, ProjectedGridPointsMapBackToThemselves) {
    auto m = handCard(160, 80, 30);
    DisplayState state;
    for (bool ortho : {false, true}) {
        state.orthographic = ortho;
        for (FacePlane plane : {FacePlane::Vertical, FacePlane::Horizontal}) {
            m->editPlane = plane;
            const ProjectionCache p = viewOf(state, m->cardWidth, 35, -25, 1.3);
            for (double x : {-70.0, -10.0, 0.0, 20.0, 80.0})
                for (double v : {0.0, 10.0, 40.0, 70.0}) {
                    const Point3 q =
                        plane == FacePlane::Vertical ? Point3{x, 30, v} : Point3{x, v, 30};
                    const WindowPoint w = p.project(q);
                    const Point3 back = pointOnEditPlane(*m, p, w.x, w.y, 800);
                    EXPECT_NEAR(back.x, q.x, 1e-9);
                    EXPECT_NEAR(back.y, q.y, 1e-9);
                    EXPECT_NEAR(back.z, q.z, 1e-9);
                }
        }
    }
}

TEST(PointOnEditPlane, XRoundsToNearestWhileTheOtherCoordinateTruncates) {
    auto m = handCard(160, 80, 20);
    DisplayState state;
    const ProjectionCache p = viewOf(state, m->cardWidth, 20, 10);
    auto snapOf = [&](double x, double z) {
        const WindowPoint w = p.project({x, 20, z});
        return pointOnEditPlane(*m, p, w.x, w.y, 800);
    };
    EXPECT_NEAR(snapOf(-14.9, -9).x, -10, 1e-9);
    EXPECT_NEAR(snapOf(-15.2, 3).x, -20, 1e-9);
    EXPECT_NEAR(snapOf(14.9, 3).x, 10, 1e-9);
    EXPECT_NEAR(snapOf(15.2, 3).x, 20, 1e-9);
    // Below the fold: up to 1.5 steps down still snaps to 0.
    EXPECT_NEAR(snapOf(0, -9).z, 0, 1e-9);
    EXPECT_NEAR(snapOf(0, -14).z, 0, 1e-9);
    EXPECT_NEAR(snapOf(0, -16).z, -10, 1e-9);
    EXPECT_NEAR(snapOf(0, 14).z, 10, 1e-9);
    EXPECT_NEAR(snapOf(0, 16).z, 20, 1e-9);
    EXPECT_NEAR(snapOf(0, 16).y, 20, 1e-12);

    m->editPlane = FacePlane::Horizontal;
    m->editOffset = 10;
    const WindowPoint w = p.project({3, -14, 10});
    const Point3 q = pointOnEditPlane(*m, p, w.x, w.y, 800);
    EXPECT_NEAR(q.y, 0, 1e-9);
    EXPECT_NEAR(q.x, 0, 1e-9);
    EXPECT_EQ(q.z, 10);
}

TEST(PointOnEditPlane, LookingAlongThePlaneGivesNoFinitePoint) {
    auto m = handCard(160, 80, 20);
    m->editPlane = FacePlane::Horizontal;
    DisplayState state;
    state.orthographic = true;
    const ProjectionCache p = viewOf(state, m->cardWidth, 0, 0); // front view
    const Point3 q = pointOnEditPlane(*m, p, 640, 300, 800);
    EXPECT_FALSE(std::isfinite(q.x) && std::isfinite(q.y));
}

TEST(Handles, PickNeedsEightPixelsAndLaterTestsWin) {
    auto m = handCard(160, 80, 30);
    DisplayState state;
    const ProjectionCache p = viewOf(state, m->cardWidth);
    const WindowPoint right = p.project(handlePosition(*m, VerticalRight));
    EXPECT_EQ(pickHandle(*m, state, p, right.x + 5, right.y + 5), VerticalRight);
    EXPECT_EQ(pickHandle(*m, state, p, right.x + 8, right.y), NoHandle);
    const WindowPoint left = p.project(handlePosition(*m, VerticalLeft));
    EXPECT_EQ(pickHandle(*m, state, p, left.x, left.y), VerticalLeft);
    m->editPlane = FacePlane::Horizontal;
    EXPECT_EQ(pickHandle(*m, state, p, left.x, left.y), NoHandle);
    const WindowPoint h3 = p.project(handlePosition(*m, HorizontalRight));
    EXPECT_EQ(pickHandle(*m, state, p, h3.x, h3.y), HorizontalRight);

    // Zoomed far out every handle lies on one spot: the mirror handle is tested last.
    m->editPlane = FacePlane::Vertical;
    const ProjectionCache tiny = viewOf(state, m->cardWidth, 30, 0, 0.001);
    const WindowPoint c = tiny.project({0, 0, 0});
    EXPECT_EQ(pickHandle(*m, state, tiny, c.x, c.y), VerticalLeft);
    state.mirrorEdit = true;
    EXPECT_EQ(pickHandle(*m, state, tiny, c.x, c.y), MirrorHandle);
}

TEST(Handles, DragLandsOnTheNearestGridLineWithinTheCard) {
    auto m = handCard(160, 80, 30);
    DisplayState state;
    const ProjectionCache p = viewOf(state, m->cardWidth);
    auto dragTo = [&](int handle, const Point3& q) {
        const WindowPoint w = p.project(q);
        dragHandle(*m, p, handle, w.x, w.y);
    };
    m->drawPoints.push_back({});
    dragTo(VerticalRight, {80, 30, 0}); // no change: the outline stays
    EXPECT_EQ(m->editOffset, 30);
    EXPECT_EQ(m->drawPoints.size(), 1u);
    dragTo(VerticalRight, {80, 37, 0});
    EXPECT_EQ(m->editOffset, 40);
    EXPECT_TRUE(m->drawPoints.empty());
    dragTo(VerticalLeft, {-80, 200, 0});
    EXPECT_EQ(m->editOffset, 80);
    dragTo(VerticalLeft, {-80, -50, 0});
    EXPECT_EQ(m->editOffset, 0);
    m->editPlane = FacePlane::Horizontal;
    dragTo(HorizontalLeft, {-80, 0, 52});
    EXPECT_EQ(m->editOffset, 50);
    m->mirrorX = 0;
    dragTo(MirrorHandle, {23, 80, 0});
    EXPECT_EQ(m->mirrorX, 20);
    dragTo(MirrorHandle, {-300, 80, 0});
    EXPECT_EQ(m->mirrorX, -80);
    m->setGridSize(3); // lines counted from the left edge: -80, -77, ...
    dragTo(MirrorHandle, {0.4, 80, 0});
    EXPECT_EQ(m->mirrorX, 1);
}

TEST(EditPlaneShown, ToggleDropsTheOutline) {
    auto m = handCard();
    DisplayState state;
    m->drawPoints.push_back({});
    toggleEditPlaneShown(state, m.get());
    EXPECT_FALSE(state.showEditPlane);
    EXPECT_TRUE(m->drawPoints.empty());
    toggleEditPlaneShown(state, nullptr);
    EXPECT_TRUE(state.showEditPlane);
}
