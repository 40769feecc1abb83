// Seeded random sequences of editing operations. After every step the selection points only
// into userFaces, the base faces lead the list, the history holds at most ten steps, the built
// faces cover the sheet exactly once, and an undo right after an operation restores its faces.
#include "editing_fixture.h"

#include "editing/editing.h"
#include "popup/built_faces.h"

#include <algorithm>

using namespace plicato;
using namespace plicato::test;

namespace {

enum class Op {
    AddFace,
    SelectSome,
    ClearSelection,
    Copy,
    Cut,
    Delete,
    Paste,
    Reorder,
    Move,
    Scale,
    Resize,
    Smooth,
    Undo,
    DropUndo,
    ToggleFaceOperation,
    Count
};

class EditingSequence : public EditingTest, public ::testing::WithParamInterface<unsigned> {
protected:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    // Faces on the 5 mm lattice, some reaching beyond the sheet, on either plane kind.
    void addRandomFace() {
        const FacePlane plane = chance(0.5) ? FacePlane::Vertical : FacePlane::Horizontal;
        const double offset = 10.0 * pick(0, 6);
        const double x0 = 5.0 * pick(-24, 20);
        const double y0 = 5.0 * pick(-20, 16);
        const double w = 5.0 * pick(1, 8);
        const double h = 5.0 * pick(1, 8);
        if (chance(0.7))
            addRect(plane, offset, x0, y0, x0 + w, y0 + h);
        else
            addFace(plane, offset, {{x0, y0}, {x0 + w, y0 + h}, {x0 + w, y0}});
    }

    void selectSome() {
        for (auto& f : model->userFaces)
            f->isSelected = !f->isBase && chance(0.4);
        rebuildSelection(*model);
    }

    void smoothSome() {
        std::vector<Face*> candidates;
        for (auto& f : model->userFaces)
            if (!f->isBase && f->polygon.loops[0]->points.size() < 40)
                candidates.push_back(f.get());
        if (candidates.empty())
            return;
        Face* f = candidates[pick(0, int(candidates.size()) - 1)];
        auto& pts = f->polygon.loops[0]->points;
        const int n = int(pts.size());
        smoothSpan(*model, *f, pts[pick(0, n - 1)], pts[pick(0, n - 1)]);
    }

    // Runs one operation; true when it is meant to have saved an undo step.
    bool run(Op op) {
        switch (op) {
        case Op::AddFace:
            if (model->userFaces.size() < 14)
                addRandomFace();
            return false;
        case Op::SelectSome:
            selectSome();
            return false;
        case Op::ClearSelection:
            clearSelection(*model);
            return false;
        case Op::Copy:
            copySelection(*model);
            return false;
        case Op::Cut:
            cutSelection(*model);
            return true;
        case Op::Delete:
            deleteSelection(*model);
            return true;
        case Op::Paste:
            if (model->userFaces.size() + model->clipboardFaces.size() > 16)
                return false;
            paste(*model);
            return true;
        case Op::Reorder:
            reorderSelection(*model, ReorderKind(pick(0, 3)));
            return true;
        case Op::Move: // as a gizmo drag does it: one step saved, then the move
            pushUndo(*model);
            moveSelectionByGrid(*model, pick(-2, 2), pick(-2, 2), pick(-2, 2));
            return true;
        case Op::Scale:
            scaleSelection(*model, chance(0.5) ? 2.0 : 0.5);
            return true;
        case Op::Resize:
            resizeSheet(*model, 10 * pick(5, 20), 10 * pick(5, 15));
            return true;
        case Op::Smooth:
            smoothSome();
            return false; // may be refused without a step; checked through the history below
        case Op::Undo:
            undo(*model);
            return false;
        case Op::DropUndo:
            dropUndo(*model);
            return false;
        case Op::ToggleFaceOperation:
            setFaceOperation(!state.faceOperationActive());
            return false;
        case Op::Count:
            break;
        }
        return false;
    }

    void checkInvariants(int step) {
        SCOPED_TRACE(::testing::Message() << "step " << step);
        for (const Face* s : model->selectedFaces) {
            const bool inList = std::any_of(model->userFaces.begin(), model->userFaces.end(),
                                            [s](const auto& f) { return f.get() == s; });
            ASSERT_TRUE(inList) << "selection points outside userFaces";
            EXPECT_TRUE(s->isSelected);
        }
        ASSERT_GE(model->userFaces.size(), 2u);
        EXPECT_TRUE(model->userFaces[0]->isBase);
        EXPECT_EQ(model->userFaces[0]->plane, FacePlane::Horizontal);
        EXPECT_TRUE(model->userFaces[1]->isBase);
        EXPECT_EQ(model->userFaces[1]->plane, FacePlane::Vertical);
        for (size_t i = 2; i < model->userFaces.size(); ++i) {
            EXPECT_FALSE(model->userFaces[i]->isBase) << "face " << i;
            EXPECT_FALSE(model->userFaces[i]->triangles.empty()) << "face " << i;
        }
        EXPECT_LE(model->undoHistory.size(), 10u);
    }

    std::mt19937 rng;
};

} // namespace

TEST_P(EditingSequence, KeepsTheModelConsistent) {
    rng.seed(GetParam());
    for (int i = 0; i < 5; ++i)
        addRandomFace();
    const std::vector<int> weights{8, 6, 2, 3, 2, 2, 3, 5, 5, 3, 2, 4, 4, 1, 2};
    std::discrete_distribution<int> nextOp(weights.begin(), weights.end());
    ASSERT_EQ(weights.size(), size_t(Op::Count));

    int undoChecks = 0;
    for (int step = 0; step < 250; ++step) {
        const Op op = Op(nextOp(rng));
        const FaceList before = copyFaces(model->userFaces);
        const int width = model->cardWidth;
        const int height = model->cardHeight;
        const UndoSnapshot* newest =
            model->undoHistory.empty() ? nullptr : model->undoHistory.back().get();
        const size_t depth = model->undoHistory.size();

        const bool meantToSave = run(op);
        // A new newest snapshot without a shorter history (a full one drops its oldest).
        const bool saved = model->undoHistory.size() >= depth && !model->undoHistory.empty() &&
                           model->undoHistory.back().get() != newest;
        if (meantToSave) {
            ASSERT_TRUE(saved) << "step " << step << ": op " << int(op) << " saved no undo step";
        }
        checkInvariants(step);
        if (HasFatalFailure())
            return;

        // Outside the face-operation mode the operations leave the built faces current; in it
        // they wait for the next rebuild, which must then hold as well.
        if (state.faceOperationActive() || op == Op::Move || op == Op::Scale)
            rebuildBuiltFaces(*model);
        ASSERT_TRUE(builtFacesPartitionSheet(*model, rng)) << "step " << step << ", op " << int(op);

        if (saved && chance(0.35)) {
            undo(*model);
            ++undoChecks;
            ASSERT_TRUE(sameFaces(before, model->userFaces))
                << "undo after step " << step << ", op " << int(op);
            EXPECT_EQ(model->cardWidth, width);
            EXPECT_EQ(model->cardHeight, height);
            checkInvariants(step);
            ASSERT_TRUE(builtFacesPartitionSheet(*model, rng)) << "undo rebuilds in every mode";
        }
    }
    EXPECT_GT(undoChecks, 10);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditingSequence, ::testing::Values(11u, 2024u, 77777u, 31337u));
