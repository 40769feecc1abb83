// The design check in the view: pieces coloured by class in the pop-up display only, the piece
// chosen in the list drawn selected, list lines, and the check re-run only when pieces change.
#include "view/check_overlay.h"

#include "popup/built_faces.h"
#include "tests/check/check_designs.h"
#include "view/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

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

TEST(CheckOverlayText, ListLinesNameTheClassThePieceAndTheAmount) {
    CheckResult r;
    Face front(FacePlane::Vertical, 35);
    Face lid(FacePlane::Horizontal, 40.25);
    r.pieces.resize(2);
    r.pieces[0].face = &front;
    r.pieces[1].face = &lid;
    struct Row {
        Finding finding;
        const char* line;
    };
    for (const Row& row : {
             Row{{FindingKind::SticksOut, 0, 11.0},
                 "閉じたカードからはみ出す  垂直面 35 mm  11 mm はみ出し"},
             Row{{FindingKind::TooThin, 1, 0.3}, "細すぎる  水平面 40.3 mm  幅 0.3 mm"},
             Row{{FindingKind::FallsOut, 1, 0.0}, "抜け落ちる  水平面 40.3 mm"},
             Row{{FindingKind::Flap, 0, 0.0}, "フラップ（蝶番で動く）  垂直面 35 mm"},
         })
        EXPECT_EQ(findingLine(r, row.finding), row.line);
    EXPECT_EQ(
        doubtLine({DoubtKind::Linkage, {2, 3, 4, 5, 6, 7}, 4.0}),
        "確定できません: 6 個の部品が平行な折り線でつながり、動く可能性があります (自由度 4)");
}

} // namespace
} // namespace plicato
