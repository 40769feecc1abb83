// The built faces after near coincidences: faces copied, moved and jittered by less than the
// snap tolerance still share out the sheet exactly, with no face thinner than the tolerance and
// no loop turning back on itself; and the clean-up on its own on faces made by hand.
#include "model/core_state.h"
#include "popup/built_face_cleanup.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "popup/rebuild_memo.h"
#include "tests/support/polygon_area.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <vector>

using namespace plicato;
using namespace plicato::testing;

namespace {

double perimeter(const Polygon& p) {
    double total = 0.0;
    for (const auto& loop : p.loops)
        for (std::size_t i = 0, n = loop->points.size(); i < n; ++i) {
            const Point2& a = loop->points[i];
            const Point2& b = loop->points[(i + 1) % n];
            total += std::hypot(b.x - a.x, b.y - a.y);
        }
    return total;
}

// Vertices where a loop runs back along the way it came: the tip of a zero-width spike.
int spikeTips(const Polygon& p) {
    int tips = 0;
    for (const auto& loop : p.loops)
        for (std::size_t i = 0, n = loop->points.size(); i < n; ++i) {
            const Point2& a = loop->points[(i + n - 1) % n];
            const Point2& b = loop->points[i];
            const Point2& c = loop->points[(i + 1) % n];
            const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
            const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
            if (lu == 0 || lv == 0)
                continue;
            const double sine = (ux * vy - uy * vx) / (lu * lv);
            const double width = std::fabs(sine) * std::min(lu, lv);
            if (ux * vx + uy * vy < 0 && width < builtFaceSnapTolerance)
                ++tips;
        }
    return tips;
}

// A copy of a face shifted on the sheet and off its plane by a hair.
std::unique_ptr<Face> nudged(const Face& f, double dx, double dy, double dOffset) {
    auto copy = std::make_unique<Face>(f.plane, f.offset + dOffset);
    copy->polygon = f.polygon;
    for (auto& loop : copy->polygon.loops)
        for (Point2& p : loop->points)
            p = {p.x + dx, p.y + dy};
    return copy;
}

TEST(BuiltFaceCleanup, NearCoincidencesLeaveAnExactPartitionWithoutSliversOrSpikes) {
    CoreState state;
    state.editMode = int(EditMode::FaceOperation);
    installCoreState(&state);
    std::mt19937 rng(1903);
    std::uniform_real_distribution<double> hair(-1e-7, 1e-7);
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto model = makeNewCard(50, 40);
        RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
        RandomDesignOptions o;
        o.faceCount = 8;
        o.glyphPoints = 24;
        o.gridOnly = seed % 2 == 0;
        for (RandomFace& rf : designer.faces(o)) {
            const Face& added = *rf.face;
            auto copy = nudged(added, hair(rng), hair(rng), rng() % 2 ? 0.0 : 1e-9);
            addUserFace(*model, std::move(rf.face));
            if (rng() % 2)
                addUserFace(*model, std::move(copy));
        }
        rebuildBuiltFaces(*model);

        const double sheet = double(model->cardWidth) * 2.0 * model->cardHeight;
        double total = 0.0;
        for (const auto& f : model->builtFaces) {
            const double area = polygonArea(f->polygon);
            total += area;
            EXPECT_EQ(outerLoops(f->polygon), 1);
            EXPECT_NEAR(trianglesArea(f->triangles), area, 1e-7 * std::max(1.0, area));
            // Mean width: no face is a sliver.
            EXPECT_GT(2 * area / perimeter(f->polygon), builtFaceSnapTolerance)
                << "plane " << int(f->plane) << " offset " << f->offset << " area " << area;
            EXPECT_EQ(spikeTips(f->polygon), 0);
        }
        EXPECT_NEAR(total, sheet, 1e-9 * sheet);
        for (std::size_t i = 0; i < model->builtFaces.size(); ++i)
            for (std::size_t j = i + 1; j < model->builtFaces.size(); ++j)
                EXPECT_NEAR(
                    overlapArea(model->builtFaces[i]->polygon, model->builtFaces[j]->polygon), 0.0,
                    1e-9 * sheet);
        // Cleaning again finds nothing left to snap.
        EXPECT_EQ(cleanBuiltFaces(*model), 0);
        if (::testing::Test::HasFailure())
            break;
    }
    installCoreState(nullptr);
}

std::unique_ptr<Face> rectFace(FacePlane plane, double offset, double x0, double y0, double x1,
                               double y1) {
    auto f = std::make_unique<Face>(plane, offset);
    f->polygon.addLoop(makeLoop(rectPoints(x0, y0, x1, y1)));
    f->triangulate();
    return f;
}

// Built faces made by hand: a lower face, a strip of the other kind (maybe), an upper face.
struct HandCase {
    const char* name;
    double stripWidth;  // 0: no strip, the faces touch
    double upperOffset; // the lower face is at offset 0
    std::size_t facesAfter;
    int changed;
};

TEST(BuiltFaceCleanup, HandMadeFacesSnapTogetherOrStayApart) {
    const HandCase cases[] = {
        // A sliver of the other kind between two faces closes and goes.
        {"sliver between", 5e-7, 5.0, 2, 2},
        // Wider than the tolerance: nothing moves.
        {"strip a micron and a half wide", 1.5e-6, 5.0, 3, 0},
        // Planes a hair apart become one, and the faces touching on it one face.
        {"same plane a hair apart", 0.0, 1e-9, 1, 1},
        {"touching", 0.0, 5.0, 2, 0},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.name);
        CardModel model;
        const double top = 10.0, bottom = top + c.stripWidth;
        model.builtFaces.push_back(rectFace(FacePlane::Vertical, 0, 0, 0, 20, top));
        if (c.stripWidth > 0)
            model.builtFaces.push_back(rectFace(FacePlane::Horizontal, 3, 0, top, 20, bottom));
        model.builtFaces.push_back(rectFace(FacePlane::Vertical, c.upperOffset, 0, bottom, 20, 20));
        EXPECT_EQ(cleanBuiltFaces(model), c.changed);
        ASSERT_EQ(model.builtFaces.size(), c.facesAfter);
        double after = 0.0;
        for (const auto& f : model.builtFaces) {
            after += polygonArea(f->polygon);
            EXPECT_NEAR(trianglesArea(f->triangles), polygonArea(f->polygon), 1e-9);
        }
        EXPECT_NEAR(after, 400.0, 1e-9 * 400);
    }
}

// Faces of several planes mixed in the list, each plane with a face a hair from another: every
// plane's union stands where the first of its faces stood, and the faces of other planes keep
// their places around it (the order of the pattern's lines follows the list).
TEST(BuiltFaceCleanup, EachPlanesUnionTakesThePlaceOfItsFirstFace) {
    struct Rect {
        FacePlane plane;
        double offset, x0, x1;
    };
    constexpr auto V = FacePlane::Vertical;
    constexpr auto H = FacePlane::Horizontal;
    constexpr double hair = 4e-7;
    struct Case {
        const char* name;
        std::vector<Rect> before; // all from y 0 to 10
        std::vector<Rect> after;
    };
    const Case cases[] = {
        {"two planes, each pair apart in the list",
         {{V, 0, 0, 10},
          {H, 5, 0, 10},
          {H, 3, 30, 40},
          {V, 0, 10 + hair, 20},
          {H, 3, 40 + hair, 50}},
         {{V, 0, 0, 20}, {H, 5, 0, 10}, {H, 3, 30, 50}}},
        {"the later plane's pair first in the list",
         {{H, 3, 30, 40},
          {V, 0, 0, 10},
          {H, 3, 40 + hair, 50},
          {V, 5, 60, 70},
          {V, 0, 10 + hair, 20}},
         {{H, 3, 30, 50}, {V, 0, 0, 20}, {V, 5, 60, 70}}},
        {"three faces of one plane, two of another between them",
         {{V, 0, 0, 10},
          {H, 3, 30, 40},
          {V, 0, 10 + hair, 20},
          {H, 3, 40 + hair, 50},
          {V, 0, 20 + hair, 25}},
         {{V, 0, 0, 25}, {H, 3, 30, 50}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CardModel model;
        for (const Rect& r : c.before)
            model.builtFaces.push_back(rectFace(r.plane, r.offset, r.x0, 0, r.x1, 10));
        cleanBuiltFaces(model);
        ASSERT_EQ(model.builtFaces.size(), c.after.size());
        for (std::size_t i = 0; i < c.after.size(); ++i) {
            const Face& f = *model.builtFaces[i];
            const Rect& r = c.after[i];
            EXPECT_EQ(f.plane, r.plane) << "face " << i;
            EXPECT_EQ(f.offset, r.offset) << "face " << i;
            EXPECT_NEAR(polygonArea(f.polygon), (r.x1 - r.x0) * 10, 1e-9) << "face " << i;
            double lo = 1e300, hi = -1e300;
            for (const auto& loop : f.polygon.loops)
                for (const Point2& q : loop->points) {
                    lo = std::min(lo, q.x);
                    hi = std::max(hi, q.x);
                }
            EXPECT_EQ(lo, r.x0) << "face " << i;
            EXPECT_EQ(hi, r.x1) << "face " << i;
        }
    }
}

// A deep copy of the built faces, into a model of their own.
std::unique_ptr<CardModel> withFacesOf(const CardModel& from) {
    auto model = std::make_unique<CardModel>();
    for (const auto& f : from.builtFaces)
        model->builtFaces.push_back(std::make_unique<Face>(*f));
    return model;
}

std::string differenceOf(const CardModel& a, const CardModel& b) {
    if (a.builtFaces.size() != b.builtFaces.size())
        return "face count " + std::to_string(a.builtFaces.size()) + " vs " +
               std::to_string(b.builtFaces.size());
    for (std::size_t i = 0; i < a.builtFaces.size(); ++i) {
        const Face& x = *a.builtFaces[i];
        const Face& y = *b.builtFaces[i];
        bool same = x.plane == y.plane && x.offset == y.offset &&
                    x.polygon.loops.size() == y.polygon.loops.size() && x.triangles == y.triangles;
        for (std::size_t l = 0; same && l < x.polygon.loops.size(); ++l)
            same = x.polygon.loops[l]->isHole == y.polygon.loops[l]->isHole &&
                   x.polygon.loops[l]->points == y.polygon.loops[l]->points;
        if (!same)
            return "face " + std::to_string(i);
    }
    return "";
}

// The built faces of a small random design, with every third vertex of every other face a
// hair off and some faces a hair off their plane.
std::unique_ptr<CardModel> hairyDesign(unsigned seed, std::mt19937& rng) {
    std::uniform_real_distribution<double> hair(-4e-7, 4e-7);
    auto design = makeNewCard(50, 40);
    RandomDesigner designer(seed, design->cardWidth, design->cardHeight);
    RandomDesignOptions o;
    o.faceCount = 10;
    o.glyphPoints = 24;
    o.gridOnly = seed % 3 != 0;
    for (RandomFace& rf : designer.faces(o))
        addUserFace(*design, std::move(rf.face));
    rebuildBuiltFaces(*design);
    for (const auto& f : design->builtFaces) {
        if (rng() % 2)
            continue;
        if (rng() % 4 == 0)
            f->offset += 1e-9;
        for (auto& loop : f->polygon.loops)
            for (std::size_t i = 0; i < loop->points.size(); i += 3)
                loop->points[i] = {loop->points[i].x + hair(rng), loop->points[i].y + hair(rng)};
    }
    return design;
}

// Built faces with some vertices moved by a hair: the clean-up answered by a memo (first empty,
// then holding the answers of a clean-up of the same faces, then of other faces) leaves exactly
// what the clean-up without it leaves, and nothing a hair apart.
TEST(BuiltFaceCleanup, AMemoChangesNothingInTheResult) {
    CoreState state;
    state.editMode = int(EditMode::FaceOperation);
    installCoreState(&state);
    std::mt19937 rng(77);
    RebuildMemo memo;
    int changedTotal = 0;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto design = hairyDesign(seed, rng);
        auto plain = withFacesOf(*design);
        const int changed = cleanBuiltFaces(*plain);
        changedTotal += changed;
        for (int round = 0; round < 2; ++round) {
            auto memoised = withFacesOf(*design);
            EXPECT_EQ(cleanBuiltFaces(*memoised, &memo), changed) << "round " << round;
            EXPECT_EQ(differenceOf(*plain, *memoised), "") << "round " << round;
        }
        EXPECT_EQ(cleanBuiltFaces(*plain), 0);
        memo.endRebuild();
    }
    EXPECT_GT(changedTotal, 30) << "the hairs gave the clean-up too little to do";
    EXPECT_GT(memo.hits(), 0u);
    installCoreState(nullptr);
}

// Faces handed over without their fills, with what is missing and how to make it: the result
// is the same, fills included, as from faces all filled, whether or not anything snaps (a face
// already clean, or a hairy one); a face the clean-up forms again is not filled twice.
TEST(BuiltFaceCleanup, FillsLeftToItComeOutAsIfMadeBefore) {
    CoreState state;
    state.editMode = int(EditMode::FaceOperation);
    installCoreState(&state);
    std::mt19937 rng(78);
    int lateTotal = 0, missingTotal = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto hairy = hairyDesign(seed, rng);
        auto clean = withFacesOf(*hairy);
        cleanBuiltFaces(*clean);
        for (const CardModel* design : {hairy.get(), clean.get()}) {
            auto filled = withFacesOf(*design);
            const int changed = cleanBuiltFaces(*filled);
            auto late = withFacesOf(*design);
            LateFills fills;
            for (const auto& f : late->builtFaces) {
                const bool drop = rng() % 2 == 0;
                fills.missing.push_back(drop ? 1 : 0);
                if (drop)
                    f->triangles.clear();
                missingTotal += drop ? 1 : 0;
            }
            std::atomic<int> made{0};
            fills.fill = [&](std::size_t i, Face& f) {
                EXPECT_TRUE(fills.missing[i]) << "face " << i;
                f.triangulate();
                ++made;
            };
            EXPECT_EQ(cleanBuiltFaces(*late, nullptr, &fills), changed);
            EXPECT_EQ(differenceOf(*filled, *late), "");
            lateTotal += made;
        }
    }
    EXPECT_LT(lateTotal, missingTotal) << "faces formed again were filled twice";
    EXPECT_GT(lateTotal, missingTotal / 2);
    installCoreState(nullptr);
}

} // namespace
