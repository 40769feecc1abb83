// Camera moves, axis snapping, the two projections and the mapping between model and window.
#include "view/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace plicato;

namespace {

Camera releasedAt(double rotX, double rotY) {
    Camera c;
    c.rotX = rotX;
    c.rotY = rotY;
    c.snapToAxis();
    return c;
}

} // namespace

TEST(CameraSnap, SideViewsSnapToFrontRightAndLeft) {
    const Camera left = releasedAt(3, -88);
    EXPECT_EQ(left.rotX, 0);
    EXPECT_EQ(left.rotY, -90);
    EXPECT_TRUE(left.axisSnapped);
    const Camera front = releasedAt(-4.9, 4.9);
    EXPECT_EQ(front.rotX, 0);
    EXPECT_EQ(front.rotY, 0);
    const Camera right = releasedAt(1, 94);
    EXPECT_EQ(right.rotY, 90);
    EXPECT_TRUE(right.axisSnapped);
}

TEST(CameraSnap, TopViewAlsoSnapsToTheBack) {
    const Camera back = releasedAt(92, 178);
    EXPECT_EQ(back.rotX, 90);
    EXPECT_EQ(back.rotY, 180);
    EXPECT_TRUE(back.axisSnapped);
    const Camera backNegative = releasedAt(86, -176);
    EXPECT_EQ(backNegative.rotY, -180);
    const Camera top = releasedAt(89, 3);
    EXPECT_EQ(top.rotX, 90);
    EXPECT_EQ(top.rotY, 0);
}

TEST(CameraSnap, NearMissesAndViewsFromBehindStay) {
    const Camera behind = releasedAt(2, 178);
    EXPECT_EQ(behind.rotX, 2);
    EXPECT_EQ(behind.rotY, 178);
    EXPECT_FALSE(behind.axisSnapped);
    const Camera edge = releasedAt(5, 0); // the bounds are strict
    EXPECT_EQ(edge.rotX, 5);
    EXPECT_FALSE(edge.axisSnapped);
    const Camera oblique = releasedAt(30, 45);
    EXPECT_FALSE(oblique.axisSnapped);
    EXPECT_EQ(oblique.rotY, 45);
}

TEST(CameraSnap, SnappedViewForcesOrthographicUntilCleared) {
    DisplayState state;
    Camera c = releasedAt(3, -88);
    EXPECT_TRUE(c.usesOrthographic(state));
    c.axisSnapped = false; // what the next right press does
    EXPECT_FALSE(c.usesOrthographic(state));
    EXPECT_EQ(c.rotY, -90); // the camera does not move
    state.orthographic = true;
    EXPECT_TRUE(c.usesOrthographic(state));
    state.orthographic = false;
    state.autoAxisSnap = false;
    c.axisSnapped = true;
    EXPECT_FALSE(c.usesOrthographic(state));
}

TEST(CameraMoves, ZoomStopsAtTheFloorAndRotationIsClamped) {
    Camera c;
    c.zoom(-3, 5); // (dx - dy) * 0.1
    EXPECT_NEAR(c.scale, 0.2, 1e-12);
    c.zoom(-1000, 0);
    EXPECT_EQ(c.scale, 0.1);
    c.rotate(1000, 1000);
    EXPECT_EQ(c.rotX, 180);
    EXPECT_EQ(c.rotY, 180);
    c.rotate(-2000, -2000);
    EXPECT_EQ(c.rotX, -180);
    EXPECT_EQ(c.rotY, -180);
    c.rotate(10, 20);
    EXPECT_NEAR(c.rotY, -177, 1e-9); // clamped, never wrapped
    EXPECT_NEAR(c.rotX, -174, 1e-9);
}

TEST(CameraMoves, PanAndWheel) {
    Camera c;
    c.pan(10, 20);
    EXPECT_NEAR(c.panX, 0.01, 1e-12);
    EXPECT_NEAR(c.panY, -0.02, 1e-12);
    c.wheel(120);
    EXPECT_NEAR(c.scale, 1.24, 1e-12);
    c.wheel(0xff88); // -120 as the platform's unsigned 16-bit count
    EXPECT_NEAR(c.scale, 1.0, 1e-12);
    c.wheel(-120 * 10);
    EXPECT_EQ(c.scale, 0.1);
    c.reset();
    EXPECT_EQ(c.rotX, 30);
    EXPECT_EQ(c.rotY, 0);
    EXPECT_EQ(c.scale, 1);
    EXPECT_EQ(c.panX, 0);
    EXPECT_EQ(c.panStep, 0.001);
    EXPECT_FALSE(c.axisSnapped);
}

TEST(CameraModes, UnderlayModesFixTheAnglesAndTheProjection) {
    DisplayState state;
    Camera c;
    state.editMode = int(EditMode::UnderlayTop);
    c.applyModeAngles(state);
    EXPECT_EQ(c.rotX, 90);
    EXPECT_EQ(c.rotY, 0);
    EXPECT_TRUE(c.usesOrthographic(state));
    state.editMode = int(EditMode::PolygonFace);
    c.applyModeAngles(state);
    EXPECT_EQ(c.rotX, 90); // stays after leaving the mode
    EXPECT_FALSE(c.usesOrthographic(state));
    state.editMode = int(EditMode::UnderlayFront);
    c.applyModeAngles(state);
    EXPECT_EQ(c.rotX, 0);
}

TEST(CameraProjection, OrthographicCardFillsHalfTheWidthAtScaleOne) {
    DisplayState state;
    state.orthographic = true;
    Camera c;
    c.viewWidth = 800;
    c.viewHeight = 600;
    const ProjectionCache p = c.projectionFor(state, 160);
    const WindowPoint l = p.project({-80, 0, 0});
    const WindowPoint r = p.project({80, 0, 0});
    EXPECT_NEAR(r.x - l.x, 400, 1e-9);
    EXPECT_NEAR((r.x + l.x) / 2, 400, 1e-9);
    c.scale = 2;
    const ProjectionCache p2 = c.projectionFor(state, 160);
    EXPECT_NEAR(p2.project({80, 0, 0}).x - p2.project({-80, 0, 0}).x, 800, 1e-9);
}

TEST(CameraProjection, FrontViewShowsHeightUpAndDepthTowardsTheViewer) {
    DisplayState state;
    state.orthographic = true;
    Camera c;
    c.viewWidth = 400;
    c.viewHeight = 300;
    c.rotX = 0;
    const ProjectionCache p = c.projectionFor(state, 100); // 2 pixels a millimetre
    const WindowPoint fold = p.project({0, 0, 0});
    const WindowPoint top = p.project({0, 0, 40});
    EXPECT_NEAR(fold.x, 200, 1e-9);
    EXPECT_NEAR(fold.y, 150, 1e-9);
    EXPECT_NEAR(top.y, 150 - 80, 1e-9); // window y runs down
    const WindowPoint front = p.project({0, 30, 0});
    EXPECT_NEAR(front.y, 150, 1e-9);
    EXPECT_LT(front.depth, fold.depth); // in front of the fold is nearer
}

TEST(CameraProjection, PerspectiveCardWidthIsOneUnitAtDistanceThree) {
    DisplayState state;
    Camera c;
    c.viewWidth = 600;
    c.viewHeight = 600;
    c.rotX = 0;
    const ProjectionCache p = c.projectionFor(state, 160);
    const double f = 1.0 / std::tan(15.0 * std::numbers::pi / 180.0);
    const double halfWidthNdc = f * 0.5 / 3.0;
    EXPECT_NEAR(p.project({80, 0, 0}).x, 300 + halfWidthNdc * 300, 1e-6);
    EXPECT_NEAR(p.project({-80, 0, 0}).x, 300 - halfWidthNdc * 300, 1e-6);
}

TEST(CameraProjection, PanShiftsInNormalisedUnits) {
    DisplayState state;
    Camera c;
    c.viewWidth = 500;
    c.viewHeight = 400;
    c.panX = 0.5;
    c.panY = -0.25;
    const WindowPoint w = c.projectionFor(state, 100).project({0, 0, 0});
    Camera centred = c;
    centred.panX = centred.panY = 0;
    const WindowPoint o = centred.projectionFor(state, 100).project({0, 0, 0});
    EXPECT_NEAR(w.x - o.x, 0.5 * 250, 1e-9);
    EXPECT_NEAR(w.y - o.y, 0.25 * 200, 1e-9);
}

TEST(CameraProjection, UnprojectRayPassesThroughTheProjectedPoint) {
    DisplayState state;
    for (bool ortho : {false, true}) {
        state.orthographic = ortho;
        Camera c;
        c.viewWidth = 1280;
        c.viewHeight = 800;
        c.rotX = 37;
        c.rotY = -21;
        c.scale = 1.7;
        c.panX = 0.1;
        const ProjectionCache p = c.projectionFor(state, 160);
        const Point3 q{23.5, 41.0, 12.25};
        const WindowPoint w = p.project(q);
        const auto ray = p.unprojectRay(w.x, p.viewport[3] - w.y);
        // q lies on the line through the two points.
        const Point3 d{ray[1].x - ray[0].x, ray[1].y - ray[0].y, ray[1].z - ray[0].z};
        const Point3 e{q.x - ray[0].x, q.y - ray[0].y, q.z - ray[0].z};
        const Point3 cross{d.y * e.z - d.z * e.y, d.z * e.x - d.x * e.z, d.x * e.y - d.y * e.x};
        const double len = std::hypot(d.x, d.y, d.z);
        EXPECT_LT(std::hypot(cross.x, cross.y, cross.z) / len, 1e-6) << "ortho " << ortho;
        // The near point is nearer the viewer than the far point.
        EXPECT_LT(p.project(ray[1]).depth, p.project(ray[0]).depth);
    }
}

TEST(CameraProjection, ZeroScaleGivesNoFinitePoint) {
    DisplayState state;
    Camera c;
    c.viewWidth = 100;
    c.viewHeight = 100;
    c.scale = 0; // accepted by the viewpoint dialog
    const auto ray = c.projectionFor(state, 160).unprojectRay(50, 50);
    EXPECT_FALSE(std::isfinite(ray[0].x));
    EXPECT_FALSE(std::isfinite(ray[1].z));
}
