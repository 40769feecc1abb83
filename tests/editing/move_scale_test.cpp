// Moving and scaling the selection on both plane kinds: offsets, sheet outlines, and the
// positions in space that they stand for.
#include "editing_fixture.h"

#include "editing/editing.h"

#include <cmath>
#include <limits>

using namespace plicato;
using namespace plicato::test;

namespace {

std::vector<Point2> outline(const Face* f) {
    return f->polygon.loops[0]->points;
}

std::vector<Point2> shifted(std::vector<Point2> pts, double dx, double dy) {
    for (Point2& p : pts) {
        p.x += dx;
        p.y += dy;
    }
    return pts;
}

std::vector<Point3> inSpace(const Face* f) {
    std::vector<Point3> out;
    for (const auto& loop : f->polygon.loops)
        for (const Point2& p : loop->points)
            out.push_back(f->toSpace(p));
    return out;
}

void expectNear(const Point3& actual, const Point3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

} // namespace

using MoveSelection = EditingTest;

TEST_F(MoveSelection, TowardsTheViewerOnBothPlaneKinds) {
    Face* v = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    Face* h = addRect(FacePlane::Horizontal, 20, 20, -10, 30, 0);
    ASSERT_TRUE(v && h);
    const auto vBefore = outline(v);
    const auto hBefore = outline(h);
    select({v, h});
    moveSelection(*model, 0, 5, 0);
    EXPECT_EQ(v->offset, 25);
    EXPECT_EQ(outline(v), shifted(vBefore, 0, -5));
    EXPECT_EQ(h->offset, 20);
    EXPECT_EQ(outline(h), shifted(hBefore, 0, -5));
}

TEST_F(MoveSelection, UpwardsOnBothPlaneKinds) {
    Face* v = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    Face* h = addRect(FacePlane::Horizontal, 20, 20, -10, 30, 0);
    const auto vBefore = outline(v);
    const auto hBefore = outline(h);
    select({v, h});
    moveSelection(*model, 3, 0, 5);
    EXPECT_EQ(v->offset, 20);
    EXPECT_EQ(outline(v), shifted(vBefore, 3, 5));
    EXPECT_EQ(h->offset, 25);
    EXPECT_EQ(outline(h), shifted(hBefore, 3, 5));
}

TEST_F(MoveSelection, EveryPointMovesByTheDisplacementInSpace) {
    Face* v = addFace(FacePlane::Vertical, 30, {{-20, 5}, {0, 15}, {10, -25}});
    Face* h = addFace(FacePlane::Horizontal, 15, {{-20, -5}, {0, 15}, {10, -25}});
    Face* still = addRect(FacePlane::Vertical, 40, 50, 0, 60, 10);
    const auto stillBefore = outline(still);
    select({v, h});
    const auto vSpace = inSpace(v);
    const auto hSpace = inSpace(h);
    const Face* builtFirst = model->builtFaces.front().get();
    moveSelection(*model, -7, 11, 4);
    const auto vAfter = inSpace(v);
    const auto hAfter = inSpace(h);
    for (size_t i = 0; i < vSpace.size(); ++i)
        expectNear(vAfter[i], {vSpace[i].x - 7, vSpace[i].y + 11, vSpace[i].z + 4});
    for (size_t i = 0; i < hSpace.size(); ++i)
        expectNear(hAfter[i], {hSpace[i].x - 7, hSpace[i].y + 11, hSpace[i].z + 4});
    EXPECT_EQ(outline(still), stillBefore) << "unselected faces stay";

    // The fill follows the outline, and the box follows the faces; the built faces wait.
    ASSERT_FALSE(v->triangles.empty());
    EXPECT_NEAR(triangleArea(*v), polygonArea(*v), 1e-9);
    for (const Triangle& t : v->triangles)
        for (const Point2& c : t.corners)
            EXPECT_GE(c.x, -27 - 1e-9);
    EXPECT_NEAR(model->selectionBox.min.x, -27, 1e-9);
    EXPECT_EQ(model->builtFaces.front().get(), builtFirst);
    EXPECT_TRUE(model->undoHistory.empty());
}

TEST_F(MoveSelection, ByGridMultipliesTheGridSize) {
    Face* v = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    const auto before = outline(v);
    select({v});
    model->gridSize = 2.5;
    moveSelectionByGrid(*model, 1, -2, 3);
    EXPECT_EQ(v->offset, 15);
    EXPECT_EQ(outline(v), shifted(before, 2.5, 12.5));
}

using ScaleSelection = EditingTest;

TEST_F(ScaleSelection, VerticalSquareOnTheBaseGrowsAboutItsBottomMiddle) {
    // Depth 20, x -5..5, heights 0..10: sheet y = height - depth = -20..-10.
    Face* v = addRect(FacePlane::Vertical, 20, -5, -20, 5, -10);
    ASSERT_TRUE(v);
    select({v});
    rebuildSelection(*model);
    scaleSelection(*model, 2);
    EXPECT_NEAR(v->offset, 20, 1e-9);
    const auto pts = outline(v);
    const std::vector<Point2> expected{{-10, 0}, {10, 0}, {10, -20}, {-10, -20}};
    ASSERT_EQ(pts.size(), expected.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_NEAR(pts[i].x, expected[i].x, 1e-9);
        EXPECT_NEAR(pts[i].y, expected[i].y, 1e-9);
    }
    EXPECT_NEAR(triangleArea(*v), 400, 1e-6);
    EXPECT_NEAR(model->selectionBox.max.z, 20, 1e-9);
}

TEST_F(ScaleSelection, HorizontalFaceKeepsItsHeightAndGrowsFromItsFrontEdge) {
    // Height 30, depths 20..40 (sheet y = 30 - depth = -10..10), x 0..10.
    Face* h = addRect(FacePlane::Horizontal, 30, 0, -10, 10, 10);
    ASSERT_TRUE(h);
    select({h});
    rebuildSelection(*model);
    scaleSelection(*model, 0.5);
    EXPECT_NEAR(h->offset, 30, 1e-9);
    // About (5, 20, 30): x 2.5..7.5, depths 20..30, so sheet y 0..10.
    double lox = 1e9, hix = -1e9, loy = 1e9, hiy = -1e9;
    for (const Point2& p : outline(h)) {
        lox = std::min(lox, p.x);
        hix = std::max(hix, p.x);
        loy = std::min(loy, p.y);
        hiy = std::max(hiy, p.y);
    }
    EXPECT_NEAR(lox, 2.5, 1e-9);
    EXPECT_NEAR(hix, 7.5, 1e-9);
    EXPECT_NEAR(loy, 0, 1e-9);
    EXPECT_NEAR(hiy, 10, 1e-9);
}

TEST_F(ScaleSelection, MixedSelectionScalesEveryPointAboutOneCentre) {
    Face* v = addFace(FacePlane::Vertical, 30, {{-20, 5}, {0, 15}, {10, -25}});
    Face* h = addFace(FacePlane::Horizontal, 15, {{-20, -5}, {0, 15}, {10, -25}});
    ASSERT_TRUE(v && h);
    select({v, h});
    rebuildSelection(*model);
    const SelectionBox box = model->selectionBox;
    const Point3 m{(box.min.x + box.max.x) / 2, box.min.y, box.min.z};
    const auto vSpace = inSpace(v);
    const auto hSpace = inSpace(h);
    const FaceList before = copyFaces(model->userFaces);

    scaleSelection(*model, 1.5);
    auto scaled = [&m](const Point3& q) {
        return Point3{m.x + 1.5 * (q.x - m.x), m.y + 1.5 * (q.y - m.y), m.z + 1.5 * (q.z - m.z)};
    };
    const auto vAfter = inSpace(v);
    const auto hAfter = inSpace(h);
    for (size_t i = 0; i < vSpace.size(); ++i)
        expectNear(vAfter[i], scaled(vSpace[i]));
    for (size_t i = 0; i < hSpace.size(); ++i)
        expectNear(hAfter[i], scaled(hSpace[i]));
    EXPECT_NEAR(triangleArea(*v), 2.25 * triangleArea(*before[2]), 1e-6);

    ASSERT_EQ(model->undoHistory.size(), 1u);
    undo(*model);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
}

TEST_F(MoveSelection, ScaleLimitTestMatchesWhatScalingMakes) {
    // A face reaching x = 90 and an offset of 20: the factor that takes them past the limit
    // is refused before anything changes, and what is accepted stays within it.
    Face* f = addRect(FacePlane::Vertical, 20, 50, 0, 90, 30);
    select({f});
    const struct {
        double factor;
        bool fits;
    } rows[] = {{1.0, true},
                {100.0, true},
                {-50.0, true},
                {10000.0, true},
                {40000.0, false},
                {1e9, false},
                {std::nan(""), false},
                {std::numeric_limits<double>::infinity(), false},
                {0.0, true}};
    for (const auto& row : rows) {
        const FaceList before = copyFaces(model->userFaces);
        const double limit = 1e6;
        EXPECT_EQ(scaleStaysWithin(*model, row.factor, limit), row.fits) << row.factor;
        EXPECT_TRUE(sameFaces(before, model->userFaces)) << "the test changes nothing";
        if (!row.fits || row.factor == 0.0)
            continue;
        scaleSelection(*model, row.factor);
        for (const auto& loop : f->polygon.loops)
            for (const Point2& p : loop->points) {
                EXPECT_LE(std::fabs(p.x), limit) << row.factor;
                EXPECT_LE(std::fabs(p.y), limit) << row.factor;
            }
        undo(*model);
        f = model->userFaces.back().get();
        select({f});
    }
}
