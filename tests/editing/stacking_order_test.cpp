// Re-ordering the selection: every kind with selections at either end, in the middle and
// spread out; no face may be lost or doubled, and the base faces keep the first two places.
#include "editing_fixture.h"

#include "editing/editing.h"

#include <algorithm>

using namespace plicato;
using namespace plicato::test;

namespace {

class StackingOrder : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        h = model->userFaces[0].get();
        v = model->userFaces[1].get();
        // Five small faces in a row, so that the rebuild has real overlaps to sort out.
        for (int i = 0; i < 5; ++i)
            faces[i] = addRect(FacePlane::Vertical, 10.0 * (i + 1), 10.0 * i, 0, 10.0 * i + 15, 20);
        ASSERT_TRUE(std::all_of(faces, faces + 5, [](Face* f) { return f != nullptr; }));
    }

    std::vector<Face*> order() const {
        std::vector<Face*> out;
        for (const auto& f : model->userFaces)
            out.push_back(f.get());
        return out;
    }

    std::vector<Face*> reordered(std::initializer_list<Face*> selection, ReorderKind kind) {
        select(selection);
        reorderSelection(*model, kind);
        return order();
    }

    Face* h = nullptr;
    Face* v = nullptr;
    Face* faces[5] = {};
};

} // namespace

TEST_F(StackingOrder, TopPutsTheSelectionAtTheEndInSelectionOrder) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({b, d}, ReorderKind::Top), (std::vector<Face*>{h, v, a, c, e, b, d}));
    EXPECT_EQ(reordered({d, a}, ReorderKind::Top), (std::vector<Face*>{h, v, c, e, b, d, a}));
}

TEST_F(StackingOrder, UpOneGoesAboveTheNextUnselectedFace) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({b}, ReorderKind::UpOne), (std::vector<Face*>{h, v, a, c, b, d, e}));
    // Spread out: the block closes up above the face after the last selected one.
    EXPECT_EQ(reordered({a, d}, ReorderKind::UpOne), (std::vector<Face*>{h, v, c, b, e, a, d}));
}

TEST_F(StackingOrder, UpOneWithTheLastFaceSelectedGoesToTheEnd) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({e}, ReorderKind::UpOne), (std::vector<Face*>{h, v, a, b, c, d, e}));
    EXPECT_EQ(reordered({c, e}, ReorderKind::UpOne), (std::vector<Face*>{h, v, a, b, d, c, e}));
    EXPECT_EQ(reordered({e, a}, ReorderKind::UpOne), (std::vector<Face*>{h, v, b, d, c, e, a}));
}

TEST_F(StackingOrder, DownOneGoesBelowThePreviousUnselectedFace) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({c}, ReorderKind::DownOne), (std::vector<Face*>{h, v, a, c, b, d, e}));
    EXPECT_EQ(reordered({b, e}, ReorderKind::DownOne), (std::vector<Face*>{h, v, a, b, e, c, d}));
}

TEST_F(StackingOrder, DownOneNeverSlipsUnderTheBaseFaces) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({a}, ReorderKind::DownOne), (std::vector<Face*>{h, v, a, b, c, d, e}));
    EXPECT_EQ(reordered({c, a}, ReorderKind::DownOne), (std::vector<Face*>{h, v, c, a, b, d, e}));
}

TEST_F(StackingOrder, BottomPutsTheSelectionDirectlyAfterTheBaseFaces) {
    Face *a = faces[0], *b = faces[1], *c = faces[2], *d = faces[3], *e = faces[4];
    EXPECT_EQ(reordered({c, e}, ReorderKind::Bottom), (std::vector<Face*>{h, v, c, e, a, b, d}));
    EXPECT_EQ(reordered({b, c, d, e, a}, ReorderKind::Bottom),
              (std::vector<Face*>{h, v, b, c, d, e, a}));
}

TEST_F(StackingOrder, LeavesFlagsButEmptiesTheListAndIsOneUndoStep) {
    Face *b = faces[1], *d = faces[3];
    select({b, d});
    const FaceList before = copyFaces(model->userFaces);
    reorderSelection(*model, ReorderKind::Top);
    EXPECT_TRUE(model->selectedFaces.empty());
    EXPECT_TRUE(b->isSelected && d->isSelected);
    for (const auto& f : model->userFaces)
        EXPECT_FALSE(f->scratchMark);
    std::mt19937 rng(5);
    EXPECT_TRUE(builtFacesPartitionSheet(*model, rng));
    ASSERT_EQ(model->undoHistory.size(), 1u);
    undo(*model);
    EXPECT_TRUE(sameFaces(before, model->userFaces));
}

TEST_F(StackingOrder, OrderDecidesWhichFaceKeepsTheOverlap) {
    // faces[0] (depth 10, x 0..15) and faces[1] (depth 20, x 10..25) share x 10..15 on the
    // sheet; the later one takes it.
    auto areaAt = [this](double offset) {
        double area = 0;
        for (const auto& f : model->builtFaces)
            if (f->plane == FacePlane::Vertical && f->offset == offset)
                area += polygonArea(*f);
        return area;
    };
    EXPECT_NEAR(areaAt(10), 10 * 20, 1e-9);
    select({faces[0]});
    reorderSelection(*model, ReorderKind::Top);
    EXPECT_NEAR(areaAt(10), 15 * 20, 1e-9);
    EXPECT_NEAR(areaAt(20), 5 * 20, 1e-9); // also lost x 20..25 to faces[2], still on top
}

TEST_F(StackingOrder, EmptySelectionOrAStrayEntryLosesAndDoublesNothing) {
    const std::vector<Face*> start = order();
    select({});
    reorderSelection(*model, ReorderKind::Bottom);
    EXPECT_EQ(order(), start);
    EXPECT_EQ(model->undoHistory.size(), 1u);

    // The same face listed twice moves once.
    Face* b = faces[1];
    model->selectedFaces = {b, b};
    b->isSelected = true;
    reorderSelection(*model, ReorderKind::Top);
    const std::vector<Face*> after = order();
    EXPECT_EQ(after.size(), start.size());
    EXPECT_EQ(after.back(), b);
    EXPECT_EQ(std::count(after.begin(), after.end(), b), 1);
}
