// Undo snapshots: the ten-step limit, what undo restores and what it leaves, the card-size
// rules, and changing the card size itself.
#include "editing_fixture.h"

#include "editing/editing.h"

using namespace plicato;
using namespace plicato::test;

using UndoHistory = EditingTest;

TEST_F(UndoHistory, KeepsTheTenNewestSnapshots) {
    // Each snapshot is told apart by the card width it recorded.
    for (int i = 0; i < 11; ++i) {
        model->cardWidth = 100 + i;
        pushUndo(*model);
    }
    ASSERT_EQ(model->undoHistory.size(), 10u);
    EXPECT_EQ(model->undoHistory.front()->cardWidth, 101) << "the first snapshot is dropped";
    EXPECT_EQ(model->undoHistory.back()->cardWidth, 110);
    for (int i = 0; i < 5; ++i)
        pushUndo(*model);
    EXPECT_EQ(model->undoHistory.size(), 10u);
    EXPECT_EQ(model->undoHistory.front()->cardWidth, 106);
}

TEST_F(UndoHistory, SnapshotsAreDeepCopies) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    pushUndo(*model);
    a->polygon.loops[0]->points[0] = {-50, -50};
    a->offset = 70;
    const UndoSnapshot& s = *model->undoHistory.back();
    ASSERT_EQ(s.faces.size(), 3u);
    EXPECT_NE(s.faces[2].get(), a);
    EXPECT_EQ(s.faces[2]->offset, 20);
    EXPECT_EQ(s.faces[2]->polygon.loops[0]->points[0], (Point2{0, 10}));
}

TEST_F(UndoHistory, UndoWithAnEmptyHistoryChangesNothing) {
    addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    model->drawPoints.push_back({{1, 2, 3}, {1, 1}});
    select({model->userFaces[2].get()});
    const FaceList before = copyFaces(model->userFaces);
    const Face* builtFirst = model->builtFaces.front().get();
    undo(*model);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
    EXPECT_EQ(model->drawPoints.size(), 1u);
    EXPECT_EQ(model->selectedFaces.size(), 1u);
    EXPECT_EQ(model->builtFaces.front().get(), builtFirst) << "no rebuild either";
    dropUndo(*model);
    EXPECT_TRUE(model->undoHistory.empty());
}

TEST_F(UndoHistory, UndoRestoresTheNewestSnapshotAndConsumesIt) {
    addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    pushUndo(*model);
    const FaceList older = copyFaces(model->userFaces);
    addRect(FacePlane::Horizontal, 10, 0, -30, 10, -20);
    pushUndo(*model);
    const FaceList newer = copyFaces(model->userFaces);
    addRect(FacePlane::Vertical, 40, -30, 0, -20, 10);
    model->drawPoints.push_back({{1, 2, 3}, {1, 1}});

    undo(*model);
    EXPECT_TRUE(sameFaces(newer, model->userFaces));
    EXPECT_TRUE(model->drawPoints.empty());
    EXPECT_EQ(model->undoHistory.size(), 1u);
    std::mt19937 rng(2);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
    EXPECT_EQ(model->builtFaces.size(), 4u) << "two sheet halves, two faces";

    undo(*model);
    EXPECT_TRUE(sameFaces(older, model->userFaces));
    EXPECT_TRUE(model->undoHistory.empty());
}

TEST_F(UndoHistory, DropUndoDiscardsOnlyTheNewest) {
    model->cardWidth = 150;
    pushUndo(*model);
    model->cardWidth = 160;
    pushUndo(*model);
    dropUndo(*model);
    ASSERT_EQ(model->undoHistory.size(), 1u);
    EXPECT_EQ(model->undoHistory.back()->cardWidth, 150);
}

TEST_F(UndoHistory, SelectionSurvivesUndoOnlyInTheFaceOperationMode) {
    Face* a = addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    addRect(FacePlane::Vertical, 30, 20, 0, 30, 10);
    select({a});
    pushUndo(*model);
    deleteSelection(*model);

    setFaceOperation(true);
    undo(*model);
    ASSERT_EQ(model->selectedFaces.size(), 1u);
    EXPECT_EQ(model->selectedFaces[0], model->userFaces[2].get()) << "points at the new copy";
    EXPECT_TRUE(model->selectedFaces[0]->isSelected);
    EXPECT_NEAR(model->selectionBox.max.z, 30, 1e-9);

    setFaceOperation(false);
    undo(*model);
    EXPECT_TRUE(model->selectedFaces.empty());
    EXPECT_TRUE(model->userFaces[2]->isSelected);
}

using SheetResize = EditingTest;

TEST_F(SheetResize, NewBaseFacesComeFirstAndOtherFacesKeepTheirOutlines) {
    Face* a = addRect(FacePlane::Vertical, 20, 70, 0, 95, 10);
    ASSERT_TRUE(a);
    model->editPlane = FacePlane::Horizontal;
    model->editOffset = 30;
    resizeSheet(*model, 151, 60);

    EXPECT_EQ(model->cardWidth, 151);
    EXPECT_EQ(model->cardHeight, 60);
    ASSERT_EQ(model->userFaces.size(), 3u);
    const Face& h = *model->userFaces[0];
    const Face& v = *model->userFaces[1];
    EXPECT_TRUE(h.isBase && v.isBase);
    EXPECT_EQ(h.plane, FacePlane::Horizontal);
    EXPECT_EQ(v.plane, FacePlane::Vertical);
    EXPECT_EQ(h.polygon.loops[0]->points,
              (std::vector<Point2>{{-75.5, 0}, {-75.5, -60}, {75.5, -60}, {75.5, 0}}));
    EXPECT_EQ(v.polygon.loops[0]->points,
              (std::vector<Point2>{{-75.5, 0}, {75.5, 0}, {75.5, 60}, {-75.5, 60}}));
    EXPECT_FALSE(h.triangles.empty());
    EXPECT_EQ(model->userFaces[2].get(), a);
    EXPECT_EQ(a->polygon.loops[0]->points[1], (Point2{95, 10})) << "outline beyond the sheet";
    EXPECT_EQ(model->editPlane, FacePlane::Vertical);
    EXPECT_EQ(model->editOffset, 0);

    // Built faces are clipped to the new sheet: the face keeps only x from 70 to 75.5.
    std::mt19937 rng(3);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
    double onPlane = 0;
    for (const auto& f : model->builtFaces)
        if (f->plane == FacePlane::Vertical && f->offset == 20)
            onPlane += polygonArea(*f);
    EXPECT_NEAR(onPlane, 5.5 * 10, 1e-9);
}

TEST_F(SheetResize, UndoRestoresTheSizeAndTheOldBaseFaces) {
    addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    const FaceList before = copyFaces(model->userFaces);
    resizeSheet(*model, 120, 50);
    ASSERT_EQ(model->undoHistory.size(), 1u);
    undo(*model);
    EXPECT_EQ(model->cardWidth, 200);
    EXPECT_EQ(model->cardHeight, 80);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
    std::mt19937 rng(4);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
}

TEST_F(SheetResize, UndoAcrossASizeChangeKeepsTheEditPlaneOnTheCard) {
    resizeSheet(*model, 200, 150);
    model->editOffset = 120;
    undo(*model); // back to height 80: the edit plane comes down to the card's height
    EXPECT_EQ(model->cardHeight, 80);
    EXPECT_EQ(model->editOffset, 80);

    resizeSheet(*model, 200, 55);
    resizeSheet(*model, 200, 150);
    model->editOffset = 120;
    undo(*model); // to height 55, then snapped to the 10 mm grid
    EXPECT_EQ(model->cardHeight, 55);
    EXPECT_EQ(model->editOffset, 60);

    // Same size: the edit plane stays where it is.
    pushUndo(*model);
    model->editOffset = 120;
    undo(*model);
    EXPECT_EQ(model->editOffset, 120);
}

TEST_F(SheetResize, SizesWithoutAreaAreRefused) {
    const FaceList before = copyFaces(model->userFaces);
    resizeSheet(*model, 0, 80);
    resizeSheet(*model, 100, -5);
    EXPECT_EQ(model->cardWidth, 200);
    EXPECT_TRUE(model->undoHistory.empty());
    EXPECT_TRUE(sameFaces(before, model->userFaces));
}

TEST_F(UndoHistory, RedoTakesBackUndoUntilTheNextChange) {
    // Each state is told apart by its card width; faces follow the same path.
    for (int i = 0; i < 4; ++i) {
        pushUndo(*model);
        model->cardWidth = 200 + i;
    }
    undo(*model);
    undo(*model);
    EXPECT_EQ(model->cardWidth, 201);
    ASSERT_TRUE(canRedo(*model));
    redo(*model);
    EXPECT_EQ(model->cardWidth, 202);
    redo(*model);
    EXPECT_EQ(model->cardWidth, 203);
    EXPECT_FALSE(canRedo(*model));
    redo(*model); // nothing waits: nothing changes
    EXPECT_EQ(model->cardWidth, 203);
    EXPECT_EQ(model->undoHistory.size(), 4u) << "redone steps can be undone again";
    undo(*model);
    EXPECT_EQ(model->cardWidth, 202);
    // A new change ends what could be redone.
    pushUndo(*model);
    EXPECT_FALSE(canRedo(*model));
    undo(*model);
    forgetRedo(*model);
    EXPECT_FALSE(canRedo(*model));
}

TEST_F(UndoHistory, RedoRestoresFacesAndKeepsTheDepth) {
    addRect(FacePlane::Vertical, 20, 0, 0, 10, 10);
    pushUndo(*model);
    addRect(FacePlane::Horizontal, 10, 0, -30, 10, -20);
    const FaceList after = copyFaces(model->userFaces);
    model->drawPoints.push_back({{1, 2, 3}, {1, 1}});
    undo(*model);
    EXPECT_EQ(model->userFaces.size(), 3u);
    model->drawPoints.push_back({{1, 2, 3}, {1, 1}});
    redo(*model);
    EXPECT_TRUE(sameFaces(after, model->userFaces));
    EXPECT_TRUE(model->drawPoints.empty());
    std::mt19937 rng(3);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
    // Twelve undos of twelve steps: the redo list keeps ten like the undo list.
    for (int i = 0; i < 12; ++i)
        pushUndo(*model);
    for (int i = 0; i < 12; ++i)
        undo(*model);
    EXPECT_EQ(model->redoHistory.size(), 10u);
    EXPECT_TRUE(model->undoHistory.empty());
}
