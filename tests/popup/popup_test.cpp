// Pop-up construction: the new card, faces from clicked outlines (orientation, cut-outs), and
// how the built faces share the sheet between planes.
#include "model/core_state.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/support/polygon_area.h"

#include <gtest/gtest.h>

using namespace plicato;
using namespace plicato::testing;

namespace {

class Popup : public ::testing::Test {
protected:
    void SetUp() override {
        installCoreState(&state);
        model = makeNewCard(100, 80);
    }
    void TearDown() override { installCoreState(nullptr); }

    // Clicks the sheet points on the current edit plane at their 90-degree positions.
    void click(std::initializer_list<Point2> sheetPoints) {
        model->drawPoints.clear();
        for (const Point2& p : sheetPoints)
            model->drawPoints.push_back({onEditPlane(p), p});
    }
    Point3 onEditPlane(const Point2& p) const {
        const double d = model->editOffset;
        return model->editPlane == FacePlane::Vertical ? Point3{p.x, d, p.y + d}
                                                       : Point3{p.x, d - p.y, d};
    }
    bool draw(FacePlane plane, double offset, std::initializer_list<Point2> pts,
              EditMode mode = EditMode::PolygonFace) {
        model->editPlane = plane;
        model->editOffset = offset;
        click(pts);
        return createFaceFromOutline(*model, mode);
    }
    bool drawRect(FacePlane plane, double offset, double x0, double y0, double x1, double y1,
                  EditMode mode = EditMode::PolygonFace) {
        return draw(plane, offset, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, mode);
    }

    std::vector<const Face*> builtOn(FacePlane plane, double offset) const {
        std::vector<const Face*> out;
        for (const auto& f : model->builtFaces)
            if (f->plane == plane && f->offset == offset)
                out.push_back(f.get());
        return out;
    }
    double builtArea(FacePlane plane, double offset) const {
        double a = 0;
        for (const Face* f : builtOn(plane, offset))
            a += polygonArea(f->polygon);
        return a;
    }

    CoreState state;
    std::unique_ptr<CardModel> model;
};

Polygon rectPolygon(double x0, double y0, double x1, double y1) {
    Polygon p;
    p.addLoop(makeLoop(rectPoints(x0, y0, x1, y1)));
    return p;
}

} // namespace

TEST_F(Popup, NewCardHasTheTwoHalvesAsBaseAndBuiltFaces) {
    EXPECT_EQ(model->cardWidth, 200);
    EXPECT_EQ(model->cardHeight, 80);
    EXPECT_EQ(model->gridSize, 10.0);
    EXPECT_EQ(model->initGridSize, 10.0);
    EXPECT_EQ(model->gridLevel, 0);
    EXPECT_EQ(model->editPlane, FacePlane::Vertical);
    EXPECT_EQ(model->editOffset, 40.0);

    ASSERT_EQ(model->userFaces.size(), 2u);
    EXPECT_EQ(model->userFaces[0]->plane, FacePlane::Horizontal);
    EXPECT_EQ(model->userFaces[1]->plane, FacePlane::Vertical);
    for (const auto& f : model->userFaces) {
        EXPECT_TRUE(f->isBase);
        EXPECT_EQ(f->offset, 0.0);
        EXPECT_NEAR(trianglesArea(f->triangles), 200.0 * 80.0, 1e-9);
    }
    EXPECT_EQ(model->userFaces[0]->polygon.loops[0]->points,
              (std::vector<Point2>{{-100, 0}, {-100, -80}, {100, -80}, {100, 0}}));
    EXPECT_EQ(model->userFaces[1]->polygon.loops[0]->points,
              (std::vector<Point2>{{-100, 0}, {100, 0}, {100, 80}, {-100, 80}}));

    ASSERT_EQ(model->builtFaces.size(), 2u);
    EXPECT_NEAR(
        xorArea(builtOn(FacePlane::Horizontal, 0)[0]->polygon, rectPolygon(-100, -80, 100, 0)), 0.0,
        1e-9);
    EXPECT_NEAR(xorArea(builtOn(FacePlane::Vertical, 0)[0]->polygon, rectPolygon(-100, 0, 100, 80)),
                0.0, 1e-9);
    EXPECT_NEAR(overlapArea(model->builtFaces[0]->polygon, model->builtFaces[1]->polygon), 0.0,
                1e-9);
}

TEST_F(Popup, NewCardHalvesOddHeightsInIntegers) {
    auto m = makeNewCard(50, 95); // 95 / 2 = 47 -> grid line 50
    EXPECT_EQ(m->editOffset, 50.0);
    EXPECT_EQ(m->cardWidth, 100);
    auto n = makeNewCard(50, 89); // 44 -> 40, where 44.5 would give 40 too; 9 / 2 = 4 -> 0
    EXPECT_EQ(n->editOffset, 40.0);
    EXPECT_EQ(makeNewCard(10, 9)->editOffset, 0.0);
}

TEST_F(Popup, VerticalRectangleTakesPaperFromBothHalves) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, -10, -20, 10, 30));
    ASSERT_EQ(model->userFaces.size(), 3u);
    const auto faces = builtOn(FacePlane::Vertical, 20);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_NEAR(polygonArea(faces[0]->polygon), 20.0 * 50.0, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 0), 200.0 * 80.0 - 20.0 * 20.0, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 0), 200.0 * 80.0 - 20.0 * 30.0, 1e-9);
    // At 90 degrees it stands at depth 20 from height 0 to height 50.
    const Point3 low = faces[0]->toSpace({0, -20}, 90), high = faces[0]->toSpace({0, 30}, 90);
    EXPECT_NEAR(low.y, 20, 1e-9);
    EXPECT_NEAR(low.z, 0, 1e-9);
    EXPECT_NEAR(high.y, 20, 1e-9);
    EXPECT_NEAR(high.z, 50, 1e-9);
}

TEST_F(Popup, OutlinesAreStoredClockwiseWhicheverWayTheyWereClicked) {
    const std::vector<std::vector<Point2>> outlines = {
        {{0, 0}, {0, 10}, {10, 10}, {10, 0}},          // clockwise
        {{0, 0}, {10, 0}, {10, 10}, {0, 10}},          // counter-clockwise
        {{10, 10}, {10, 0}, {0, 0}, {0, 10}},          // clockwise, flat top found first at the end
        {{0, 10}, {0, 0}, {10, 0}, {10, 10}},          // counter-clockwise, top point first
        {{0, 0}, {5, 3}, {10, 0}, {10, 10}, {0, 10}},  // concave, counter-clockwise
        {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {5, 3}},  // concave, clockwise
        {{0, 0}, {-5, 20}, {5, 8}, {15, 20}, {10, 0}}, // two peaks, the first one is the top
    };
    for (const auto& pts : outlines) {
        for (bool reversed : {false, true}) {
            std::vector<Point2> clicks = pts;
            if (reversed)
                std::reverse(clicks.begin(), clicks.end());
            model->editPlane = FacePlane::Horizontal;
            model->editOffset = 10;
            model->drawPoints.clear();
            for (const Point2& p : clicks)
                model->drawPoints.push_back({onEditPlane(p), p});
            ASSERT_TRUE(createFaceFromOutline(*model, EditMode::PolygonFace));
            const Loop& stored = *model->userFaces.back()->polygon.loops[0];
            EXPECT_LT(signedLoopArea(stored.points), 0.0);
            EXPECT_FALSE(stored.isHole);
            // Either the click order or its exact reverse, never reshuffled.
            std::vector<Point2> back = stored.points;
            if (back != clicks)
                std::reverse(back.begin(), back.end());
            EXPECT_EQ(back, clicks);
        }
    }
}

TEST_F(Popup, ReversedOutlineStartsWithTheLastClick) {
    ASSERT_TRUE(draw(FacePlane::Vertical, 0, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(model->userFaces.back()->polygon.loops[0]->points,
              (std::vector<Point2>{{0, 10}, {10, 10}, {10, 0}, {0, 0}}));
}

TEST_F(Popup, SheetPointsComeFromTheSpacePositions) {
    model->editPlane = FacePlane::Vertical;
    model->editOffset = 30;
    model->drawPoints = {{{0, 30, 40}, {}}, {{10, 30, 40}, {}}, {{10, 30, 30}, {}}};
    ASSERT_TRUE(createFaceFromOutline(*model, EditMode::PolygonFace));
    const Face& f = *model->userFaces.back();
    EXPECT_EQ(f.plane, FacePlane::Vertical);
    EXPECT_EQ(f.offset, 30.0);
    EXPECT_FALSE(f.isSelected);
    EXPECT_FALSE(f.isBase);
    for (const Point2& p : f.polygon.loops[0]->points)
        EXPECT_GE(p.y, 0.0); // flattened: y = z - y, so 10 and 0, never the stored zeros
    EXPECT_NEAR(polygonArea(f.polygon), 50.0, 1e-9);
}

TEST_F(Popup, DegenerateOutlinesAreDroppedAndTheModelIsUnchanged) {
    const std::size_t built = model->builtFaces.size();
    EXPECT_FALSE(draw(FacePlane::Vertical, 10, {}));
    EXPECT_FALSE(draw(FacePlane::Vertical, 10, {{0, 0}}));
    EXPECT_FALSE(draw(FacePlane::Vertical, 10, {{0, 0}, {10, 0}}));
    EXPECT_FALSE(draw(FacePlane::Vertical, 10, {{0, 0}, {10, 0}, {20, 0}})); // all at one y
    EXPECT_FALSE(draw(FacePlane::Vertical, 10, {{0, 0}, {5, 5}, {10, 10}}, EditMode::CutOut));
    EXPECT_EQ(model->userFaces.size(), 2u);
    EXPECT_EQ(model->builtFaces.size(), built);
}

TEST_F(Popup, OverlappingFacesOfOnePlaneMergeAndDisjointOnesStaySeparate) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, -30, 0, 0, 20));
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, -10, 10, 20, 30));
    ASSERT_EQ(builtOn(FacePlane::Vertical, 20).size(), 1u);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 20), 600 + 600 - 100, 1e-9);
    EXPECT_EQ(outerLoops(builtOn(FacePlane::Vertical, 20)[0]->polygon), 1);

    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, 50, 0, 60, 10));
    EXPECT_EQ(builtOn(FacePlane::Vertical, 20).size(), 2u);
    // Sharing just an edge is enough to become one face.
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 30, -90, -50, -80, -40));
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 30, -80, -50, -70, -40));
    ASSERT_EQ(builtOn(FacePlane::Horizontal, 30).size(), 1u);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 30), 200, 1e-9);
}

TEST_F(Popup, LaterFaceOfAnotherPlaneSplitsAnEarlierFace) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, -40, 0, 40, 30));
    ASSERT_EQ(builtOn(FacePlane::Vertical, 20).size(), 1u);
    // A band across its middle, standing on another plane.
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 10, -5, -10, 5, 40));
    const auto pieces = builtOn(FacePlane::Vertical, 20);
    ASSERT_EQ(pieces.size(), 2u);
    for (const Face* f : pieces) {
        EXPECT_EQ(outerLoops(f->polygon), 1);
        EXPECT_NEAR(polygonArea(f->polygon), 35 * 30, 1e-9);
        EXPECT_NEAR(trianglesArea(f->triangles), 35 * 30, 1e-9);
    }
    EXPECT_NEAR(overlapArea(pieces[0]->polygon, pieces[1]->polygon), 0.0, 1e-9);
}

TEST_F(Popup, CoveringCountsNearlyEqualOffsetsAsOnePlaneButMergingDoesNot) {
    // Covering within 0.00001 counts as the same plane, so the split face is not re-merged and
    // keeps both pieces as one face...
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20, -40, 0, 40, 30));
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 20.000005, -5, -10, 5, 40));
    auto old = builtOn(FacePlane::Vertical, 20);
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(outerLoops(old[0]->polygon), 2);
    // ...and merging needs equal offsets: the later face stays a face of its own.
    EXPECT_EQ(builtOn(FacePlane::Vertical, 20.000005).size(), 1u);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 20), 70 * 30, 1e-9);

    // Beyond the tolerance it is another plane: the split face is re-merged into two pieces.
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 35, -40, -70, 40, -40));
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 35.0001, -5, -80, 5, -30));
    EXPECT_EQ(builtOn(FacePlane::Horizontal, 35).size(), 2u);
}

TEST_F(Popup, CutOutFromTheVerticalPlaneLiesAtTheHeightOfItsLowestEdge) {
    const double verticalBefore = builtArea(FacePlane::Vertical, 0);
    const double horizontalBefore = builtArea(FacePlane::Horizontal, 0);
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 30, -20, 10, 20, 40, EditMode::CutOut));
    const Face& user = *model->userFaces.back();
    EXPECT_EQ(user.plane, FacePlane::Horizontal);
    EXPECT_EQ(user.offset, 40.0);
    EXPECT_NEAR(polygonArea(user.polygon), 40 * 30, 1e-9); // the sheet outline stays
    // At height 40 it reaches from depth 30 (its lowest edge) back to depth 0.
    const Point3 front = user.toSpace({0, 10}, 90), back = user.toSpace({0, 40}, 90);
    EXPECT_NEAR(front.y, 30, 1e-9);
    EXPECT_NEAR(front.z, 40, 1e-9);
    EXPECT_NEAR(back.y, 0, 1e-9);
    EXPECT_NEAR(back.z, 40, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 0), verticalBefore - 1200, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 0), horizontalBefore, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 40), 1200, 1e-9);
}

TEST_F(Popup, CutOutFromTheHorizontalPlaneHangsFromItsRearmostEdge) {
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 20, -30, -50, 30, -5));
    const double shelf = builtArea(FacePlane::Horizontal, 20);
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 20, -10, -30, 10, -10, EditMode::CutOut));
    const Face& user = *model->userFaces.back();
    EXPECT_EQ(user.plane, FacePlane::Vertical);
    EXPECT_EQ(user.offset, 30.0); // 20 - (-10)
    // Its top edge is the shelf's edge at y = -10: same place in space.
    Face shelfFace(FacePlane::Horizontal, 20);
    const Point3 hinge = user.toSpace({0, -10}, 90), onShelf = shelfFace.toSpace({0, -10}, 90);
    EXPECT_NEAR(distance3(hinge, onShelf), 0.0, 1e-9);
    EXPECT_NEAR(user.toSpace({0, -30}, 90).z, 0.0, 1e-9); // hangs down to the base
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 20), shelf - 400, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 30), 400, 1e-9);
}

TEST_F(Popup, OtherModesMakeCutOutsAndTheFaceOperationModeDefersPlainFaces) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 10, 0, 0, 10, 10, EditMode::Rectangle3));
    EXPECT_EQ(model->userFaces.back()->plane, FacePlane::Vertical);
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 10, 20, 0, 30, 10, EditMode::UnderlayFront));
    EXPECT_EQ(model->userFaces.back()->plane, FacePlane::Horizontal);

    state.editMode = int(EditMode::FaceOperation);
    const std::size_t built = model->builtFaces.size();
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 15, 40, 0, 50, 10));
    EXPECT_EQ(model->builtFaces.size(), built); // waits for the pop-up display
    EXPECT_TRUE(builtOn(FacePlane::Vertical, 15).empty());
    // A cut-out rebuilds in every mode, and then the deferred face appears as well.
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 15, 60, 0, 70, 10, EditMode::CutOut));
    EXPECT_EQ(builtOn(FacePlane::Vertical, 15).size(), 1u);
}

TEST_F(Popup, FacesBeyondTheSheetAreCutBackButKeptWhole) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 10, 90, 40, 120, 100)); // partly beyond x and y
    const Face& user = *model->userFaces.back();
    EXPECT_NEAR(polygonArea(user.polygon), 30 * 60, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 10), 10 * 40, 1e-9);

    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 5, 150, 0, 170, 20)); // wholly beyond
    EXPECT_EQ(model->userFaces.size(), 4u);
    EXPECT_TRUE(builtOn(FacePlane::Horizontal, 5).empty());
    for (const auto& f : model->builtFaces) {
        EXPECT_FALSE(f->polygon.loops.empty());
        EXPECT_FALSE(f->triangles.empty());
    }
}

TEST_F(Popup, WhollyCoveredFacesDisappearFromTheBuiltFaces) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 10, 0, 0, 10, 10));
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 20, -5, -5, 15, 15));
    EXPECT_TRUE(builtOn(FacePlane::Vertical, 10).empty());
    EXPECT_EQ(model->userFaces.size(), 4u);
    // Base halves covered completely go too.
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 3, -100, -80, 100, 0));
    EXPECT_TRUE(builtOn(FacePlane::Horizontal, 0).empty());
}

TEST_F(Popup, CoveringARingTakesItsHoleAndTheFaceInsideToo) {
    ASSERT_TRUE(drawRect(FacePlane::Vertical, 10, 0, 0, 10, 10));
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 20, 2, 2, 8, 8));
    const auto ring = builtOn(FacePlane::Vertical, 10);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0]->polygon.loops.size(), 2u);
    // Clear of both by a hair: nothing of either is taken.
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 25, 10.001, 0, 12, 10));
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 10), 64, 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 20), 36, 1e-9);
    ASSERT_TRUE(drawRect(FacePlane::Horizontal, 30, -5, -5, 15, 15));
    EXPECT_TRUE(builtOn(FacePlane::Vertical, 10).empty());
    EXPECT_TRUE(builtOn(FacePlane::Horizontal, 20).empty());
    EXPECT_TRUE(builtOn(FacePlane::Horizontal, 25).empty());
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 30), 400, 1e-9);
}

TEST_F(Popup, RingOnAnotherPlaneLeavesTheInsidePieceOfTheHalf) {
    model->editPlane = FacePlane::Horizontal;
    auto ring = std::make_unique<Face>(FacePlane::Horizontal, 25);
    ring->polygon.addLoop(makeLoop(rectPoints(-30, 10, 30, 60)));
    ring->polygon.addLoop(makeLoop(rectPoints(-20, 20, 20, 50), true));
    ASSERT_TRUE(addUserFace(*model, std::move(ring)));
    const auto half = builtOn(FacePlane::Vertical, 0);
    ASSERT_EQ(half.size(), 2u);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 0), 200 * 80 - (3000 - 1200), 1e-9);
    EXPECT_NEAR(builtArea(FacePlane::Horizontal, 25), 1800, 1e-9);
}

TEST_F(Popup, RebuildLeavesNoDanglingLinkFaces) {
    auto link = std::make_unique<FaceLink>();
    link->vFace = model->builtFaces[1].get();
    link->hFace = model->builtFaces[0].get();
    model->links.push_back(std::move(link));
    rebuildBuiltFaces(*model);
    EXPECT_EQ(model->links[0]->vFace, nullptr);
    EXPECT_EQ(model->links[0]->hFace, nullptr);
}

TEST_F(Popup, FacesWithoutTrianglesContributeNothing) {
    auto face = std::make_unique<Face>(FacePlane::Vertical, 10);
    face->polygon.addLoop(makeLoop(rectPoints(0, 0, 10, 10))); // never triangulated
    model->userFaces.push_back(std::move(face));
    rebuildBuiltFaces(*model);
    EXPECT_TRUE(builtOn(FacePlane::Vertical, 10).empty());
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 0), 200 * 80, 1e-9);
}

TEST_F(Popup, MergePlaneUnitesOnlyExactlyEqualOffsets) {
    model->builtFaces.clear();
    auto add = [&](double offset, std::vector<Point2> pts) {
        auto f = std::make_unique<Face>(FacePlane::Vertical, offset);
        f->polygon.addLoop(makeLoop(std::move(pts)));
        f->triangulate();
        model->builtFaces.push_back(std::move(f));
    };
    add(10, rectPoints(0, 0, 10, 10));
    add(10.000001, rectPoints(5, 0, 15, 10));
    add(10, rectPoints(8, 0, 20, 10));
    add(10, rectPoints(40, 0, 50, 10));
    mergePlane(*model, FacePlane::Vertical, 10);
    // The untouched face keeps its place; the plane's faces follow as connected pieces.
    ASSERT_EQ(model->builtFaces.size(), 3u);
    EXPECT_EQ(model->builtFaces[0]->offset, 10.000001);
    EXPECT_NEAR(builtArea(FacePlane::Vertical, 10), 200 + 100, 1e-9);
    for (const Face* f : builtOn(FacePlane::Vertical, 10)) {
        EXPECT_EQ(outerLoops(f->polygon), 1);
        EXPECT_NEAR(trianglesArea(f->triangles), polygonArea(f->polygon), 1e-9);
    }
}

TEST_F(Popup, AddFaceToBuiltTakesPaperFromEveryEarlierFace) {
    auto face = std::make_unique<Face>(FacePlane::Horizontal, 12);
    face->polygon.addLoop(makeLoop(rectPoints(-10, -10, 10, 10)));
    face->triangulate();
    for (bool shortcuts : {false, true}) {
        auto m = makeNewCard(100, 80);
        RebuildOptions options;
        options.skipDisjointBoxes = shortcuts;
        addFaceToBuilt(*m, std::make_unique<Face>(*face), options);
        ASSERT_EQ(m->builtFaces.size(), 3u);
        EXPECT_EQ(m->builtFaces.back()->offset, 12.0);
        for (const auto& f : m->builtFaces) {
            const double area = polygonArea(f->polygon);
            EXPECT_NEAR(area, f->offset == 12 ? 400 : 16000 - 200, 1e-9);
            EXPECT_NEAR(trianglesArea(f->triangles), area, 1e-9);
        }
    }
}
