// Camera moves redraw the kept frame: which responses are camera moves alone, and that the kept
// frame brought to a new camera is the frame built afresh for it, over random camera moves in
// every display that has no primitives sized by the camera.
#include "editing/selection.h"
#include "view/color_table.h"
#include "view/view_controller.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <random>

using namespace plicato;

namespace {

class CameraFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(plicato::testing::handCard(160, 80, 30));
        view.resize(1280, 800);
    }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    DisplayState state;
    ViewController view;
};

bool sameItems(const Scene& a, const Scene& b) {
    if (a.items.size() != b.items.size())
        return false;
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        const DrawItem& x = a.items[i];
        const DrawItem& y = b.items[i];
        if (x.kind != y.kind || x.role != y.role || !(x.color == y.color) || x.size != y.size ||
            x.depthTest != y.depthTest || x.lit != y.lit || x.vertices != y.vertices ||
            x.texCoords != y.texCoords || x.normals != y.normals)
            return false;
    }
    return true;
}

struct DragRow {
    const char* what;
    int button; // pressed before the move
    int buttons;
    int modifiers;
    bool cameraOnly;
};

TEST_F(CameraFrameTest, CameraDragsAndTheWheelAloneAreCameraMoves) {
    const DragRow rows[] = {
        {"right drag turns", RightButton, RightButton, 0, true},
        {"middle drag pans", MiddleButton, MiddleButton, 0, true},
        {"ctrl right drag pans", RightButton, RightButton, ControlModifier, true},
        {"shift right drag zooms", RightButton, RightButton, ShiftModifier, true},
        {"shift left drag zooms", LeftButton, LeftButton, ShiftModifier, true},
        {"left drag in the drawing mode", LeftButton, LeftButton, 0, false},
        {"move without a button", 0, 0, 0, false},
    };
    for (const DragRow& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.button == RightButton)
            view.rightButtonDown(100, 100);
        else if (row.button == MiddleButton)
            view.middleButtonDown(100, 100);
        else if (row.button == LeftButton)
            view.leftButtonDown(100, 100, row.modifiers);
        const ViewResponse r = view.mouseMove(130, 90, row.buttons, row.modifiers);
        EXPECT_EQ(r.cameraOnly, row.cameraOnly);
        EXPECT_TRUE(r.redraw || !r.cameraOnly);
        if (row.button == RightButton)
            view.rightButtonUp(130, 90);
        else if (row.button == LeftButton)
            view.leftButtonUp(130, 90, row.modifiers);
    }
    const ViewResponse w = view.wheel(120);
    EXPECT_TRUE(w.redraw && w.cameraOnly);
    // Commands that change what is drawn are never camera moves.
    EXPECT_FALSE(view.togglePlane().cameraOnly);
    EXPECT_FALSE(view.toggleAntiAlias().cameraOnly);
}

// Display settings with the kinds of primitives they add (grid, handles, mirror plane, card
// grid, textured halves do not depend on the camera; the gizmo does and is tested below).
struct DisplayRow {
    const char* what;
    EditMode mode;
    bool inputDisplay;
    bool mirror;
    bool orthographic;
};

TEST_F(CameraFrameTest, TheKeptFrameAtANewCameraIsTheFrameBuiltForIt) {
    const DisplayRow rows[] = {
        {"pop-up display", EditMode::PolygonFace, false, false, false},
        {"input display, mirror", EditMode::PolygonFace, true, true, false},
        {"orthographic", EditMode::Rectangle3, false, false, true},
        {"face operation, nothing selected", EditMode::FaceOperation, true, false, false},
        {"outline editing", EditMode::OutlineEdit, true, false, false},
    };
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> step(-60, 60);
    for (const DisplayRow& row : rows) {
        SCOPED_TRACE(row.what);
        state.editMode = int(row.mode);
        state.inputDisplay = row.inputDisplay;
        state.mirrorEdit = row.mirror;
        state.orthographic = row.orthographic;
        Scene kept = view.buildFrame(colorTable());
        for (int move = 0; move < 25; ++move) {
            switch (move % 3) {
            case 0:
                view.camera.rotate(step(rng), step(rng));
                break;
            case 1:
                view.camera.pan(step(rng), step(rng));
                break;
            default:
                view.camera.zoom(step(rng), step(rng));
                break;
            }
            ASSERT_TRUE(view.cameraFrame(kept));
            const Scene fresh = view.buildFrame(colorTable());
            EXPECT_EQ(kept.projection.modelview.m, fresh.projection.modelview.m);
            EXPECT_EQ(kept.projection.projection.m, fresh.projection.projection.m);
            EXPECT_EQ(kept.projection.viewport, fresh.projection.viewport);
            EXPECT_TRUE(sameItems(kept, fresh)) << "move " << move;
        }
    }
}

TEST_F(CameraFrameTest, AFrameWithTheGizmoOrWithoutAModelIsBuiltAgain) {
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    currentModel()->userFaces.back()->isSelected = true;
    rebuildSelection(*currentModel());
    Scene withGizmo = view.buildFrame(colorTable());
    const auto before = withGizmo.projection.modelview.m;
    view.camera.wheel(240);
    EXPECT_FALSE(view.cameraFrame(withGizmo));
    EXPECT_EQ(withGizmo.projection.modelview.m, before); // left as it was

    Scene empty;
    EXPECT_FALSE(view.cameraFrame(empty));
}

} // namespace
