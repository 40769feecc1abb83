// The design check in the view: pieces coloured by class in the pop-up display only, the piece
// chosen in the list drawn selected, pieces found on the sheet for the pattern preview, and the
// check re-run only when pieces change.
#include "view/check_overlay.h"

#include "popup/built_faces.h"
#include "tests/check/check_designs.h"
#include "view/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

namespace plicato {
namespace {

using testing::addBox;
using testing::clickOutline;

// A box with a door cut on three sides (a flap) and a face floating above it (falls out).
std::unique_ptr<CardModel> boxDoorAndFloating() {
    auto model = makeNewCard(80, 80);
    addBox(*model, -30, 30, 30, 40);
    clickOutline(*model, FacePlane::Vertical, 30, {{-10, 10}, {10, 10}, {10, 25}, {-10, 25}},
                 EditMode::CutOut);
    clickOutline(*model, FacePlane::Vertical, 20, {{-10, 50}, {10, 50}, {10, 70}, {-10, 70}});
    return model;
}

std::optional<Rgba> faceColorAt(const Scene& s, const Point3& p) {
    for (const DrawItem& d : s.items)
        if (d.role == SceneRole::Face)
            for (const Point3& v : d.vertices)
                if (std::fabs(v.x - p.x) < 1e-9 && std::fabs(v.y - p.y) < 1e-9 &&
                    std::fabs(v.z - p.z) < 1e-9)
                    return d.color;
    return std::nullopt;
}

class CheckOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        state.showEditPlane = false; // no face on the edit plane tinted pink
        camera.viewWidth = 1280;
        camera.viewHeight = 800;
    }
    void TearDown() override { installDisplayState(nullptr); }

    DisplayState state;
    Camera camera;
    ColorTable colors;
};

TEST_F(CheckOverlayTest, PiecesTakeTheColourOfTheirClass) {
    auto model = boxDoorAndFloating();
    DesignCheckRunner runner;
    SceneExtras extras;
    extras.check = &runner.update(*model, {});
    const Scene s = buildScene(model.get(), state, camera, colors, extras);
    struct Row {
        const char* what;
        Point3 at; // a corner of the piece at 90 degrees
        Rgba expected;
    };
    for (const Row& row :
         {Row{"floating face", {10, 20, 70}, findingColor(int(FindingKind::FallsOut))},
          Row{"door", {10, 15, 10}, findingColor(int(FindingKind::Flap))},
          Row{"box front", {-30, 30, 0}, findingColor(-1)},
          Row{"lid", {-30, 30, 40}, findingColor(-1)},
          Row{"floor (frame)", {-80, 80, 0}, colors.rgba(ColorTable::HorizontalPlane)}}) {
        SCOPED_TRACE(row.what);
        const std::optional<Rgba> c = faceColorAt(s, row.at);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(*c, row.expected);
    }
    // Every class has a colour of its own, clearly apart from the others, from the plane
    // colours and from the colour of a selected face.
    const auto apart = [](const Rgba& p, const Rgba& q) {
        return std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b) > 0.3f;
    };
    for (int a = -1; a < findingKindCount; ++a) {
        for (int entry : {int(ColorTable::HorizontalPlane), int(ColorTable::SelectedFace),
                          int(ColorTable::FaceOnEditPlane)})
            EXPECT_TRUE(apart(findingColor(a), colors.rgba(entry))) << a << " " << entry;
        EXPECT_TRUE(apart(findingColor(a), verticalFaceColor(colors, 90))) << a;
        for (int b = a + 1; b < findingKindCount; ++b)
            EXPECT_TRUE(apart(findingColor(a), findingColor(b))) << a << " " << b;
    }
}

TEST_F(CheckOverlayTest, ChosenPieceIsSelectedAndInputDisplayIgnoresTheCheck) {
    auto model = boxDoorAndFloating();
    DesignCheckRunner runner;
    SceneExtras extras;
    extras.check = &runner.update(*model, {});
    const CheckResult& r = *extras.check;
    ASSERT_EQ(r.findings.size(), 2u);
    extras.checkPiece = long(r.findings[0].piece); // the first finding: the door (flap)
    Scene s = buildScene(model.get(), state, camera, colors, extras);
    EXPECT_EQ(faceColorAt(s, {10, 15, 10}), colors.rgba(ColorTable::SelectedFace));
    EXPECT_EQ(faceColorAt(s, {10, 20, 70}), findingColor(int(FindingKind::FallsOut)));
    state.inputDisplay = true;
    s = buildScene(model.get(), state, camera, colors, extras);
    for (const DrawItem& d : s.items) {
        if (d.role != SceneRole::Face)
            continue;
        for (int k = -1; k < findingKindCount; ++k)
            EXPECT_FALSE(d.color == findingColor(k));
    }
    // A result for other pieces than the model's (stale) colours nothing.
    state.inputDisplay = false;
    CheckResult stale = r;
    stale.pieces.pop_back();
    extras.check = &stale;
    s = buildScene(model.get(), state, camera, colors, extras);
    EXPECT_EQ(faceColorAt(s, {10, 20, 70}), verticalFaceColor(colors, 90));
}

TEST_F(CheckOverlayTest, CheckRunsAgainOnlyWhenThePiecesOrTheOptionsChange) {
    auto model = boxDoorAndFloating();
    DesignCheckRunner runner;
    runner.update(*model, {});
    runner.update(*model, {});
    EXPECT_EQ(runner.runs(), 1);
    EXPECT_EQ(runner.result().findings.size(), 2u);
    // Deleting the floating face: one run, one finding fewer.
    model->userFaces.pop_back();
    rebuildBuiltFaces(*model);
    EXPECT_EQ(runner.update(*model, {}).findings.size(), 1u);
    EXPECT_EQ(runner.runs(), 2);
    runner.update(*model, {});
    EXPECT_EQ(runner.runs(), 2);
    runner.update(*model, {0.25});
    EXPECT_EQ(runner.runs(), 3);
    // A point moved by a hair is a change.
    const std::uint64_t before = checkInputKey(*model, {});
    model->builtFaces.back()->polygon.loops[0]->points[0].x += 1e-9;
    EXPECT_NE(checkInputKey(*model, {}), before);
    runner.update(*model, {});
    EXPECT_EQ(runner.runs(), 4);
    runner.invalidate();
    runner.update(*model, {});
    EXPECT_EQ(runner.runs(), 5);
}

// Any one coordinate of any piece moved by the least step a double can take changes the key, and
// moving it back restores the key.
TEST_F(CheckOverlayTest, KeyTellsEveryCoordinateApart) {
    auto model = boxDoorAndFloating();
    const std::uint64_t key = checkInputKey(*model, {});
    std::uint64_t seed = 99;
    for (int round = 0; round < 300; ++round) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        auto& face = *model->builtFaces[(seed >> 33) % model->builtFaces.size()];
        auto& loop = *face.polygon.loops[(seed >> 20) % face.polygon.loops.size()];
        Point2& p = loop.points[(seed >> 7) % loop.points.size()];
        double& v = (seed >> 3) % 2 ? p.x : p.y;
        const double old = v;
        v = std::nextafter(v, 1e9);
        EXPECT_NE(checkInputKey(*model, {}), key);
        v = old;
    }
    EXPECT_EQ(checkInputKey(*model, {}), key);
    model->builtFaces.front()->offset += 1e-12;
    EXPECT_NE(checkInputKey(*model, {}), key);
}

TEST_F(CheckOverlayTest, PieceUnderASheetPointHasTheClassOfThePieceThere) {
    auto model = boxDoorAndFloating();
    DesignCheckRunner runner;
    const CheckResult& r = runner.update(*model, {});
    const std::vector<SheetPiece> pieces = sheetPieces(*model, r);
    ASSERT_EQ(pieces.size(), model->builtFaces.size());
    struct Row {
        const char* what;
        Point2 at; // on the sheet
        int leading;
        bool frame;
    };
    for (const Row& row : {
             Row{"door", testing::onFront(30, 0, 17.5), int(FindingKind::Flap), false},
             Row{"box front beside the door", testing::onFront(30, -25, 10), -1, false},
             Row{"box front above the door", testing::onFront(30, 0, 28), -1, false},
             Row{"lid", {-25, 40 - 25}, -1, false},
             Row{"floating face", testing::onFront(20, 0, 65), int(FindingKind::FallsOut), false},
             Row{"upright half's corner", {-70, 70}, -1, true},
             Row{"base's corner", {70, -70}, -1, true},
         }) {
        SCOPED_TRACE(row.what);
        const long at = pieceAt(pieces, row.at);
        ASSERT_GE(at, 0);
        EXPECT_EQ(pieces[std::size_t(at)].leading, row.leading);
        EXPECT_EQ(pieces[std::size_t(at)].frame, row.frame);
        EXPECT_EQ(pieces[std::size_t(at)].leading, leadingFinding(r.pieces[std::size_t(at)]));
    }
    // Off the sheet, and inside the hole the door leaves around itself (the cut is a line of
    // no width, so only far outside the card is there no piece).
    EXPECT_EQ(pieceAt(pieces, {-81, 0}), -1);
    EXPECT_EQ(pieceAt(pieces, {0, 81}), -1);
    EXPECT_EQ(pieceAt({}, {0, 0}), -1);
    // A result of other faces lays out nothing.
    CheckResult stale = r;
    std::swap(stale.pieces.front(), stale.pieces.back());
    EXPECT_TRUE(sheetPieces(*model, stale).empty());
}

// Every triangle of every built face of a design without floating faces lies in its own piece.
TEST_F(CheckOverlayTest, EveryPieceIsFoundWhereItsTrianglesAre) {
    auto model = makeNewCard(100, 70);
    addBox(*model, -40, -10, 20, 25);
    addBox(*model, 0, 30, 35, 15);
    addBox(*model, 5, 25, 15, 45);
    clickOutline(*model, FacePlane::Vertical, 20, {{-35, 5}, {-15, 5}, {-15, 20}, {-35, 20}},
                 EditMode::CutOut);
    DesignCheckRunner runner;
    const std::vector<SheetPiece> pieces = sheetPieces(*model, runner.update(*model, {}));
    ASSERT_EQ(pieces.size(), model->builtFaces.size());
    ASSERT_GT(pieces.size(), 6u);
    int tried = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        for (const Triangle& t : model->builtFaces[i]->triangles) {
            const Point2 c{(t.corners[0].x + t.corners[1].x + t.corners[2].x) / 3,
                           (t.corners[0].y + t.corners[1].y + t.corners[2].y) / 3};
            const double twiceArea =
                std::fabs((t.corners[1].x - t.corners[0].x) * (t.corners[2].y - t.corners[0].y) -
                          (t.corners[2].x - t.corners[0].x) * (t.corners[1].y - t.corners[0].y));
            if (twiceArea < 0.5) // a sliver's centroid sits on the outline
                continue;
            ++tried;
            EXPECT_EQ(pieceAt(pieces, c), long(i)) << c.x << " " << c.y;
        }
    EXPECT_GT(tried, 20);
}

// The sheet fitted into an area: inside the margin, as large as the area allows, centred, and
// pixels and sheet points convert both ways; the card's left edge is where the pattern drawing
// puts it (its integer half width).
TEST(CheckOverlaySheet, SheetFitsTheAreaAndConvertsBothWays) {
    std::uint64_t seed = 12345;
    const auto next = [&seed](int lo, int hi) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return lo + int((seed >> 33) % std::uint64_t(hi - lo + 1));
    };
    for (int round = 0; round < 300; ++round) {
        const int cw = next(50, 250), ch = next(50, 250), w = next(40, 900), h = next(40, 900);
        const int margin = next(0, 12);
        const SheetFit f = fitSheet(cw, ch, w, h, margin);
        SCOPED_TRACE(::testing::Message() << cw << "x" << ch << " in " << w << "x" << h);
        ASSERT_GT(f.scale, 0);
        const Point2 tl = f.toPixel({-double(cw / 2), double(ch)});
        const Point2 br = f.toPixel({-double(cw / 2) + cw, -double(ch)});
        EXPECT_GE(tl.x, margin - 1e-9);
        EXPECT_GE(tl.y, margin - 1e-9);
        EXPECT_LE(br.x, w - margin + 1e-9);
        EXPECT_LE(br.y, h - margin + 1e-9);
        // One side touches the margins on both ends; the other is centred.
        const bool fullWidth =
            std::fabs(tl.x - margin) < 1e-9 && std::fabs(br.x - (w - margin)) < 1e-9;
        const bool fullHeight =
            std::fabs(tl.y - margin) < 1e-9 && std::fabs(br.y - (h - margin)) < 1e-9;
        EXPECT_TRUE(fullWidth || fullHeight);
        EXPECT_NEAR(tl.x - margin, w - margin - br.x, 1e-9);
        EXPECT_NEAR(tl.y - margin, h - margin - br.y, 1e-9);
        const Point2 p{double(next(-cw, cw)) / 2, double(next(-ch, ch))};
        const Point2 back = f.toSheet(f.toPixel(p));
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
    }
    for (const auto& [cw, ch, w, h, margin] :
         {std::tuple{0, 80, 100, 100, 4}, std::tuple{80, 0, 100, 100, 4},
          std::tuple{80, 80, 8, 100, 4}, std::tuple{80, 80, 100, 0, 0}})
        EXPECT_EQ(fitSheet(cw, ch, w, h, margin).scale, 0.0);
}

} // namespace
} // namespace plicato
