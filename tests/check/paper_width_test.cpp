// The narrowest place of a piece: shapes whose width is known by construction, each placed at
// random positions and turns and walked both ways round, where the width must not change.
#include "check/paper_width.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace plicato {
namespace {

using Outline = std::vector<Point2>;

struct Shape {
    std::string name;
    std::vector<Outline> loops; // the first is the outer loop, the rest holes
    double limit;
    double width; // expected narrowest width, or < 0 for none
    double tolerance;
};

Outline rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

Outline regular(double cx, double cy, double r, int n) {
    Outline out;
    for (int k = 0; k < n; ++k) {
        const double a = 6.283185307179586 * k / n;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return out;
}

std::vector<Shape> shapes() {
    const double pi = 3.141592653589793;
    return {
        {"square", {rect(0, 0, 10, 10)}, 0.5, -1, 0},
        {"strip 0.3", {rect(0, 0, 10, 0.3)}, 0.5, 0.3, 1e-9},
        {"strip 0.49", {rect(0, 0, 10, 0.49)}, 0.5, 0.49, 1e-9},
        {"strip as wide as the limit", {rect(0, 0, 10, 0.5)}, 0.5, -1, 0},
        {"strip under a smaller limit", {rect(0, 0, 10, 0.3)}, 0.25, -1, 0},
        {"L with a 0.4 arm",
         {{{0, 0}, {10, 0}, {10, 0.4}, {0.4, 0.4}, {0.4, 10}, {0, 10}}},
         0.5,
         0.4,
         1e-9},
        {"dumbbell with a 0.3 neck",
         {{{0, 0},
           {5, 0},
           {5, 2.35},
           {7, 2.35},
           {7, 0},
           {12, 0},
           {12, 5},
           {7, 5},
           {7, 2.65},
           {5, 2.65},
           {5, 5},
           {0, 5}}},
         0.5,
         0.3,
         1e-9},
        {"short wide bridge over two narrow slots",
         {{{0, 0},
           {5, 0},
           {5, 2},
           {5.15, 2},
           {5.15, 0},
           {10, 0},
           {10, 5},
           {5.15, 5},
           {5.15, 3},
           {5, 3},
           {5, 5},
           {0, 5}}},
         0.5,
         -1,
         0},
        {"hole 0.2 from the edge", {rect(0, 0, 10, 10), rect(1, 0.2, 9, 9)}, 0.5, 0.2, 1e-9},
        {"two holes 0.35 apart",
         {rect(0, 0, 20, 10), rect(2, 2, 9.825, 8), rect(10.175, 2, 18, 8)},
         0.5,
         0.35,
         1e-9},
        {"slot 0.2 wide cut in",
         {{{0, 0}, {4.9, 0}, {4.9, 5}, {5.1, 5}, {5.1, 0}, {10, 0}, {10, 10}, {0, 10}}},
         0.5,
         -1,
         0},
        {"corners cut off by 0.1",
         {{{0.1, 0}, {9.9, 0}, {10, 0.1}, {10, 9.9}, {9.9, 10}, {0.1, 10}, {0, 9.9}, {0, 0.1}}},
         0.5,
         -1,
         0},
        {"round piece", {regular(0, 0, 5, 64)}, 0.5, -1, 0},
        {"round piece 0.4 across", {regular(0, 0, 0.2, 16)}, 0.5, 0.4 * std::cos(pi / 16), 1e-9},
        {"sliver ending in a tip",
         {{{0, 0}, {10, 0.085}, {0, 0.17}}},
         0.5,
         0.17 * 10 / std::hypot(10, 0.085),
         1e-9},
        {"steps 0.1 high", {{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 5.1}, {0, 5.1}}}, 0.5, -1, 0},
    };
}

Face place(const Shape& shape, double angle, double dx, double dy, bool reverse) {
    Face face(FacePlane::Vertical, 0);
    const double c = std::cos(angle), s = std::sin(angle);
    for (std::size_t i = 0; i < shape.loops.size(); ++i) {
        auto loop = std::make_unique<Loop>();
        loop->isHole = i > 0;
        for (const Point2& p : shape.loops[i])
            loop->points.push_back({dx + c * p.x - s * p.y, dy + s * p.x + c * p.y});
        if (reverse)
            std::reverse(loop->points.begin(), loop->points.end());
        face.polygon.addLoop(std::move(loop));
    }
    return face;
}

TEST(PaperWidth, KnownShapesAtAnyPlaceAndTurn) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> turn(0.0, 6.283185307179586), shift(-80.0, 80.0);
    for (const Shape& shape : shapes()) {
        for (int k = 0; k < 24; ++k) {
            const double angle = k == 0 ? 0.0 : turn(rng);
            const Face face = place(shape, angle, k == 0 ? 0.0 : shift(rng), shift(rng), k % 2);
            const NarrowPlace narrow = narrowestPlace(face, shape.limit);
            SCOPED_TRACE(shape.name + " turned " + std::to_string(angle));
            if (shape.width < 0) {
                EXPECT_FALSE(narrow.found) << narrow.width;
                continue;
            }
            ASSERT_TRUE(narrow.found);
            EXPECT_NEAR(narrow.width, shape.width, shape.tolerance + 1e-9);
            // The two points across the place are as far apart as the width says.
            EXPECT_NEAR(distance2(narrow.from.x, narrow.from.y, narrow.to.x, narrow.to.y),
                        narrow.width, 1e-9);
        }
    }
}

TEST(PaperWidth, NoLimitNoFaceNothingNarrow) {
    const Face empty(FacePlane::Horizontal, 0);
    EXPECT_FALSE(narrowestPlace(empty, 0.5).found);
    const Face strip = place({"strip", {rect(0, 0, 10, 0.1)}, 0, 0, 0}, 0, 0, 0, false);
    EXPECT_FALSE(narrowestPlace(strip, 0.0).found);
    EXPECT_FALSE(narrowestPlace(strip, std::nan("")).found);
    EXPECT_TRUE(narrowestPlace(strip, 0.2).found);
}

} // namespace
} // namespace plicato
