// The links and lines of small designs whose pattern is known: the plain card, a box, an edge
// that is shared over part of its length, and the independence from the current opening angle.
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "tests/pattern/pattern_test_faces.h"

#include "model/core_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace plicato {
namespace {

using testing::addFace;
using testing::addRectFace;
using testing::addSheet;
using testing::Rect;

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

// Same line, either direction, ends within 1e-9 mm.
bool sameLine(const PatternLine& a, const PatternLine& b) {
    const auto near = [](double u, double v) { return std::fabs(u - v) < 1e-9; };
    if (a.kind != b.kind)
        return false;
    return (near(a.x1, b.x1) && near(a.y1, b.y1) && near(a.x2, b.x2) && near(a.y2, b.y2)) ||
           (near(a.x1, b.x2) && near(a.y1, b.y2) && near(a.x2, b.x1) && near(a.y2, b.y1));
}

// The lines as an unordered set, compared with an expected set.
void expectLines(const PatternLineList& actual, const std::vector<PatternLine>& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    for (const PatternLine& e : expected) {
        const bool found = std::any_of(actual.begin(), actual.end(),
                                       [&](const PatternLine& a) { return sameLine(a, e); });
        EXPECT_TRUE(found) << "missing line (" << e.x1 << ", " << e.y1 << ") - (" << e.x2 << ", "
                           << e.y2 << ") kind " << e.kind;
    }
}

class PatternBuilders : public ::testing::TestWithParam<bool> {
protected:
    void build(CardModel& model) {
        if (GetParam())
            buildPattern(model);
        else
            buildPatternLiteral(model);
    }
    PatternLineList lines(CardModel& model) {
        build(model);
        PatternLineList list;
        collectPatternLines(model, list);
        return list;
    }
};

TEST_P(PatternBuilders, NewCardHasItsOutlineCutAndOneValleyFold) {
    CardModel model;
    addSheet(model, 200, 80);
    build(model);
    ASSERT_EQ(model.links.size(), 7u);
    int folds = 0;
    for (const auto& link : model.links) {
        if (link->vFace && link->hFace) {
            ++folds;
            EXPECT_EQ(link->kind, FoldKind::Valley);
            EXPECT_EQ(flatten(link->p1).y, 0.0);
            EXPECT_EQ(std::fabs(link->p1.x - link->p2.x), 200.0);
        } else {
            EXPECT_EQ(link->kind, FoldKind::Cut);
        }
    }
    EXPECT_EQ(folds, 1);
    // Every edge of each base face is attached to that face.
    EXPECT_EQ(model.builtFaces[0]->links.size(), 4u);
    EXPECT_EQ(model.builtFaces[1]->links.size(), 4u);
    EXPECT_EQ(model.builtFaces[0]->links[3], model.builtFaces[1]->links[0]);

    PatternLineList list;
    collectPatternLines(model, list);
    expectLines(list, {
                          line(-100, -80, -100, 80, LineKind::Cut),
                          line(100, -80, 100, 80, LineKind::Cut),
                          line(-100, -80, 100, -80, LineKind::Cut),
                          line(-100, 80, 100, 80, LineKind::Cut),
                          line(-100, 0, 100, 0, LineKind::Valley),
                      });
}

TEST_P(PatternBuilders, BoxFoldsTwiceValleyOnceMountainAndIsCutAtItsSides) {
    const double w = 160, hh = 80, x1 = -30, x2 = 40, d = 25, h = 35;
    CardModel model;
    model.cardWidth = int(w);
    model.cardHeight = int(hh);
    // The sheet halves with the box's paper taken out, the front and the top of the box.
    addFace(model, FacePlane::Horizontal, 0,
            {{-80, 0}, {-80, -hh}, {80, -hh}, {80, 0}, {x2, 0}, {x2, -d}, {x1, -d}, {x1, 0}},
            {{-80, -hh, 80, -d}, {-80, -d, x1, 0}, {x2, -d, 80, 0}});
    addFace(model, FacePlane::Vertical, 0,
            {{-80, 0}, {x1, 0}, {x1, h}, {x2, h}, {x2, 0}, {80, 0}, {80, hh}, {-80, hh}},
            {{-80, 0, x1, hh}, {x1, h, x2, hh}, {x2, 0, 80, hh}});
    addRectFace(model, FacePlane::Vertical, d, {x1, -d, x2, h - d});
    addRectFace(model, FacePlane::Horizontal, h, {x1, h - d, x2, h});

    const PatternLineList list = lines(model);
    expectLines(list, {
                          line(-80, -hh, 80, -hh, LineKind::Cut),
                          line(-80, hh, 80, hh, LineKind::Cut),
                          line(-80, -hh, -80, hh, LineKind::Cut),
                          line(80, -hh, 80, hh, LineKind::Cut),
                          line(x1, -d, x1, h, LineKind::Cut),
                          line(x2, -d, x2, h, LineKind::Cut),
                          line(-80, 0, x1, 0, LineKind::Valley),
                          line(x2, 0, 80, 0, LineKind::Valley),
                          line(x1, h, x2, h, LineKind::Valley),
                          line(x1, h - d, x2, h - d, LineKind::Mountain),
                          line(x1, -d, x2, -d, LineKind::Valley),
                      });
    // Each fold joins exactly the two faces that meet there.
    for (const auto& link : model.links) {
        if (link->kind == FoldKind::Cut)
            continue;
        const double y = flatten(link->p1).y;
        if (std::fabs(y - (h - d)) < 1e-9) {
            EXPECT_EQ(link->vFace, model.builtFaces[2].get());
            EXPECT_EQ(link->hFace, model.builtFaces[3].get());
        }
    }
}

TEST_P(PatternBuilders, PartlySharedEdgeIsAFoldWhereSharedAndACutElsewhere) {
    CardModel model;
    addRectFace(model, FacePlane::Vertical, 0, {0, 0, 40, 10});
    addRectFace(model, FacePlane::Horizontal, 0, {20, -10, 60, 0});
    build(model);
    // The shared stretch is one link with both faces, the rest one link per face.
    std::vector<const FaceLink*> onFold;
    for (const auto& link : model.links)
        if (flatten(link->p1).y == 0.0 && flatten(link->p2).y == 0.0)
            onFold.push_back(link.get());
    ASSERT_EQ(onFold.size(), 3u);
    for (const FaceLink* link : onFold) {
        const double lo = std::min(link->p1.x, link->p2.x), hi = std::max(link->p1.x, link->p2.x);
        if (lo == 20 && hi == 40) {
            EXPECT_EQ(link->kind, FoldKind::Valley);
            EXPECT_TRUE(link->vFace && link->hFace);
        } else {
            EXPECT_EQ(link->kind, FoldKind::Cut);
            EXPECT_TRUE((lo == 0 && hi == 20) || (lo == 40 && hi == 60)) << lo << " " << hi;
        }
    }
    PatternLineList list;
    collectPatternLines(model, list);
    const int valleys = int(std::count_if(list.begin(), list.end(), [](const PatternLine& l) {
        return l.kind == int(LineKind::Valley);
    }));
    EXPECT_EQ(valleys, 1);
}

TEST_P(PatternBuilders, FoldWithItsVerticalFaceBelowIsAMountain) {
    // The top of a box and the front hanging down from its edge: the front lies on the
    // negative-y side of their common line on the sheet.
    CardModel model;
    addRectFace(model, FacePlane::Horizontal, 20, {0, 0, 30, 20}); // depth 0..20 at height 20
    addRectFace(model, FacePlane::Vertical, 20, {0, -20, 30, 0});  // height 0..20 at depth 20
    build(model);
    int mountains = 0;
    for (const auto& link : model.links)
        if (link->kind == FoldKind::Mountain) {
            ++mountains;
            EXPECT_NEAR(flatten(link->p1).y, 0.0, 1e-9);
        }
    EXPECT_EQ(mountains, 1);
}

TEST_P(PatternBuilders, ASegmentWithinTheToleranceOfTwoLinksJoinsTheEarlierOne) {
    CardModel model;
    Face& lower = addRectFace(model, FacePlane::Vertical, 0, {0, 0, 10, 10});
    Face& upper = addRectFace(model, FacePlane::Vertical, 0, {0, 10.015, 10, 20});
    Face& between = addRectFace(model, FacePlane::Horizontal, 10.0075, {0, 5.0075, 10, 10.0075});
    build(model);
    ASSERT_EQ(between.links.size(), 4u);
    const FaceLink* top = between.links[0];
    EXPECT_EQ(top->vFace, &lower);
    EXPECT_EQ(top, lower.links[0]);
    EXPECT_NE(top, upper.links[2]);
    EXPECT_EQ(upper.links[2]->hFace, nullptr);
}

// Of two links within the tolerance the nearer in space wins, whichever was made first.
TEST_P(PatternBuilders, ASegmentWithinTheToleranceOfTwoLinksJoinsTheNearerOne) {
    for (const double lid : {10.002, 10.006}) {
        SCOPED_TRACE(lid);
        CardModel model;
        Face& lower = addRectFace(model, FacePlane::Vertical, 0, {0, 0, 10, 10});
        Face& upper = addRectFace(model, FacePlane::Vertical, 0, {0, 10.008, 10, 20});
        Face& between = addRectFace(model, FacePlane::Horizontal, lid, {0, lid - 5, 10, lid});
        build(model);
        const FaceLink* top = between.links[0];
        const bool lowerIsNearer = lid - 10 < 10.008 - lid;
        EXPECT_EQ(top, lowerIsNearer ? lower.links[0] : upper.links[2]);
        EXPECT_EQ(top->vFace, lowerIsNearer ? &lower : &upper);
        // The fold takes its direction from the face it joins: the upper face lies above.
        EXPECT_EQ(top->kind, lowerIsNearer ? FoldKind::Mountain : FoldKind::Valley);
        EXPECT_EQ((lowerIsNearer ? upper.links[2] : lower.links[0])->hFace, nullptr);
    }
}

TEST_P(PatternBuilders, PatternIsTheRightAngleOneWhateverTheOpeningAngle) {
    CardModel model;
    addSheet(model, 100, 60);
    addRectFace(model, FacePlane::Vertical, 10, {-20, -10, 20, 20});
    CardModel reference;
    addSheet(reference, 100, 60);
    addRectFace(reference, FacePlane::Vertical, 10, {-20, -10, 20, 20});

    build(reference);
    CoreState state;
    state.openAngle = 30;
    installCoreState(&state);
    build(model);
    installCoreState(nullptr);
    ASSERT_EQ(model.links.size(), reference.links.size());
    for (std::size_t i = 0; i < model.links.size(); ++i) {
        EXPECT_EQ(model.links[i]->p1, reference.links[i]->p1);
        EXPECT_EQ(model.links[i]->p2, reference.links[i]->p2);
        EXPECT_EQ(model.links[i]->kind, reference.links[i]->kind);
    }
}

TEST_P(PatternBuilders, RebuildingReplacesTheLinksAndTheFaceLists) {
    CardModel model;
    addSheet(model, 100, 60);
    build(model);
    build(model);
    EXPECT_EQ(model.links.size(), 7u);
    EXPECT_EQ(model.builtFaces[0]->links.size(), 4u);
    model.builtFaces.clear();
    build(model);
    EXPECT_TRUE(model.links.empty());
    PatternLineList list;
    collectPatternLines(model, list);
    EXPECT_TRUE(list.empty());
}

TEST_P(PatternBuilders, HolesAreCutAllRound) {
    CardModel model;
    Face& face = addRectFace(model, FacePlane::Vertical, 0, {0, 0, 50, 50});
    auto hole = std::make_unique<Loop>();
    hole->isHole = true;
    for (Point2 p : {Point2{10, 10}, Point2{10, 20}, Point2{20, 20}, Point2{20, 10}})
        hole->addPoint(p);
    face.polygon.addLoop(std::move(hole));
    const PatternLineList list = lines(model);
    EXPECT_EQ(list.size(), 8u);
    for (const PatternLine& l : list)
        EXPECT_EQ(l.kind, int(LineKind::Cut));
    EXPECT_NEAR(patternLength(list, LineKind::Cut), 240.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(IndexedAndLiteral, PatternBuilders, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Indexed" : "Literal";
                         });

} // namespace
} // namespace plicato
