// Selection list and box, copy, cut, delete, paste, and the Edit menu's enable conditions.
#include "editing_fixture.h"

#include "editing/editing.h"

#include <limits>

using namespace plicato;
using namespace plicato::test;

namespace {

double builtAreaOn(const CardModel& model, FacePlane plane, double offset) {
    double area = 0;
    for (const auto& f : model.builtFaces)
        if (f->plane == plane && f->offset == offset)
            area += polygonArea(*f);
    return area;
}

void expectNear(const Point3& actual, const Point3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

} // namespace

using Selection = EditingTest;

TEST_F(Selection, RebuildFollowsTheFlagsInListOrder) {
    Face* a = addRect(FacePlane::Vertical, 20, -10, -20, 10, 10);
    Face* b = addRect(FacePlane::Horizontal, 30, 0, -20, 20, 10);
    Face* c = addRect(FacePlane::Vertical, 40, 30, 0, 40, 10);
    ASSERT_TRUE(a && b && c);
    c->isSelected = true;
    a->isSelected = true;
    model->selectedFaces = {b}; // stale content must go
    rebuildSelection(*model);
    EXPECT_EQ(model->selectedFaces, (std::vector<Face*>{a, c}));

    clearSelection(*model);
    EXPECT_TRUE(model->selectedFaces.empty());
    for (const auto& f : model->userFaces)
        EXPECT_FALSE(f->isSelected);
}

TEST_F(Selection, BoxSpansBothPlaneKindsAndPutsTheHandleOnTheTopFrontEdge) {
    // Vertical at depth 20, heights 0..30; horizontal at height 30, depths 20..50.
    Face* v = addRect(FacePlane::Vertical, 20, -10, -20, 10, 10);
    Face* h = addRect(FacePlane::Horizontal, 30, 0, -20, 20, 10);
    ASSERT_TRUE(v && h);
    v->isSelected = h->isSelected = true;
    rebuildSelection(*model);
    const SelectionBox& box = model->selectionBox;
    expectNear(box.min, {-10, 20, 0});
    expectNear(box.max, {20, 50, 30});
    expectNear(box.handle, {5, 50, 30});
}

TEST_F(Selection, BoxFollowsTheOpeningAngleAndEmptiesWithoutMovingTheHandle) {
    Face* v = addRect(FacePlane::Vertical, 20, -10, -20, 10, 10);
    ASSERT_TRUE(v);
    select({v});
    state.openAngle = 180; // flat: Y = d - (y + d) = -y, Z = 0
    updateSelectionBox(*model);
    EXPECT_NEAR(model->selectionBox.min.y, -10, 1e-9);
    EXPECT_NEAR(model->selectionBox.max.y, 20, 1e-9);
    EXPECT_NEAR(model->selectionBox.max.z, 0, 1e-9);

    const Point3 handle = model->selectionBox.handle;
    clearSelection(*model);
    updateSelectionBox(*model);
    constexpr double big = std::numeric_limits<double>::max();
    EXPECT_EQ(model->selectionBox.min, (Point3{big, big, big}));
    EXPECT_EQ(model->selectionBox.max, (Point3{-big, -big, -big}));
    EXPECT_EQ(model->selectionBox.handle, handle) << "the gizmo stays with the last selection";
}

using Clipboard = EditingTest;

TEST_F(Clipboard, CopyTakesDeepCopiesInSelectionOrder) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    Face* b = addRect(FacePlane::Horizontal, 10, 0, -30, 10, -20);
    ASSERT_TRUE(a && b);
    select({b, a});
    copySelection(*model);
    ASSERT_EQ(model->clipboardFaces.size(), 2u);
    EXPECT_EQ(model->clipboardFaces[0]->plane, FacePlane::Horizontal);
    EXPECT_EQ(model->clipboardFaces[1]->plane, FacePlane::Vertical);
    EXPECT_TRUE(model->clipboardFaces[0]->isSelected);
    EXPECT_NE(model->clipboardFaces[1].get(), a);

    a->polygon.loops[0]->points[0].x = 99; // the clipboard must not follow the original
    EXPECT_EQ(model->clipboardFaces[1]->polygon.loops[0]->points[0].x, 0);
    EXPECT_TRUE(model->undoHistory.empty()) << "copy changes no face and saves no undo step";
}

TEST_F(Clipboard, CopyWithoutSelectionKeepsTheClipboard) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    select({a});
    copySelection(*model);
    clearSelection(*model);
    copySelection(*model);
    EXPECT_EQ(model->clipboardFaces.size(), 1u);
}

TEST_F(Clipboard, DeleteRemovesOnlyTheSelectedFacesAndIsUndoable) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    Face* b = addRect(FacePlane::Vertical, 30, 20, 0, 30, 10);
    Face* c = addRect(FacePlane::Horizontal, 10, 0, -30, 10, -20);
    ASSERT_TRUE(a && b && c);
    select({a, c});
    const FaceList before = copyFaces(model->userFaces);
    deleteSelection(*model);
    ASSERT_EQ(model->userFaces.size(), 3u);
    EXPECT_EQ(model->userFaces[2].get(), b);
    EXPECT_TRUE(model->selectedFaces.empty());
    EXPECT_EQ(builtAreaOn(*model, FacePlane::Vertical, 20), 0);
    std::mt19937 rng(1);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));

    undo(*model);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
    EXPECT_EQ(builtAreaOn(*model, FacePlane::Vertical, 20), 100);
}

TEST_F(Clipboard, CutKeepsCopiesOfWhatItRemoved) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    ASSERT_TRUE(a);
    select({a});
    cutSelection(*model);
    EXPECT_EQ(model->userFaces.size(), 2u);
    ASSERT_EQ(model->clipboardFaces.size(), 1u);
    EXPECT_EQ(model->clipboardFaces[0]->offset, 20);
    EXPECT_EQ(model->undoHistory.size(), 1u);
    EXPECT_TRUE(model->selectedFaces.empty());
}

TEST_F(Clipboard, PasteAddsSelectedCopiesOneGridStepAlongX) {
    Face* a = addFace(FacePlane::Vertical, 20, {{0, 5}, {10, 5}, {10, -5}});
    Face* b = addRect(FacePlane::Horizontal, 10, 0, -30, 10, -20);
    ASSERT_TRUE(a && b);
    select({a, b});
    copySelection(*model);
    paste(*model);

    ASSERT_EQ(model->userFaces.size(), 6u);
    EXPECT_FALSE(a->isSelected) << "the faces that were copied are no longer selected";
    EXPECT_FALSE(b->isSelected);
    Face* pa = model->userFaces[4].get();
    Face* pb = model->userFaces[5].get();
    EXPECT_EQ(model->selectedFaces, (std::vector<Face*>{pa, pb}));
    EXPECT_TRUE(pa->isSelected && pb->isSelected);
    EXPECT_EQ(pa->polygon.loops[0]->points[0], (Point2{10, 5}));
    EXPECT_EQ(pb->polygon.loops[0]->points[0], (Point2{10, -20}));
    EXPECT_EQ(pa->offset, 20);
    EXPECT_EQ(pb->offset, 10);
    EXPECT_FALSE(pa->triangles.empty());
    EXPECT_EQ(model->undoHistory.size(), 1u);

    // The built faces show the copies where they landed: beside the originals, not on them.
    EXPECT_DOUBLE_EQ(builtAreaOn(*model, FacePlane::Horizontal, 10), 200);

    // The clipboard is unchanged, so a second paste lands at the same place again.
    paste(*model);
    EXPECT_EQ(model->userFaces.back()->polygon.loops[0]->points[0], (Point2{10, -20}));
}

TEST_F(Clipboard, PasteStepFollowsTheCurrentGrid) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    select({a});
    copySelection(*model);
    model->gridLevel = 2;
    model->gridSize = 2.5;
    paste(*model);
    EXPECT_EQ(model->userFaces.back()->polygon.loops[0]->points[0], (Point2{2.5, 10}));
}

TEST_F(Clipboard, PasteDropsCopiesWithoutArea) {
    auto flat = std::make_unique<Face>(FacePlane::Vertical, 0.0);
    auto loop = std::make_unique<Loop>();
    loop->points = {{0, 0}, {10, 0}, {20, 0}};
    flat->polygon.addLoop(std::move(loop));
    model->clipboardFaces.push_back(std::move(flat));
    paste(*model);
    EXPECT_EQ(model->userFaces.size(), 2u);
    EXPECT_TRUE(model->selectedFaces.empty());
}

using EditMenu = EditingTest;

TEST_F(EditMenu, EnableConditionsFollowSelectionClipboardAndHistory) {
    EXPECT_FALSE(canCopy(*model));
    EXPECT_FALSE(canCut(*model));
    EXPECT_FALSE(canDelete(*model));
    EXPECT_FALSE(canScale(*model));
    EXPECT_FALSE(canReorder(*model));
    EXPECT_FALSE(canPaste(*model));
    EXPECT_FALSE(canUndo(*model));

    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    select({a});
    EXPECT_TRUE(canCopy(*model) && canCut(*model) && canDelete(*model));
    EXPECT_TRUE(canScale(*model) && canReorder(*model));
    EXPECT_FALSE(canPaste(*model));
    copySelection(*model);
    EXPECT_TRUE(canPaste(*model));
    deleteSelection(*model);
    EXPECT_FALSE(canCopy(*model));
    EXPECT_TRUE(canUndo(*model));
    undo(*model);
    EXPECT_FALSE(canUndo(*model));
    // Undo outside the face-operation mode leaves no face in the selection list, even though
    // the restored face still carries its flag.
    EXPECT_FALSE(canDelete(*model));
    EXPECT_TRUE(model->userFaces.back()->isSelected);
}
