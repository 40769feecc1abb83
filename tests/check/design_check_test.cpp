// The design check on designs whose answers are derived by hand (box, stairs, window, door,
// bridge, floating face, designs too tall for their card), and on seeded random designs against
// independent computations of the frame, the fold chains and the closed card.
#include "check/design_check.h"

#include "model/core_state.h"
#include "pattern/pattern_builder.h"
#include "popup/built_faces.h"
#include "tests/check/check_designs.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plicato {
namespace {

using testing::addBox;
using testing::clickOutline;
using testing::frontLoop;
using testing::piecesWith;

std::size_t frameCount(const CheckResult& r) {
    return std::size_t(std::count_if(r.pieces.begin(), r.pieces.end(),
                                     [](const PieceCheck& p) { return p.frame; }));
}

// The one finding of a design, which must be of the given kind.
const Finding& onlyFinding(const CheckResult& r, FindingKind kind) {
    EXPECT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(int(r.findings.at(0).kind), int(kind));
    return r.findings.at(0);
}

TEST(DesignCheck, BoxHasNoFindingAndNoDoubt) {
    auto model = makeNewCard(80, 80);
    addBox(*model, -30, 30, 30, 40);
    const CheckResult r = buildAndCheckDesign(*model);
    EXPECT_EQ(r.pieces.size(), 4u);
    EXPECT_EQ(frameCount(r), 2u);
    EXPECT_TRUE(r.findings.empty());
    // Front and lid: 2 bodies, 3 hinges (floor, lid, upright half): 6 - 6 = 0 freedoms.
    EXPECT_TRUE(r.doubts.empty());
    for (const PieceCheck& p : r.pieces)
        EXPECT_EQ(leadingFinding(p), -1);
}

TEST(DesignCheck, StairsHaveNoFindingButSayTheChainMayMove) {
    auto model = makeNewCard(80, 80);
    for (int i = 0; i < 3; ++i) {
        const double depth = 15.0 * (3 - i), low = 15.0 * i, high = 15.0 * (i + 1);
        clickOutline(*model, FacePlane::Vertical, depth,
                     {{-40, low}, {40, low}, {40, high}, {-40, high}});
        clickOutline(*model, FacePlane::Horizontal, high,
                     {{-40, depth - 15}, {40, depth - 15}, {40, depth}, {-40, depth}});
    }
    const CheckResult r = buildAndCheckDesign(*model);
    EXPECT_TRUE(r.findings.empty());
    // Six pieces in a zig-zag from the floor to the upright half: 7 hinges, 18 - 14 = 4.
    ASSERT_EQ(r.doubts.size(), 1u);
    EXPECT_EQ(int(r.doubts[0].kind), int(DoubtKind::Linkage));
    EXPECT_EQ(r.doubts[0].pieces.size(), 6u);
    EXPECT_EQ(r.doubts[0].value, 4.0);
}

TEST(DesignCheck, WindowCutOutOfTheUprightHalfFallsOut) {
    // A box front (depth 30, 40 high) with a window at heights 32 to 38: on the sheet y 2 to 8,
    // paper of the upright half cut free on all four sides.
    auto model = makeNewCard(80, 80);
    auto front = std::make_unique<Face>(FacePlane::Vertical, 30);
    front->polygon.addLoop(frontLoop(30, {{-30, 40}, {30, 40}, {30, 0}, {-30, 0}}, false));
    front->polygon.addLoop(frontLoop(30, {{-10, 38}, {10, 38}, {10, 32}, {-10, 32}}, true));
    ASSERT_TRUE(addUserFace(*model, std::move(front)));
    clickOutline(*model, FacePlane::Horizontal, 40, {{-30, 0}, {30, 0}, {30, 30}, {-30, 30}});
    const CheckResult r = buildAndCheckDesign(*model);
    const PieceCheck& window = r.pieces.at(onlyFinding(r, FindingKind::FallsOut).piece);
    EXPECT_EQ(window.face->plane, FacePlane::Vertical);
    EXPECT_EQ(window.face->offset, 0.0);
    EXPECT_NEAR(window.area, 120.0, 1e-9);
    EXPECT_NEAR(window.boxMin.x, -10, 1e-9);
    EXPECT_NEAR(window.boxMin.y, 2, 1e-9);
    EXPECT_NEAR(window.boxMax.x, 10, 1e-9);
    EXPECT_NEAR(window.boxMax.y, 8, 1e-9);
    EXPECT_EQ(leadingFinding(window), int(FindingKind::FallsOut));
    EXPECT_TRUE(r.doubts.empty());
}

TEST(DesignCheck, DoorCutOnThreeSidesIsOneFlap) {
    // The cut-out turns into a horizontal face at height 10 hinged on its sill.
    auto model = makeNewCard(80, 80);
    addBox(*model, -30, 30, 30, 40);
    clickOutline(*model, FacePlane::Vertical, 30, {{-10, 10}, {10, 10}, {10, 25}, {-10, 25}},
                 EditMode::CutOut);
    const CheckResult r = buildAndCheckDesign(*model);
    const PieceCheck& door = r.pieces.at(onlyFinding(r, FindingKind::Flap).piece);
    EXPECT_EQ(door.face->plane, FacePlane::Horizontal);
    EXPECT_EQ(door.face->offset, 10.0);
    EXPECT_NEAR(door.area, 300.0, 1e-9);
    EXPECT_EQ(door.foldLines, 1);
    EXPECT_NEAR(door.foldLength, 20.0, 1e-9);
    EXPECT_TRUE(r.doubts.empty());
}

TEST(DesignCheck, BridgeNarrowerThanTheMinimumIsTooThin) {
    // The front of a box is two panels joined by a bridge 0.3 wide, 4 long.
    const auto build = [] {
        auto model = makeNewCard(80, 80);
        clickOutline(*model, FacePlane::Vertical, 30,
                     {{-30, 0},
                      {30, 0},
                      {30, 18},
                      {0.15, 18},
                      {0.15, 22},
                      {30, 22},
                      {30, 40},
                      {-30, 40},
                      {-30, 22},
                      {-0.15, 22},
                      {-0.15, 18},
                      {-30, 18}});
        clickOutline(*model, FacePlane::Horizontal, 40, {{-30, 0}, {30, 0}, {30, 30}, {-30, 30}});
        return model;
    };
    struct Row {
        double minWidth;
        bool tooThin;
    };
    for (const Row& row : {Row{0.5, true}, Row{0.31, true}, Row{0.3, false}, Row{0.1, false}}) {
        SCOPED_TRACE(row.minWidth);
        auto model = build();
        const CheckResult r = buildAndCheckDesign(*model, {row.minWidth});
        if (!row.tooThin) {
            EXPECT_TRUE(r.findings.empty());
            continue;
        }
        const Finding& f = onlyFinding(r, FindingKind::TooThin);
        EXPECT_NEAR(f.amount, 0.3, 1e-9);
        const PieceCheck& front = r.pieces.at(f.piece);
        EXPECT_EQ(front.face->plane, FacePlane::Vertical);
        EXPECT_EQ(front.face->offset, 30.0);
        // Across the bridge, between heights 18 and 22 (sheet y -12 to -8).
        EXPECT_NEAR(std::fabs(front.narrowFrom.x - front.narrowTo.x), 0.3, 1e-9);
        EXPECT_GE(front.narrowFrom.y, -12 - 1e-9);
        EXPECT_LE(front.narrowFrom.y, -8 + 1e-9);
    }
}

TEST(DesignCheck, FaceFloatingOnAPlaneFallsOutAndIsNotCheckedFurther) {
    // A face at depth 20 from height 50 to 70 touches no face of the other plane kind. Closed
    // it would reach 90 on an 80 half, but paper that drops out is never in the closed card.
    auto model = makeNewCard(80, 80);
    clickOutline(*model, FacePlane::Vertical, 20, {{-10, 50}, {10, 50}, {10, 70}, {-10, 70}});
    const CheckResult r = buildAndCheckDesign(*model);
    const PieceCheck& floating = r.pieces.at(onlyFinding(r, FindingKind::FallsOut).piece);
    EXPECT_EQ(floating.face->offset, 20.0);
    EXPECT_EQ(floating.foldLines, 0);
    EXPECT_EQ(floating.sticksOutBy, 0.0);
}

TEST(DesignCheck, BoxesTallerThanTheCardStickOutByDepthPlusHeightOverTheHalf) {
    struct Row {
        int half;
        double depth, height, expected;
    };
    // A box's front top edge and lid front edge are both at depth + height when closed.
    for (const Row& row :
         {Row{80, 30, 40, 0}, Row{80, 40, 40, 0}, Row{70, 25, 50, 5}, Row{80, 14, 70, 4},
          Row{80, 50, 45, 15}, Row{60, 10, 49.5, 0}, Row{60, 10, 50.5, 0.5}}) {
        SCOPED_TRACE(std::to_string(row.depth) + " + " + std::to_string(row.height));
        auto model = makeNewCard(80, row.half);
        addBox(*model, -20, 20, row.depth, row.height);
        const CheckResult r = buildAndCheckDesign(*model);
        const std::vector<std::size_t> out = piecesWith(r, FindingKind::SticksOut);
        if (row.expected == 0) {
            EXPECT_TRUE(r.findings.empty());
            continue;
        }
        ASSERT_EQ(out.size(), 2u);
        ASSERT_EQ(r.findings.size(), 2u);
        for (const Finding& f : r.findings)
            EXPECT_NEAR(f.amount, row.expected, 1e-9);
    }
}

TEST(DesignCheck, HouseWithItsGableAboveTheHalfSticksOutByEleven) {
    // The front at depth 35, 40 high, with a gable peak 16 above: 35 + 56 = 91 on an 80 half.
    auto model = makeNewCard(80, 80);
    clickOutline(*model, FacePlane::Horizontal, 40, {{-35, 0}, {35, 0}, {35, 35}, {-35, 35}});
    clickOutline(*model, FacePlane::Vertical, 35,
                 {{-35, 0}, {35, 0}, {35, 40}, {22, 40}, {0, 56}, {-22, 40}, {-35, 40}});
    clickOutline(*model, FacePlane::Vertical, 35, {{-27, 18}, {-15, 18}, {-15, 30}, {-27, 30}},
                 EditMode::CutOut);
    const CheckResult r = buildAndCheckDesign(*model);
    const std::vector<std::size_t> out = piecesWith(r, FindingKind::SticksOut);
    ASSERT_EQ(out.size(), 1u);
    const PieceCheck& front = r.pieces[out[0]];
    EXPECT_NEAR(front.sticksOutBy, 11.0, 1e-9);
    EXPECT_NEAR(front.farthest.x, 0.0, 1e-9); // the gable's peak
    EXPECT_EQ(piecesWith(r, FindingKind::Flap).size(), 1u);
    // The flap's freedom is its own finding, not a doubt about the front and the roof.
    EXPECT_TRUE(r.doubts.empty());
}

TEST(DesignCheck, FlapDrawnBeyondTheClosedCardIsADoubtNotAFinding) {
    // A lid flap cut out of a box lid near its front: it hangs down from the lid, and where it
    // lies when closed depends on how it swings.
    auto model = makeNewCard(80, 50);
    addBox(*model, -20, 20, 20, 25);
    // Cut-out on the lid's plane (height 25) from depth 10 to 18: it becomes a vertical face at
    // depth 10 hanging from the lid: closed reach 10 + (25 - 8) = 27 < 50, inside.
    clickOutline(*model, FacePlane::Horizontal, 25, {{-5, 10}, {5, 10}, {5, 18}, {-5, 18}},
                 EditMode::CutOut);
    CheckResult r = buildAndCheckDesign(*model);
    ASSERT_EQ(piecesWith(r, FindingKind::Flap).size(), 1u);
    EXPECT_TRUE(r.doubts.empty());
    // The same flap on a card only 20 high reaches beyond it.
    auto tall = makeNewCard(80, 20);
    addBox(*tall, -20, 20, 5, 12);
    clickOutline(*tall, FacePlane::Vertical, 5, {{-3, 1}, {3, 1}, {3, 10}, {-3, 10}},
                 EditMode::CutOut);
    clickOutline(*tall, FacePlane::Vertical, 0, {{-3, 14}, {3, 14}, {3, 19}, {-3, 19}},
                 EditMode::CutOut);
    r = buildAndCheckDesign(*tall);
    EXPECT_TRUE(piecesWith(r, FindingKind::SticksOut).empty());
    EXPECT_EQ(piecesWith(r, FindingKind::Flap).size(), 2u);
}

TEST(DesignCheck, EmptyModelAndCardWithoutPieces) {
    CardModel empty;
    const CheckResult r = buildAndCheckDesign(empty);
    EXPECT_TRUE(r.pieces.empty());
    EXPECT_TRUE(r.findings.empty());
    auto card = makeNewCard(80, 80);
    const CheckResult plain = buildAndCheckDesign(*card);
    EXPECT_EQ(frameCount(plain), 2u);
    EXPECT_TRUE(plain.findings.empty());
    EXPECT_TRUE(plain.doubts.empty());
}

// Union-find over the model's fold links, independent of the faces' own link lists.
std::vector<std::size_t> foldComponents(const CardModel& model) {
    std::vector<std::size_t> parent(model.builtFaces.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](std::size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    const auto index = [&model](const Face* f) {
        for (std::size_t i = 0; i < model.builtFaces.size(); ++i)
            if (model.builtFaces[i].get() == f)
                return i;
        return model.builtFaces.size();
    };
    for (const auto& link : model.links)
        if (link->vFace && link->hFace && std::fabs(link->p1.x - link->p2.x) > 1e-6)
            parent[root(index(link->vFace))] = root(index(link->hFace));
    for (std::size_t i = 0; i < parent.size(); ++i)
        parent[i] = root(i);
    return parent;
}

// Inside or on a triangle of the fill, either orientation; slivers of no area hold nothing.
bool triangleHolds(const Face& face, const Point2& q) {
    for (const Triangle& t : face.triangles)
        if (std::fabs((t.corners[1].x - t.corners[0].x) * (t.corners[2].y - t.corners[0].y) -
                      (t.corners[1].y - t.corners[0].y) * (t.corners[2].x - t.corners[0].x)) >
                1e-12 &&
            (pointInTriangle(t.corners[0], t.corners[1], t.corners[2], q) ||
             pointInTriangle(t.corners[0], t.corners[2], t.corners[1], q)))
            return true;
    return false;
}

TEST(DesignCheck, RandomDesignsAgreeWithIndependentComputations) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        CoreState state;
        state.editMode = int(EditMode::FaceOperation);
        installCoreState(&state);
        auto model = makeNewCard(60, 50);
        testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
        testing::RandomDesignOptions o;
        o.faceCount = 25;
        o.gridOnly = seed % 2 == 0;
        for (testing::RandomFace& rf : designer.faces(o))
            addUserFace(*model, std::move(rf.face));
        installCoreState(nullptr);
        rebuildBuiltFaces(*model);
        const CheckResult r = buildAndCheckDesign(*model);
        ASSERT_EQ(r.pieces.size(), model->builtFaces.size());

        // The frame holds the corners, by the triangles rather than the outlines.
        const double w = model->cardWidth / 2.0 - 0.001, h = model->cardHeight - 0.001;
        const std::vector<std::size_t> comp = foldComponents(*model);
        std::vector<char> frameComponent(comp.size(), 0);
        for (std::size_t i = 0; i < r.pieces.size(); ++i) {
            const Face& face = *model->builtFaces[i];
            bool corner = false;
            for (const Point2& c : {Point2{-w, -h}, Point2{w, -h}, Point2{w, h}, Point2{-w, h}})
                corner = corner || triangleHolds(face, c);
            EXPECT_EQ(r.pieces[i].frame, corner) << i;
            if (r.pieces[i].frame)
                frameComponent[comp[i]] = 1;
        }
        int pieceFindings = 0;
        for (std::size_t i = 0; i < r.pieces.size(); ++i) {
            const PieceCheck& p = r.pieces[i];
            const Face& face = *model->builtFaces[i];
            if (p.frame) {
                EXPECT_EQ(leadingFinding(p), -1);
                continue;
            }
            EXPECT_EQ(p.fallsOut, !frameComponent[comp[i]]) << i;
            if (p.fallsOut)
                continue;
            // The closed card, by placing every vertex at angle 0.
            double beyond = 0.0;
            for (const auto& loop : face.polygon.loops)
                for (const Point2& v : loop->points) {
                    const Point3 closed = face.toSpace(v, 0);
                    EXPECT_NEAR(closed.z, 0.0, 1e-9);
                    beyond = std::max({beyond, closed.y - model->cardHeight, -closed.y});
                }
            if (p.flap || beyond <= 0.001)
                EXPECT_EQ(p.sticksOutBy, 0.0);
            else
                EXPECT_NEAR(p.sticksOutBy, beyond, 1e-9);
            if (std::isfinite(p.width)) {
                EXPECT_LT(p.width, 0.5);
                EXPECT_GT(p.width, 0.0);
            }
            pieceFindings += leadingFinding(p) >= 0;
        }
        // Findings come piece by piece, each piece's in kind order.
        EXPECT_TRUE(std::is_sorted(
            r.findings.begin(), r.findings.end(), [](const Finding& a, const Finding& b) {
                return a.piece < b.piece || (a.piece == b.piece && a.kind < b.kind);
            }));
        EXPECT_LE(pieceFindings, int(r.findings.size()));
    }
}

} // namespace
} // namespace plicato
