// The indexed pattern builder and line collection against the plain quadratic ones on random
// designs: the same links (ends, kinds, faces) in the same order, the same face link lists and
// the same output lines in the same order.
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "tests/pattern/pattern_test_faces.h"

#include <gtest/gtest.h>

#include <random>

namespace plicato {
namespace {

struct LinkCopy {
    Face* vFace;
    Face* hFace;
    FoldKind kind;
    Point3 p1, p2;
};

std::vector<LinkCopy> copyLinks(const CardModel& model) {
    std::vector<LinkCopy> out;
    for (const auto& l : model.links)
        out.push_back({l->vFace, l->hFace, l->kind, l->p1, l->p2});
    return out;
}

// Positions in model.links of each face's attached links, so that two runs can be compared.
std::vector<std::vector<std::size_t>> faceLinkPositions(const CardModel& model) {
    std::vector<std::vector<std::size_t>> out;
    for (const auto& face : model.builtFaces) {
        out.emplace_back();
        for (const FaceLink* link : face->links) {
            std::size_t i = 0;
            while (i < model.links.size() && model.links[i].get() != link)
                ++i;
            out.back().push_back(i);
        }
    }
    return out;
}

// Faces on a coarse grid so that edges and vertices of the two kinds often coincide, with some
// slanted outlines, holes, repeated faces and vertices a hair off the grid.
void addRandomFaces(CardModel& model, std::mt19937& rng, int count) {
    std::uniform_int_distribution<int> cell(-8, 8), size(1, 6), offset(0, 6), pick(0, 9);
    std::uniform_real_distribution<double> hair(-0.012, 0.012);
    // Shifts around the link tolerance (0.01) and the index cells: lines this close are found
    // through neighbouring cells, and several links can match one segment.
    const double shifts[] = {0, 0, 0, 0, -0.015, -0.0075, -0.004, 0.004, 0.0075, 0.015};
    for (int i = 0; i < count; ++i) {
        const FacePlane plane = pick(rng) < 5 ? FacePlane::Vertical : FacePlane::Horizontal;
        const double d = 5.0 * offset(rng) + shifts[pick(rng)];
        const double x1 = 5.0 * cell(rng) + shifts[pick(rng)];
        const double y1 = 5.0 * cell(rng) + shifts[pick(rng)];
        const testing::Rect r{x1, y1, x1 + 5.0 * size(rng), y1 + 5.0 * size(rng)};
        const int shape = pick(rng);
        if (shape < 5) {
            testing::addRectFace(model, plane, d, r);
        } else if (shape < 7) {
            // A slanted quadrilateral with a vertex near but not on the grid.
            testing::addFace(model, plane, d,
                             {{r.x1, r.y2},
                              {r.x2 + hair(rng), r.y2},
                              {r.x2, r.y1},
                              {(r.x1 + r.x2) / 2, r.y1 - 5}},
                             {r});
        } else if (shape < 9) {
            Face& face = testing::addRectFace(model, plane, d, r);
            auto hole = std::make_unique<Loop>();
            hole->isHole = true;
            const double mx = (r.x1 + r.x2) / 2, my = (r.y1 + r.y2) / 2;
            for (Point2 p : {Point2{r.x1 + 1, my}, Point2{mx, r.y2 - 1}, Point2{r.x2 - 1, my},
                             Point2{mx, r.y1 + 1}})
                hole->addPoint(p);
            face.polygon.addLoop(std::move(hole));
        } else if (!model.builtFaces.empty()) {
            // The same outline again on the other plane kind at a matching offset.
            const Face& other = *model.builtFaces[std::size_t(rng()) % model.builtFaces.size()];
            auto face = std::make_unique<Face>(
                other.plane == FacePlane::Vertical ? FacePlane::Horizontal : FacePlane::Vertical,
                other.offset);
            face->polygon = other.polygon;
            face->triangles = other.triangles;
            model.builtFaces.push_back(std::move(face));
        }
    }
}

TEST(PatternEquivalence, IndexedBuilderMatchesTheLiteralOneOnRandomDesigns) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 60; ++round) {
        CardModel model;
        testing::addSheet(model, 80, 40);
        addRandomFaces(model, rng, 5 + round);

        buildPatternLiteral(model);
        const std::vector<LinkCopy> expected = copyLinks(model);
        const auto expectedFaceLinks = faceLinkPositions(model);
        PatternLineList expectedLines;
        collectPatternLinesLiteral(model, expectedLines);

        buildPattern(model);
        const std::vector<LinkCopy> actual = copyLinks(model);
        ASSERT_EQ(actual.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < actual.size(); ++i) {
            SCOPED_TRACE("round " + std::to_string(round) + " link " + std::to_string(i));
            EXPECT_EQ(actual[i].p1, expected[i].p1);
            EXPECT_EQ(actual[i].p2, expected[i].p2);
            EXPECT_EQ(actual[i].kind, expected[i].kind);
            EXPECT_EQ(actual[i].vFace, expected[i].vFace);
            EXPECT_EQ(actual[i].hFace, expected[i].hFace);
        }
        EXPECT_EQ(faceLinkPositions(model), expectedFaceLinks) << "round " << round;
        PatternLineList actualLines;
        collectPatternLines(model, actualLines);
        EXPECT_EQ(actualLines, expectedLines) << "round " << round;
    }
}

// Lines in every direction and of every length down to the tolerance, many of them collinear,
// touching or overlapping, some nearly parallel: the indexed collection keeps the same list.
TEST(PatternEquivalence, IndexedLineCollectionMatchesAddingLineByLine) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> pick(0, 9), grid(-20, 20);
    std::uniform_real_distribution<double> any(-60, 60), tiny(-0.0003, 0.0003);
    for (int round = 0; round < 40; ++round) {
        CardModel model;
        for (int i = 0; i < 150 + 10 * round; ++i) {
            Point2 a, b;
            const int shape = pick(rng);
            if (shape < 4) { // on a few lattice lines, often collinear and touching
                const double y = 5.0 * (grid(rng) % 4);
                a = {2.5 * grid(rng), y};
                b = {a.x + 2.5 * (1 + pick(rng)), y + (shape == 0 ? tiny(rng) : 0)};
            } else if (shape < 6) { // diagonals of one slope
                const double t = 2.5 * grid(rng), u = t + 2.5 * (1 + pick(rng));
                a = {t, 0.5 * t + 3};
                b = {u, 0.5 * u + 3 + (shape == 4 ? tiny(rng) : 0)};
            } else if (shape < 8) { // very short pieces near the tolerance
                a = {2.5 * grid(rng), 2.5 * grid(rng)};
                b = {a.x + 0.0001 * (1 + pick(rng)), a.y + tiny(rng)};
            } else {
                a = {any(rng), any(rng)};
                b = {any(rng), any(rng)};
            }
            if (pick(rng) < 5)
                std::swap(a, b);
            auto link = std::make_unique<FaceLink>();
            link->kind = FoldKind(pick(rng) % 3);
            // Sheet points at 90 degrees on a horizontal face at height 0: (x, -y, 0).
            link->p1 = {a.x, -a.y, 0};
            link->p2 = {b.x, -b.y, 0};
            model.links.push_back(std::move(link));
        }
        PatternLineList literal, indexed;
        collectPatternLinesLiteral(model, literal);
        collectPatternLines(model, indexed);
        ASSERT_EQ(indexed, literal) << "round " << round;
    }
}

} // namespace
} // namespace plicato
