// Geometry within a hair of touching: planes a few microns apart, vertices a few microns from a
// fold, faces moved, jittered or copied by less than a micron. Named cases with their expected
// lines, and seeded properties over random designs comparing each with its well-separated or
// unperturbed twin.
#include "model/core_state.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/support/pattern_compare.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace plicato {
namespace {

using testing::describe;

std::unique_ptr<Loop> loopOf(std::initializer_list<Point2> points, bool hole = false) {
    auto loop = std::make_unique<Loop>();
    loop->points = points;
    loop->isHole = hole;
    return loop;
}

// A face on the sheet rectangle [x1, x2] x [y1, y2], clockwise.
std::unique_ptr<Face> rectFace(FacePlane plane, double offset, double x1, double y1, double x2,
                               double y2) {
    auto face = std::make_unique<Face>(plane, offset);
    face->polygon.addLoop(loopOf({{x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}}));
    return face;
}

// Adds faces without a rebuild each; `finish` rebuilds once, as the face-operation mode does.
class Design {
public:
    explicit Design(int halfWidth = 40, int height = 40) : model(makeNewCard(halfWidth, height)) {
        state.editMode = int(EditMode::FaceOperation);
        installCoreState(&state);
    }
    ~Design() { installCoreState(nullptr); }
    Design(const Design&) = delete;
    Design& operator=(const Design&) = delete;

    void add(std::unique_ptr<Face> face) { addUserFace(*model, std::move(face)); }
    void addRandom(unsigned seed, int count) {
        testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
        testing::RandomDesignOptions o;
        o.faceCount = count;
        o.glyphPoints = 24;
        o.textShare = 0.15;
        o.cutOutShare = 0.0;
        o.gridOnly = seed % 2 == 0;
        for (testing::RandomFace& rf : designer.faces(o))
            add(std::move(rf.face));
    }
    PatternLineList lines() {
        rebuildBuiltFaces(*model);
        buildPattern(*model);
        PatternLineList list;
        collectPatternLines(*model, list);
        return list;
    }

    std::unique_ptr<CardModel> model;
    CoreState state;
};

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

// The same set of lines, ends within 1e-9 mm, either direction.
void expectLines(const PatternLineList& actual, const std::vector<PatternLine>& expected) {
    const auto same = [](const PatternLine& a, const PatternLine& b) {
        const auto near = [](double u, double v) { return std::fabs(u - v) < 1e-9; };
        return a.kind == b.kind &&
               ((near(a.x1, b.x1) && near(a.y1, b.y1) && near(a.x2, b.x2) && near(a.y2, b.y2)) ||
                (near(a.x1, b.x2) && near(a.y1, b.y2) && near(a.x2, b.x1) && near(a.y2, b.y1)));
    };
    for (const PatternLine& e : expected)
        EXPECT_TRUE(std::any_of(actual.begin(), actual.end(),
                                [&](const PatternLine& a) { return same(a, e); }))
            << "missing " << describe(e);
    for (const PatternLine& a : actual)
        EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                                [&](const PatternLine& e) { return same(a, e); }))
            << "unexpected " << describe(a);
}

// A box front at depth 20 from the floor to height 30 (sheet y -20 .. 10) and its lid at height
// 30 back to the upright half (sheet y 10 .. 30), x from -20 to 20, on an 80 x 80 card: the
// lines every box case below shares.
std::vector<PatternLine> boxLines() {
    return {
        line(-40, -40, 40, -40, LineKind::Cut),    line(-40, 40, 40, 40, LineKind::Cut),
        line(-40, -40, -40, 40, LineKind::Cut),    line(40, -40, 40, 40, LineKind::Cut),
        line(-40, 0, -20, 0, LineKind::Valley),    line(20, 0, 40, 0, LineKind::Valley),
        line(-20, -20, 20, -20, LineKind::Valley), line(-20, 30, 20, 30, LineKind::Valley),
        line(-20, -20, -20, 30, LineKind::Cut),    line(20, -20, 20, 30, LineKind::Cut),
        line(-20, 10, 20, 10, LineKind::Mountain),
    };
}

// A step down of four microns: a front at depth 20 above a ledge four microns deep, and a
// second front at depth 20.004 below it. The ledge meets the upper front in a valley and the
// lower one in a mountain, as it does when the fronts stand 1 mm apart; the first link within
// the tolerance joined all three faces in one link and drew a single mountain fold.
TEST(NearCoincidence, TwoFrontsFourMicronsApartFoldAsTheyDoOneMillimetreApart) {
    for (double gap : {0.004, 1.0}) {
        SCOPED_TRACE(gap);
        Design d;
        d.add(rectFace(FacePlane::Vertical, 20, -20, 10, 20, 30));
        d.add(rectFace(FacePlane::Horizontal, 30, -20, 10 - gap, 20, 10));
        d.add(rectFace(FacePlane::Vertical, 20 + gap, -20, -20 - gap, 20, 10 - gap));
        expectLines(d.lines(), {
                                   line(-40, -40, 40, -40, LineKind::Cut),
                                   line(-40, 40, 40, 40, LineKind::Cut),
                                   line(-40, -40, -40, 40, LineKind::Cut),
                                   line(40, -40, 40, 40, LineKind::Cut),
                                   line(-40, 0, -20, 0, LineKind::Valley),
                                   line(20, 0, 40, 0, LineKind::Valley),
                                   line(-20, -20 - gap, 20, -20 - gap, LineKind::Valley),
                                   line(-20, -20 - gap, -20, 30, LineKind::Cut),
                                   line(20, -20 - gap, 20, 30, LineKind::Cut),
                                   line(-20, 30, 20, 30, LineKind::Cut),
                                   line(-20, 10, 20, 10, LineKind::Valley),
                                   line(-20, 10 - gap, 20, 10 - gap, LineKind::Mountain),
                               });
    }
}

// A window in the box front whose apex lies five microns below the fold with the lid. The apex
// split the lid's edge but not the front's own, the pieces no longer matched and the whole fold
// became two cuts.
TEST(NearCoincidence, WindowApexFiveMicronsBelowTheFoldKeepsTheFold) {
    Design d;
    auto front = rectFace(FacePlane::Vertical, 20, -20, -20, 20, 10);
    front->polygon.addLoop(loopOf({{-5, 1}, {0, 9.995}, {5, 1}}, true));
    d.add(std::move(front));
    d.add(rectFace(FacePlane::Horizontal, 30, -20, 10, 20, 30));
    std::vector<PatternLine> expected = boxLines();
    expected.push_back(line(-5, 1, 0, 9.995, LineKind::Cut));
    expected.push_back(line(0, 9.995, 5, 1, LineKind::Cut));
    expected.push_back(line(-5, 1, 5, 1, LineKind::Cut));
    expectLines(d.lines(), expected);
}

// The box lid copied a nanometre higher up and a nanometre back: the lid at height 30 kept a
// sliver of 4e-8 mm2 along its front edge, a second face on the fold line that left a line over
// the fold (a mountain before folds paired, a cut over the fold after).
TEST(NearCoincidence, LidCopiedANanometreOffLeavesNoSliver) {
    Design d;
    d.add(rectFace(FacePlane::Vertical, 20, -20, -20, 20, 10));
    d.add(rectFace(FacePlane::Horizontal, 30, -20, 10, 20, 30));
    d.add(rectFace(FacePlane::Horizontal, 30 + 1e-9, -20, 10 + 1e-9, 20, 30 + 1e-9));
    expectLines(d.lines(), boxLines());
    for (const auto& face : d.model->builtFaces) {
        double area = 0.0;
        for (const Triangle& t : face->triangles) {
            const Point2 &a = t.corners[0], &b = t.corners[1], &c = t.corners[2];
            area += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
        }
        EXPECT_GT(area, 1.0) << "a sliver on plane " << face->offset;
    }
}

// A tread whose front edge lies at 38.4 - 67.4 = -29.000000000000007 instead of -29, and a
// riser drawn later over the middle of it from y = -29: the tread kept a strip of zero width
// under the riser, whose edge drew a cut over the riser's valley fold with the floor.
TEST(NearCoincidence, TreadEdgeSevenFemtometresOffKeepsNoZeroWidthStrip) {
    const double front = 38.4 - 67.4;
    ASSERT_NE(front, -29.0);
    Design d;
    d.add(rectFace(FacePlane::Horizontal, 10, -20, front, 20, 10));
    d.add(rectFace(FacePlane::Vertical, 29, -10, -29, 10, -19));
    expectLines(d.lines(), {
                               line(-40, -40, 40, -40, LineKind::Cut),
                               line(-40, 40, 40, 40, LineKind::Cut),
                               line(-40, -40, -40, 40, LineKind::Cut),
                               line(40, -40, 40, 40, LineKind::Cut),
                               line(-40, 0, -20, 0, LineKind::Valley),
                               line(20, 0, 40, 0, LineKind::Valley),
                               line(-20, 10, 20, 10, LineKind::Valley),
                               line(-20, -29, -20, 10, LineKind::Cut),
                               line(20, -29, 20, 10, LineKind::Cut),
                               line(-20, -29, -10, -29, LineKind::Cut),
                               line(10, -29, 20, -29, LineKind::Cut),
                               line(-10, -29, 10, -29, LineKind::Valley),
                               line(-10, -29, -10, -19, LineKind::Cut),
                               line(10, -29, 10, -19, LineKind::Cut),
                               line(-10, -19, 10, -19, LineKind::Mountain),
                           });
}

// The lines of a pattern whose midpoints lie strictly inside a sheet rectangle, by y.
std::vector<PatternLine> linesInside(const PatternLineList& lines, double x1, double y1, double x2,
                                     double y2) {
    std::vector<PatternLine> out;
    for (const PatternLine& l : lines) {
        const double mx = (l.x1 + l.x2) / 2, my = (l.y1 + l.y2) / 2;
        if (mx > x1 + 1e-6 && mx < x2 - 1e-6 && my > y1 + 1e-6 && my < y2 - 1e-6)
            out.push_back(l);
    }
    std::sort(out.begin(), out.end(),
              [](const PatternLine& a, const PatternLine& b) { return a.y1 < b.y1; });
    return out;
}

// Over a random design, a step of two parallel planes `gap` apart joined by a ledge of the
// other kind: the fronts of a step down (vertical planes) or the treads of one (horizontal).
// Returns the lines inside the step's sheet rectangle.
struct Step {
    bool verticalPlanes;
    double x1, x2, offset, foldAt, upper, lower; // offset: depth or height of the upper plane
};

std::vector<PatternLine> stepLines(unsigned seed, const Step& s, double gap) {
    Design d(60, 60);
    d.addRandom(seed, 4);
    const double y0 = s.foldAt;
    if (s.verticalPlanes) {
        const double z0 = y0 + s.offset; // the ledge's height
        d.add(rectFace(FacePlane::Vertical, s.offset, s.x1, y0, s.x2, y0 + s.upper));
        d.add(rectFace(FacePlane::Horizontal, z0, s.x1, y0 - gap, s.x2, y0));
        d.add(rectFace(FacePlane::Vertical, s.offset + gap, s.x1, y0 - s.lower, s.x2, y0 - gap));
    } else {
        const double depth = s.offset - y0; // the ledge's depth
        d.add(rectFace(FacePlane::Horizontal, s.offset, s.x1, y0, s.x2, y0 + s.upper));
        d.add(rectFace(FacePlane::Vertical, depth, s.x1, y0 - gap, s.x2, y0));
        d.add(rectFace(FacePlane::Horizontal, s.offset - gap, s.x1, y0 - s.lower, s.x2, y0 - gap));
    }
    return linesInside(d.lines(), s.x1, y0 - s.lower, s.x2, y0 + s.upper);
}

TEST(NearCoincidenceProperty, PlanesMicronsApartFoldAsTheyDoOneMillimetreApart) {
    std::mt19937 rng(1907);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto in = [&](double a, double b) { return a + (b - a) * u(rng); };
    int cases = 0;
    for (unsigned seed = 1; seed <= 700; ++seed) {
        Step s{};
        s.verticalPlanes = seed % 2 == 1;
        s.x1 = in(-55, 20);
        s.x2 = s.x1 + in(8, 35);
        s.upper = in(4, 12);
        s.lower = in(4, 12);
        if (s.verticalPlanes) {
            s.offset = in(5, 30);   // depth of the upper front
            s.foldAt = in(-10, 30); // sheet y of the ledge's back edge
        } else {
            s.offset = in(20, 45); // height of the upper tread
            s.foldAt = s.offset - in(15, 30);
        }
        const double gap = in(0.001, 0.005);
        const std::vector<PatternLine> near = stepLines(seed, s, gap);
        const std::vector<PatternLine> apart = stepLines(seed, s, 1.0);
        ++cases;
        // Upper plane and ledge, then ledge and lower plane: the vertical one of each pair lies
        // above the line for a valley.
        const LineKind upperFold = s.verticalPlanes ? LineKind::Valley : LineKind::Mountain;
        const LineKind lowerFold = s.verticalPlanes ? LineKind::Mountain : LineKind::Valley;
        for (const auto* lines : {&near, &apart}) {
            const double g = lines == &near ? gap : 1.0;
            ASSERT_EQ(lines->size(), 2u) << "seed " << seed << " gap " << g;
            const PatternLine& lower = (*lines)[0];
            const PatternLine& upper = (*lines)[1];
            EXPECT_EQ(upper.kind, int(upperFold)) << "seed " << seed << " " << describe(upper);
            EXPECT_EQ(lower.kind, int(lowerFold)) << "seed " << seed << " " << describe(lower);
            EXPECT_NEAR(upper.y1, s.foldAt, 1e-9);
            EXPECT_NEAR(lower.y1, s.foldAt - g, 1e-9);
            EXPECT_NEAR(std::fabs(upper.x2 - upper.x1), s.x2 - s.x1, 1e-9);
            EXPECT_NEAR(std::fabs(lower.x2 - lower.x1), s.x2 - s.x1, 1e-9);
        }
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_EQ(cases, 700);
}

// A box over a random design with one vertex a few microns from its front-to-lid fold: the apex
// of a window in the front, of a window in the lid, or of a later face drawn on the front.
TEST(NearCoincidenceProperty, AVertexNearAFoldKeepsTheFold) {
    std::mt19937 rng(2207);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto in = [&](double a, double b) { return a + (b - a) * u(rng); };
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        Design d(60, 60);
        d.addRandom(seed, 4);
        const double x1 = in(-55, 10), x2 = x1 + in(15, 40);
        const double depth = in(10, 30), height = depth + in(5, 25);
        const double fold = height - depth; // sheet y of the front-to-lid fold
        const double near = in(0.0005, 0.009), apex = in(x1 + 2, x2 - 2);
        const double base = std::min(4.0, apex - x1 - 1);
        const int variant = int(seed % 3);
        auto front = rectFace(FacePlane::Vertical, depth, x1, -depth, x2, fold);
        auto lid = rectFace(FacePlane::Horizontal, height, x1, fold, x2, height);
        if (variant == 0)
            front->polygon.addLoop(
                loopOf({{apex - base, fold - 3}, {apex, fold - near}, {apex + 1, fold - 3}}, true));
        else if (variant == 1)
            lid->polygon.addLoop(
                loopOf({{apex - base, fold + 3}, {apex + 1, fold + 3}, {apex, fold + near}}, true));
        d.add(std::move(front));
        d.add(std::move(lid));
        if (variant == 2) { // a flap of the other kind cut from the front
            auto flap = std::make_unique<Face>(FacePlane::Horizontal, fold - 3 + depth);
            flap->polygon.addLoop(
                loopOf({{apex, fold - near}, {apex + 1, fold - 3}, {apex - base, fold - 3}}));
            d.add(std::move(flap));
        }
        const PatternLineList lines = d.lines();
        double mountain = 0.0, cutOnFold = 0.0;
        for (const PatternLine& l : lines) {
            if (std::fabs(l.y1 - fold) > 1e-9 || std::fabs(l.y2 - fold) > 1e-9)
                continue;
            const double len = std::fabs(l.x2 - l.x1);
            if (l.kind == int(LineKind::Mountain))
                mountain += len;
            else if (l.kind == int(LineKind::Cut))
                cutOnFold += len;
        }
        ASSERT_NEAR(mountain, x2 - x1, 1e-9)
            << "seed " << seed << " variant " << variant << " vertex " << near << " below";
        ASSERT_EQ(cutOnFold, 0.0) << "seed " << seed << " variant " << variant;
    }
}

// A random design and its twin with one face perturbed: moved by up to 1e-7 mm (on the sheet
// and off its plane), every coordinate jittered by 1e-14, or copied a nanometre off itself just
// after itself in the drawing order. The twin's pattern draws the same lines within 1e-3 mm.
enum class Perturbation { Move, Jitter, Copy };

void perturb(CardModel& model, std::size_t which, Perturbation how, std::mt19937& rng) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    Face& face = *model.userFaces[which];
    switch (how) {
    case Perturbation::Move: {
        const double dx = 1e-7 * unit(rng), dy = 1e-7 * unit(rng);
        face.offset += 1e-7 * unit(rng);
        for (auto& loop : face.polygon.loops)
            for (Point2& p : loop->points)
                p = {p.x + dx, p.y + dy};
        break;
    }
    case Perturbation::Jitter:
        for (auto& loop : face.polygon.loops)
            for (Point2& p : loop->points)
                p = {p.x + 1e-14 * unit(rng), p.y + 1e-14 * unit(rng)};
        break;
    case Perturbation::Copy: {
        auto copy = std::make_unique<Face>(face);
        const double step[] = {-1e-9, 0.0, 1e-9};
        const double dx = step[rng() % 3], dy = step[rng() % 3];
        copy->offset += step[rng() % 3];
        for (auto& loop : copy->polygon.loops)
            for (Point2& p : loop->points)
                p = {p.x + dx, p.y + dy};
        model.userFaces.insert(model.userFaces.begin() + std::ptrdiff_t(which) + 1,
                               std::move(copy));
        break;
    }
    }
}

TEST(NearCoincidenceProperty, FacesMovedJitteredOrCopiedByAHairKeepThePattern) {
    std::mt19937 rng(1919);
    int cases = 0;
    for (unsigned seed = 1; seed <= 1200; ++seed) {
        const auto how = Perturbation(seed % 3);
        Design original(50, 40), twin(50, 40);
        // Designs on the millimetre lattice meet edge to edge all the time; the rest rarely do.
        original.addRandom(seed, 6);
        twin.addRandom(seed, 6);
        const PatternLineList expected = original.lines();
        const std::size_t which = 2 + rng() % (twin.model->userFaces.size() - 2);
        perturb(*twin.model, which, how, rng);
        const std::string difference = testing::patternDifference(expected, twin.lines(), 1e-3);
        ASSERT_EQ(difference, "") << "seed " << seed << ", face " << which << ", perturbation "
                                  << int(how);
        ++cases;
    }
    EXPECT_EQ(cases, 1200);
}

} // namespace
} // namespace plicato
