// The pattern of random designs built by the pop-up construction: the indexed builder agrees
// with the plain one, every fold joins exactly one vertical and one horizontal face, and the
// sheet's outline is cut all round.
#include "model/core_state.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace plicato {
namespace {

// Every other seed keeps all vertices on the millimetre lattice. Built once per seed: the tests
// only rebuild the links.
CardModel& randomDesign(unsigned seed) {
    static std::map<unsigned, std::unique_ptr<CardModel>> designs;
    std::unique_ptr<CardModel>& model = designs[seed];
    if (model)
        return *model;
    model = makeNewCard(60, 50);
    testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
    testing::RandomDesignOptions options;
    options.faceCount = 25;
    options.gridOnly = seed % 2 == 0;
    options.glyphPoints = 60;
    // As in the face-operation mode, plain faces wait for one rebuild at the end.
    CoreState state;
    state.editMode = int(EditMode::FaceOperation);
    installCoreState(&state);
    for (testing::RandomFace& rf : designer.faces(options)) {
        if (rf.cutOut)
            addCutOutFace(*model, std::move(rf.face));
        else
            addUserFace(*model, std::move(rf.face));
    }
    installCoreState(nullptr);
    rebuildBuiltFaces(*model);
    return *model;
}

// Faces of each kind with a boundary edge along the whole of the fold link, found from the
// outlines alone.
std::pair<int, int> facesAlong(const CardModel& model, const FaceLink& link) {
    const double lo = std::min(link.p1.x, link.p2.x), hi = std::max(link.p1.x, link.p2.x);
    int vertical = 0, horizontal = 0;
    for (const auto& face : model.builtFaces) {
        bool along = false;
        for (const auto& loop : face->polygon.loops) {
            const auto& pts = loop->points;
            for (std::size_t i = 0; i < pts.size() && !along; ++i) {
                const Point3 a = face->toSpace(pts[i], 90);
                const Point3 b = face->toSpace(pts[(i + 1) % pts.size()], 90);
                along = std::fabs(a.y - link.p1.y) < 0.01 && std::fabs(a.z - link.p1.z) < 0.01 &&
                        std::fabs(b.y - link.p1.y) < 0.01 && std::fabs(b.z - link.p1.z) < 0.01 &&
                        std::min(a.x, b.x) < lo + 0.01 && std::max(a.x, b.x) > hi - 0.01;
            }
        }
        if (along)
            ++(face->plane == FacePlane::Vertical ? vertical : horizontal);
    }
    return {vertical, horizontal};
}

// Length of [from, to] covered by the given intervals.
double covered(std::vector<std::pair<double, double>> spans, double from, double to) {
    std::sort(spans.begin(), spans.end());
    double reach = from, total = 0.0;
    for (auto [a, b] : spans) {
        a = std::max(a, reach);
        b = std::min(b, to);
        if (b > a) {
            total += b - a;
            reach = b;
        }
    }
    return total;
}

class RandomDesigns : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomDesigns, IndexedAndLiteralBuildersAgreeExactly) {
    CardModel* model = &randomDesign(GetParam());
    buildPatternLiteral(*model);
    std::vector<FaceLink> expected;
    for (const auto& link : model->links)
        expected.push_back(*link);
    std::vector<std::size_t> expectedCounts;
    for (const auto& face : model->builtFaces)
        expectedCounts.push_back(face->links.size());
    PatternLineList expectedLines;
    collectPatternLinesLiteral(*model, expectedLines);

    buildPattern(*model);
    ASSERT_EQ(model->links.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FaceLink& a = *model->links[i];
        EXPECT_TRUE(a.p1 == expected[i].p1 && a.p2 == expected[i].p2 &&
                    a.kind == expected[i].kind && a.vFace == expected[i].vFace &&
                    a.hFace == expected[i].hFace)
            << "link " << i;
    }
    for (std::size_t f = 0; f < model->builtFaces.size(); ++f)
        EXPECT_EQ(model->builtFaces[f]->links.size(), expectedCounts[f]);
    PatternLineList lines;
    collectPatternLines(*model, lines);
    EXPECT_EQ(lines, expectedLines);
}

TEST(RandomDesignFolds, EveryFoldJoinsOneVerticalAndOneHorizontalFace) {
    int folds = 0;
    for (unsigned seed = 1; seed <= 10; ++seed) {
        CardModel* model = &randomDesign(seed);
        buildPattern(*model);
        for (const auto& link : model->links) {
            if (link->kind == FoldKind::Cut)
                continue;
            ++folds;
            ASSERT_TRUE(link->vFace && link->hFace);
            const auto [vertical, horizontal] = facesAlong(*model, *link);
            EXPECT_EQ(vertical, 1) << "seed " << seed << ", fold at y " << flatten(link->p1).y;
            EXPECT_EQ(horizontal, 1) << "seed " << seed << ", fold at y " << flatten(link->p1).y;
        }
    }
    EXPECT_GT(folds, 20);
}

TEST_P(RandomDesigns, TheSheetOutlineIsCutAllRound) {
    CardModel* model = &randomDesign(GetParam());
    buildPattern(*model);
    PatternLineList lines;
    collectPatternLines(*model, lines);
    const double w = model->cardWidth / 2.0, h = model->cardHeight;
    std::vector<std::pair<double, double>> top, bottom, left, right;
    for (const PatternLine& l : lines) {
        if (l.kind != int(LineKind::Cut))
            continue;
        const auto on = [](double a, double b, double v) {
            return std::fabs(a - v) < 1e-6 && std::fabs(b - v) < 1e-6;
        };
        if (on(l.y1, l.y2, h))
            top.push_back({std::min(l.x1, l.x2), std::max(l.x1, l.x2)});
        if (on(l.y1, l.y2, -h))
            bottom.push_back({std::min(l.x1, l.x2), std::max(l.x1, l.x2)});
        if (on(l.x1, l.x2, -w))
            left.push_back({std::min(l.y1, l.y2), std::max(l.y1, l.y2)});
        if (on(l.x1, l.x2, w))
            right.push_back({std::min(l.y1, l.y2), std::max(l.y1, l.y2)});
    }
    EXPECT_NEAR(covered(top, -w, w), 2 * w, 1e-6);
    EXPECT_NEAR(covered(bottom, -w, w), 2 * w, 1e-6);
    EXPECT_NEAR(covered(left, -h, h), 2 * h, 1e-6);
    EXPECT_NEAR(covered(right, -h, h), 2 * h, 1e-6);
    // No fold lies on the outline.
    for (const PatternLine& l : lines) {
        if (l.kind != int(LineKind::Cut)) {
            EXPECT_FALSE(std::fabs(l.y1 - l.y2) < 1e-9 && std::fabs(std::fabs(l.y1) - h) < 1e-6);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomDesigns, ::testing::Range(1u, 11u));

} // namespace
} // namespace plicato
