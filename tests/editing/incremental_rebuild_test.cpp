// The rebuild that reuses earlier results against one that starts from nothing: after every step
// of random edit sequences on random designs, built faces, links and pattern lines are identical
// bit for bit; and a memo planted with a fault is caught by the same comparison.
#include "editing/clipboard.h"
#include "editing/move_scale.h"
#include "editing/selection.h"
#include "editing/stacking_order.h"
#include "editing/undo_history.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "popup/rebuild_memo.h"
#include "tests/editing/editing_fixture.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace plicato::test {

namespace {

// Index of a built face in the list, or -1 for none.
int indexOf(const CardModel& model, const Face* f) {
    for (std::size_t i = 0; i < model.builtFaces.size(); ++i)
        if (model.builtFaces[i].get() == f)
            return static_cast<int>(i);
    return -1;
}

// The first difference between the model's derived state and that of a fresh rebuild of the
// same user faces, or nothing.
std::optional<std::string> differenceFromFullRebuild(CardModel& model) {
    CardModel fresh;
    fresh.cardWidth = model.cardWidth;
    fresh.cardHeight = model.cardHeight;
    fresh.userFaces = copyFaces(model.userFaces);
    RebuildOptions full;
    full.reuseEarlierResults = false;
    rebuildBuiltFaces(fresh, full);
    if (const auto same = sameFaces(fresh.builtFaces, model.builtFaces); !same)
        return std::string("built faces: ") + same.message();

    buildPattern(model);
    buildPattern(fresh);
    if (fresh.links.size() != model.links.size())
        return "link count " + std::to_string(model.links.size()) + " instead of " +
               std::to_string(fresh.links.size());
    for (std::size_t i = 0; i < fresh.links.size(); ++i) {
        const FaceLink& a = *fresh.links[i];
        const FaceLink& b = *model.links[i];
        if (a.kind != b.kind || a.p1.x != b.p1.x || a.p1.y != b.p1.y || a.p1.z != b.p1.z ||
            a.p2.x != b.p2.x || a.p2.y != b.p2.y || a.p2.z != b.p2.z ||
            indexOf(fresh, a.vFace) != indexOf(model, b.vFace) ||
            indexOf(fresh, a.hFace) != indexOf(model, b.hFace))
            return "link " + std::to_string(i);
    }
    PatternLineList expected, actual;
    collectPatternLines(fresh, expected);
    collectPatternLines(model, actual);
    if (expected != actual)
        return std::string("pattern lines");
    return std::nullopt;
}

void selectOne(CardModel& model, std::mt19937& rng) {
    clearSelection(model);
    if (model.userFaces.size() <= 2)
        return;
    // The two sheet halves stay put; any other face may be picked.
    std::uniform_int_distribution<std::size_t> pick(2, model.userFaces.size() - 1);
    model.userFaces[pick(rng)]->isSelected = true;
    rebuildSelection(model);
}

// A copy of a random user face (not a sheet half) shifted on the sheet and off its plane by less
// than the clean-up's tolerance: the near coincidence the clean-up at the end of every rebuild
// must resolve the same way whether the rebuild reused earlier results or not.
std::unique_ptr<Face> hairCopy(const CardModel& model, std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> pick(2, model.userFaces.size() - 1);
    const Face& f = *model.userFaces[pick(rng)];
    std::uniform_real_distribution<double> hair(-1e-7, 1e-7);
    const double dx = hair(rng), dy = hair(rng);
    auto copy = std::make_unique<Face>(f.plane, f.offset + (rng() % 2 ? 0.0 : 1e-9));
    copy->polygon = f.polygon;
    for (auto& loop : copy->polygon.loops)
        for (Point2& p : loop->points)
            p = {p.x + dx, p.y + dy};
    return copy;
}

struct SequenceResult {
    std::optional<std::string> mismatch; // first difference, with the step that showed it
    int steps = 0;
    int hairCopies = 0; // steps that added a copy a hair off a face
    int redos = 0;      // redo steps with an undo to take back
    std::size_t hits = 0;
    std::size_t misses = 0;
    std::size_t resumed = 0; // user faces whose work came from checkpoints
};

// A random design edited step by step the way the editor does it; after every step the model's
// own (reusing) rebuild is compared with a fresh one.
SequenceResult runSequence(unsigned seed, int faces, int steps, RebuildMemo::Fault fault) {
    CoreState state;
    installCoreState(&state);
    auto model = makeNewCard(100, 80);
    testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
    testing::RandomDesignOptions o;
    o.faceCount = faces;
    o.glyphPoints = 40;
    o.cutOutShare = 0.0;
    o.gridOnly = seed % 2 == 0;
    state.editMode = int(EditMode::FaceOperation); // add without a rebuild each
    for (testing::RandomFace& rf : designer.faces(o))
        addUserFace(*model, std::move(rf.face));
    state.editMode = 0;
    rebuildBuiltFaces(*model);
    model->rebuildMemo->setFaultForTesting(fault);
    // Checkpoints every few faces, so that a short design has many to start from.
    model->rebuildMemo->setCheckpointSpacing(3);

    std::mt19937 rng(seed * 7919u + 1);
    SequenceResult result;
    static const char* const names[] = {"move",    "scale", "add",  "delete",
                                        "reorder", "undo",  "redo", "hair copy"};
    for (int step = 0; step < steps && !result.mismatch; ++step) {
        int kind = std::uniform_int_distribution<int>(0, 7)(rng);
        // Right after an undo, often a redo, as a user does: any other change forgets it.
        if (canRedo(*model) && rng() % 2 == 0)
            kind = 6;
        switch (kind) {
        case 0: { // move by whole grid steps in space, as the arrow keys do
            selectOne(*model, rng);
            pushUndo(*model);
            std::uniform_int_distribution<int> d(-2, 2);
            moveSelectionByGrid(*model, d(rng), d(rng), d(rng));
            rebuildBuiltFaces(*model);
            break;
        }
        case 1:
            selectOne(*model, rng);
            if (!model->selectedFaces.empty())
                scaleSelection(*model, std::uniform_real_distribution<double>(0.6, 1.5)(rng));
            rebuildBuiltFaces(*model);
            break;
        case 2: {
            pushUndo(*model);
            addUserFace(*model, designer.next(o).face);
            break;
        }
        case 3:
            selectOne(*model, rng);
            if (!model->selectedFaces.empty())
                deleteSelection(*model);
            break;
        case 4:
            selectOne(*model, rng);
            if (!model->selectedFaces.empty())
                reorderSelection(*model, static_cast<ReorderKind>(
                                             std::uniform_int_distribution<int>(0, 3)(rng)));
            break;
        case 5:
            undo(*model);
            break;
        case 6:
            if (canRedo(*model))
                ++result.redos;
            redo(*model);
            break;
        default:
            if (model->userFaces.size() > 2) {
                pushUndo(*model);
                addUserFace(*model, hairCopy(*model, rng));
                ++result.hairCopies;
            }
            break;
        }
        ++result.steps;
        if (auto diff = differenceFromFullRebuild(*model))
            result.mismatch =
                std::string(names[kind]) + " at step " + std::to_string(step) + ": " + *diff;
    }
    result.hits = model->rebuildMemo->hits();
    result.misses = model->rebuildMemo->misses();
    result.resumed = model->rebuildMemo->facesResumed();
    installCoreState(nullptr);
    return result;
}

class IncrementalRebuild : public ::testing::TestWithParam<unsigned> {};

TEST_P(IncrementalRebuild, EveryStepMatchesARebuildFromNothing) {
    const SequenceResult r = runSequence(GetParam(), 24, 30, RebuildMemo::Fault::None);
    EXPECT_FALSE(r.mismatch) << *r.mismatch;
    EXPECT_EQ(r.steps, 30);
    EXPECT_GT(r.hairCopies, 0) << "no step exercised the clean-up of near coincidences";
    EXPECT_GT(r.redos, 0) << "no step redid an undo";
    // The reuse must really happen, or the comparison proves nothing about it: rebuilds start
    // from checkpoints for a good share of the faces, and most engine calls of the faces after
    // them find the earlier result.
    EXPECT_GT(r.resumed, 30u * 24u / 4u) << r.resumed << " faces resumed";
    EXPECT_GT(r.hits, r.misses) << r.hits << " hits, " << r.misses << " misses";
}

INSTANTIATE_TEST_SUITE_P(Seeds, IncrementalRebuild, ::testing::Range(1u, 7u));

// Planted faults the comparison must notice within a few edits on every design:
// - a clip's key without its second operand hands back the result of taking a different face
//   away;
// - a step's key without the faces the new face met does again what the face did to other
//   faces, or to the same faces before an edit reshaped them.
TEST(IncrementalRebuildFault, AMemoKeyedWithoutAnOperandIsCaught) {
    for (const auto fault :
         {RebuildMemo::Fault::IgnoreClipOperand, RebuildMemo::Fault::StepIgnoresMetFaces})
        for (unsigned seed : {1u, 2u, 3u}) {
            const SequenceResult r = runSequence(seed, 24, 30, fault);
            EXPECT_TRUE(r.mismatch) << "fault " << int(fault) << ", seed " << seed
                                    << ": the planted fault went unnoticed";
        }
}

// A checkpoint that shares the copy of a face taken before a later face cut into it holds the
// face's old outline: a rebuild resuming from it starts with paper that is no longer there.
TEST(IncrementalRebuildFault, ACheckpointHoldingAStaleCopyIsCaught) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const SequenceResult r =
            runSequence(seed, 24, 30, RebuildMemo::Fault::CheckpointKeepsOldCopies);
        EXPECT_TRUE(r.mismatch) << "seed " << seed << ": the planted fault went unnoticed";
    }
}

// The derivation without shortcuts merges whole planes, freeing faces behind the builder's
// notes (boxes, prints, checkpoint copies, all found by a face's address). Reusing earlier
// results there must still match the same derivation from nothing after every edit, whatever
// new faces the heap hands out at freed addresses.
TEST(IncrementalRebuildFull, WithoutShortcutsEveryStepMatchesARebuildFromNothing) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CoreState state;
        installCoreState(&state);
        auto model = makeNewCard(100, 80);
        testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
        testing::RandomDesignOptions o;
        o.faceCount = 16;
        o.glyphPoints = 40;
        o.cutOutShare = 0.0;
        o.gridOnly = seed % 2 == 0;
        state.editMode = int(EditMode::FaceOperation);
        for (testing::RandomFace& rf : designer.faces(o))
            addUserFace(*model, std::move(rf.face));
        RebuildOptions reuse;
        reuse.skipDisjointBoxes = false;
        RebuildOptions fromNothing = reuse;
        fromNothing.reuseEarlierResults = false;
        model->rebuildMemo = std::make_shared<RebuildMemo>();
        model->rebuildMemo->setCheckpointSpacing(2);
        std::mt19937 rng(seed);
        for (int step = 0; step < 12; ++step) {
            std::uniform_int_distribution<std::size_t> pick(2, model->userFaces.size() - 1);
            Face& f = *model->userFaces[pick(rng)];
            const double dx = std::uniform_real_distribution<double>(-8.0, 8.0)(rng);
            for (auto& loop : f.polygon.loops)
                for (Point2& p : loop->points)
                    p.x += dx;
            f.triangulate();
            rebuildBuiltFaces(*model, reuse);
            CardModel fresh;
            fresh.cardWidth = model->cardWidth;
            fresh.cardHeight = model->cardHeight;
            fresh.userFaces = copyFaces(model->userFaces);
            rebuildBuiltFaces(fresh, fromNothing);
            ASSERT_TRUE(sameFaces(fresh.builtFaces, model->builtFaces)) << "step " << step;
        }
        EXPECT_GT(model->rebuildMemo->facesResumed(), 0u);
        installCoreState(nullptr);
    }
}

class IncrementalRebuildSteps : public EditingTest {};

// A face cut in two by one on a plane a hair off its own (nearer than faces count as one plane
// when one covers the other, further than the clean-up snaps) stays in two pieces until the next
// face of its own plane takes them in, wherever that face lies. Once the cut is made, that face's
// step must not be done again as it was before the cut, when it met the same faces: the cutter
// moves within the paper of a face behind both, so the sheet around the last face is unchanged.
TEST_F(IncrementalRebuildSteps, APieceLeftByANearPlaneCutJoinsTheNextFaceOfItsPlane) {
    setFaceOperation(true);
    addRect(FacePlane::Vertical, 40, -45, 2, 8, 38);
    addRect(FacePlane::Vertical, 20, -40, 10, -10, 30);
    Face* cutter = addRect(FacePlane::Vertical, 20 + 5e-6, 0, 5, 4, 35);
    addRect(FacePlane::Vertical, 20, 20, 10, 30, 20);
    setFaceOperation(false);
    ASSERT_EQ(model->userFaces.size(), 6u);
    rebuildBuiltFaces(*model);
    for (auto& loop : cutter->polygon.loops)
        for (Point2& p : loop->points)
            p.x -= 27;
    cutter->triangulate();
    rebuildBuiltFaces(*model);
    const auto diff = differenceFromFullRebuild(*model);
    EXPECT_FALSE(diff) << *diff;
}

} // namespace

} // namespace plicato::test
