// The click protocol of outline input: closing, refusals, rectangles, mirror editing, the
// click distance, the right click, Esc, Ctrl+Space and the mode commands.
#include "view/outline_input.h"

#include "design_fixture.h"

#include <algorithm>
#include <tuple>
#include <vector>

using namespace plicato;
using plicato::testing::DesignTest;

namespace {

struct Clicks {
    const char* name;
    EditMode mode;
    std::vector<Point3> clicks;
    int modifiers;
    std::size_t faces;       // user faces made
    std::size_t drawPoints;  // points still open afterwards
    int beeps;               // clicks refused with a beep
    std::vector<Point2> out; // corners of the face made, any order (empty: not checked)
};

const Clicks clickRows[] = {
    {"TriangleClosedByTheFourthClick",
     EditMode::PolygonFace,
     {{0, 0, 10}, {20, 0, 10}, {20, 0, 30}, {0, 0, 10}},
     0,
     1,
     0,
     0,
     {}},
    {"ClickingTheLastPointAgainCloses",
     EditMode::PolygonFace,
     {{0, 0, 10}, {20, 0, 10}, {20, 0, 30}, {20, 0, 30}},
     0,
     1,
     0,
     0,
     {}},
    {"TheSecondPointAgainIsRefused",
     EditMode::PolygonFace,
     {{0, 0, 10}, {20, 0, 10}, {20, 0, 30}, {20, 0, 10}},
     0,
     0,
     3,
     1,
     {}},
    {"ClosingNeedsThreePoints",
     EditMode::PolygonFace,
     {{0, 0, 10}, {20, 0, 10}, {0, 0, 10}},
     0,
     0,
     2,
     1,
     {}},
    {"ACrossingSegmentIsRefused",
     EditMode::PolygonFace,
     {{0, 0, 10}, {30, 0, 10}, {30, 0, 40}, {10, 0, 0}},
     0,
     0,
     3,
     1,
     {}},
    {"AClosingSegmentThatCrossesKeepsTheOutlineOpen",
     EditMode::PolygonFace,
     {{0, 0, 20}, {10, 0, 40}, {20, 0, 20}, {10, 0, 0}, {30, 0, 20}, {0, 0, 20}},
     0,
     0,
     5,
     1,
     {}},
    {"PointsBeyondTheCardAreIgnoredSilently",
     EditMode::PolygonFace,
     {{90, 0, 10}, {0, 0, 90}, {-90, 0, 10}},
     0,
     0,
     0,
     0,
     {}},
    {"CtrlKeepsSegmentsParallelToTheGrid",
     EditMode::PolygonFace,
     {{0, 0, 10}, {33, 0, 22}, {31, 0, 50}, {0, 0, 50}, {0, 0, 10}},
     ControlModifier,
     1,
     0,
     0,
     {{0, 10}, {0, 50}, {30, 50}, {30, 10}}},
    {"RectangleByThreePoints",
     EditMode::Rectangle3,
     {{0, 0, 10}, {33, 0, 12}, {31, 0, 40}},
     0,
     1,
     0,
     0,
     {{0, 10}, {0, 40}, {30, 40}, {30, 10}}},
    {"CutOutModeMakesNoPlainFace",
     EditMode::CutOut,
     {{0, 0, 10}, {20, 0, 10}, {20, 0, 30}, {0, 0, 10}},
     0,
     1,
     0,
     0,
     {}},
};

class OutlineClicks : public DesignTest, public ::testing::WithParamInterface<Clicks> {};

} // namespace

TEST_P(OutlineClicks, MakeTheExpectedFace) {
    const Clicks& row = GetParam();
    state.editMode = int(row.mode);
    int beeps = 0;
    for (const Point3& p : row.clicks)
        beeps += click(p, row.modifiers).beep ? 1 : 0;
    EXPECT_EQ(faceCount(), row.faces);
    EXPECT_EQ(model().drawPoints.size(), row.drawPoints);
    EXPECT_EQ(beeps, row.beeps);
    EXPECT_EQ(model().undoHistory.size(), row.faces);
    if (!row.out.empty() && faceCount() == 1) {
        auto pts = face(0).polygon.loops.at(0)->points;
        auto expected = row.out;
        const auto byXY = [](const Point2& a, const Point2& b) {
            return a.x < b.x || (a.x == b.x && a.y < b.y);
        };
        std::sort(pts.begin(), pts.end(), byXY);
        std::sort(expected.begin(), expected.end(), byXY);
        EXPECT_EQ(pts, expected) << "grid points exactly, nothing else";
    }
}

INSTANTIATE_TEST_SUITE_P(Protocol, OutlineClicks, ::testing::ValuesIn(clickRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignTest, RefusalsTellApartTheirRedraw) {
    click({0, 0, 10});
    click({20, 0, 10});
    const ViewResponse repeated = click({0, 0, 10});
    EXPECT_TRUE(repeated.beep);
    EXPECT_FALSE(repeated.redraw) << "a repeated point is refused without a redraw";
    click({20, 0, 40});
    const ViewResponse crossing = click({10, 0, 0});
    EXPECT_TRUE(crossing.beep);
    EXPECT_TRUE(crossing.redraw);
}

TEST_F(DesignTest, MirrorEditingMakesBothSquaresInOneUndoStep) {
    state.mirrorEdit = true;
    model().mirrorX = 0;
    for (const Point3& p : {Point3{10, 0, 10}, Point3{30, 0, 10}, Point3{30, 0, 30},
                            Point3{10, 0, 30}, Point3{10, 0, 10}})
        click(p);
    ASSERT_EQ(faceCount(), 2u);
    EXPECT_EQ(model().undoHistory.size(), 1u);
    double lo = 1e9, hi = -1e9;
    for (const Point2& p : face(1).polygon.loops[0]->points) {
        lo = std::min(lo, p.x);
        hi = std::max(hi, p.x);
    }
    EXPECT_EQ(lo, -30);
    EXPECT_EQ(hi, -10);
    view.undo();
    EXPECT_EQ(faceCount(), 0u);
}

TEST_F(DesignTest, OnlyAReleaseWithinNinePixelsIsAClick) {
    const auto [x, y] = at({0, 0, 10});
    for (const auto& [dx, dy, counts] : {std::tuple{9, 0, true}, std::tuple{6, 6, true},
                                         std::tuple{10, 0, false}, std::tuple{7, 7, false}}) {
        model().drawPoints.clear();
        view.leftButtonDown(x, y, 0);
        view.leftButtonUp(x + dx, y + dy, 0);
        EXPECT_EQ(model().drawPoints.size(), counts ? 1u : 0u) << dx << "," << dy;
    }
}

TEST_F(DesignTest, NoPointWhileTheEditPlaneIsHidden) {
    state.showEditPlane = false;
    click({0, 0, 10});
    EXPECT_TRUE(model().drawPoints.empty());
}

TEST_F(DesignTest, RightClickAndEscTakePointsBack) {
    click({0, 0, 10});
    click({20, 0, 10});
    EXPECT_TRUE(rightClick({50, 0, 50}).rightClick);
    EXPECT_EQ(model().drawPoints.size(), 1u);
    rightClick({50, 0, 50});
    rightClick({50, 0, 50}); // nothing left: nothing happens
    EXPECT_TRUE(model().drawPoints.empty());
    click({0, 0, 10});
    click({20, 0, 10});
    EXPECT_TRUE(view.key(ViewKey::Escape, 0).redraw);
    EXPECT_TRUE(model().drawPoints.empty());
}

TEST_F(DesignTest, CtrlSpaceCyclesThePolygonAndCutOutModes) {
    const std::pair<EditMode, EditMode> rows[] = {
        {EditMode::PolygonFace, EditMode::CutOut},
        {EditMode::CutOut, EditMode::PolygonFace},
        {EditMode::Rectangle3, EditMode::PolygonFace},
        {EditMode::OutlineEdit, EditMode::PolygonFace},
        {EditMode::Subdivide, EditMode::PolygonFace},
    };
    for (const auto& [from, to] : rows) {
        state.editMode = int(from);
        const FacePlane plane = model().editPlane;
        view.key(ViewKey::Space, ControlModifier);
        EXPECT_EQ(state.mode(), to) << int(from);
        EXPECT_EQ(model().editPlane, plane) << "Ctrl+Space leaves the plane alone";
    }
    // Points drawn in the polygon mode stay and are completed as a cut-out.
    state.editMode = int(EditMode::PolygonFace);
    click({0, 0, 10});
    view.key(ViewKey::Space, ControlModifier);
    EXPECT_EQ(model().drawPoints.size(), 1u);
    view.key(ViewKey::Space, 0);
    EXPECT_EQ(model().editPlane, FacePlane::Horizontal);
}

TEST_F(DesignTest, ModeCommandsSetTheirStateAndClearWhatTheySay) {
    struct Row {
        EditMode mode;
        bool clearsSelection;
        bool clearsPoints;
        bool forcesInputDisplay;
    };
    const Row rows[] = {
        {EditMode::PolygonFace, true, false, false}, {EditMode::Rectangle3, true, true, false},
        {EditMode::CutOut, true, false, false},      {EditMode::FaceOperation, false, false, true},
        {EditMode::OutlineEdit, false, false, true}, {EditMode::Subdivide, false, true, true},
    };
    for (const Row& r : rows) {
        state.inputDisplay = false;
        state.openAngle = 40;
        model().drawPoints = {{{0, 0, 10}, {0, 10}}};
        model().userFaces[1]->isSelected = true;
        model().selectedFaces = {model().userFaces[1].get()};
        const ViewResponse resp = view.chooseMode(r.mode);
        EXPECT_EQ(state.mode(), r.mode);
        EXPECT_EQ(model().selectedFaces.empty(), r.clearsSelection) << int(r.mode);
        EXPECT_EQ(model().drawPoints.empty(), r.clearsPoints) << int(r.mode);
        EXPECT_EQ(state.inputDisplay, r.forcesInputDisplay) << int(r.mode);
        EXPECT_EQ(resp.hideOpeningDialog, r.forcesInputDisplay) << int(r.mode);
        EXPECT_EQ(state.openAngle, r.forcesInputDisplay ? 90 : 40) << int(r.mode);
    }
}

TEST_F(DesignTest, PopupDisplayLeavesTheFaceModesButNotSubdivision) {
    const std::pair<EditMode, EditMode> rows[] = {
        {EditMode::FaceOperation, EditMode::PolygonFace},
        {EditMode::OutlineEdit, EditMode::PolygonFace},
        {EditMode::Subdivide, EditMode::Subdivide},
        {EditMode::CutOut, EditMode::CutOut},
    };
    for (const auto& [from, to] : rows) {
        view.chooseMode(from);
        view.choosePopupDisplay();
        EXPECT_EQ(state.mode(), to);
        EXPECT_FALSE(state.inputDisplay);
    }
    view.chooseInputDisplay();
    EXPECT_TRUE(state.inputDisplay);
}
