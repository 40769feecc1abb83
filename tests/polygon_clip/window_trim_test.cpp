// Trimming an operand to the other's window: parity inside the window is kept with the input's
// own vertices, and the engine's cutting operations stay right when one operand is far larger.
#include "clip_test_support.h"
#include "polygon_clip/window_trim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace plicato {
namespace {

Ring randomRing(std::mt19937& rng, int n, double lo, double hi) {
    std::uniform_real_distribution<double> c(lo, hi);
    Ring r;
    for (int k = 0; k < n; ++k)
        r.push_back({c(rng), c(rng)});
    return r;
}

// A closed random walk: an outline that winds in and out of windows and round their corners.
Ring randomWalk(std::mt19937& rng, int n, double step) {
    std::uniform_real_distribution<double> d(-step, step);
    Ring r{{0.0, 0.0}};
    for (int k = 1; k < n; ++k)
        r.push_back({r.back().x + d(rng), r.back().y + d(rng)});
    return r;
}

// A wobbly closed outline around the origin, the shape of a glyph's outer contour.
Ring randomStar(std::mt19937& rng, int n, double radius) {
    std::uniform_real_distribution<double> wobble(0.6, 1.0);
    Ring r;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        r.push_back({radius * wobble(rng) * std::cos(a), radius * wobble(rng) * std::sin(a)});
    }
    return r;
}

TEST(WindowTrim, KeepsParityInsideTheWindowWithTheInputsOwnVertices) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> corner(-20, 20), size(0.5, 15);
    std::size_t before = 0, after = 0;
    for (int iter = 0; iter < 400; ++iter) {
        SCOPED_TRACE(iter);
        // Outlines of 60 to 246 vertices, from far larger than the windows to crossing them.
        const Rings rings = {randomStar(rng, 60 + iter % 7 * 31, 50 - iter % 4 * 10),
                             randomRing(rng, 7, -60, 60), randomWalk(rng, 150, 4)};
        const OwnedClip input(rings);
        const double x0 = corner(rng), y0 = corner(rng);
        const ClipBox w{x0, y0, x0 + size(rng), y0 + size(rng)};
        std::pmr::monotonic_buffer_resource arena;
        TrimmedClipPolygon trimmed(&arena);
        trimToWindow(input.get(), std::pmr::vector<char>(rings.size(), 1, &arena), w, trimmed);
        // Given the contours' boxes, and the boxes of their runs of vertices, the same result,
        // though contours and runs beyond a side go unread.
        std::pmr::vector<char> usable(&arena);
        ClipChunkBoxes chunks(&arena);
        const std::pmr::vector<ClipBox> boxes = clipContourBoxes(input.get(), usable, &chunks);
        TrimmedClipPolygon boxed(&arena), chunked(&arena);
        trimToWindow(input.get(), usable, w, boxed, &boxes);
        trimToWindow(input.get(), usable, w, chunked, &boxes, &chunks);
        for (const TrimmedClipPolygon* t : {&boxed, &chunked}) {
            ASSERT_EQ(t->dropped, trimmed.dropped);
            ASSERT_EQ(t->sources, trimmed.sources);
            ASSERT_EQ(t->origins, trimmed.origins);
        }

        Rings out;
        for (int c = 0; c < trimmed.view.contourCount; ++c) {
            const ClipContour& k = trimmed.view.contours[c];
            out.emplace_back(k.vertices, k.vertices + k.vertexCount);
            for (const ClipVertex& v : out.back()) // no new coordinates
                EXPECT_TRUE(std::any_of(rings.begin(), rings.end(), [&](const Ring& r) {
                    return std::any_of(r.begin(), r.end(), [&](const ClipVertex& u) {
                        return u.x == v.x && u.y == v.y;
                    });
                }));
        }
        std::uniform_real_distribution<double> px(w.x0, w.x1), py(w.y0, w.y1);
        for (int s = 0; s < 60; ++s) {
            const double x = px(rng), y = py(rng);
            if (distanceToEdges(rings, x, y) < 1e-9)
                continue;
            EXPECT_EQ(insideEvenOdd(out, x, y), insideEvenOdd(rings, x, y)) << x << "," << y;
        }
        for (const Ring& r : rings)
            before += r.size();
        for (const Ring& r : out)
            after += r.size();
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_LT(after, before / 2); // windows far smaller than the outlines: most vertices go
}

TEST(WindowTrim, CuttingASmallPolygonByALargeOneStaysRight) {
    // Area identities and point sampling of all four operations (checked in clip_random_test's
    // way) where the cutting operations trim the large operand.
    std::mt19937 rng(31);
    for (int iter = 0; iter < 60; ++iter) {
        SCOPED_TRACE(iter);
        const Rings small = {randomRing(rng, 6, -3, 3)};
        const Rings large = {randomStar(rng, 80, 40), randomRing(rng, 12, -40, 40)};
        const OwnedClip a(small), b(large);
        for (const auto& [s, c] : {std::pair{&a, &b}, std::pair{&b, &a}}) {
            const OwnedClip diff = runClip(ClipOp::Difference, *s, *c);
            const OwnedClip inter = runClip(ClipOp::Intersection, *s, *c);
            const Rings& rs = s == &a ? small : large;
            const Rings& rc = s == &a ? large : small;
            EXPECT_NEAR(evenOddArea(diff.rings()) + evenOddArea(inter.rings()), evenOddArea(rs),
                        1e-8);
            std::uniform_real_distribution<double> p(-4, 4);
            for (int k = 0; k < 80; ++k) {
                const double x = p(rng), y = p(rng);
                if (distanceToEdges(small, x, y) < 1e-7 || distanceToEdges(large, x, y) < 1e-7 ||
                    distanceToEdges(diff.rings(), x, y) < 1e-7 ||
                    distanceToEdges(inter.rings(), x, y) < 1e-7)
                    continue;
                const bool inS = insideEvenOdd(rs, x, y), inC = insideEvenOdd(rc, x, y);
                EXPECT_EQ(insideEvenOdd(diff.rings(), x, y), inS && !inC);
                EXPECT_EQ(insideEvenOdd(inter.rings(), x, y), inS && inC);
            }
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

} // namespace
} // namespace plicato
