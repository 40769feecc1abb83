// Seeded random polygon pairs: area identities between the four operations, even-odd point
// sampling of every result against its inputs, hole flags, and non-crossing result contours.
#include "clip_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace plicato {
namespace {

// Random contours (self-crossing allowed) with vertices on a lattice of `step`.
Rings randomRings(std::mt19937& rng, int maxContours, int maxVertices, int grid, double step) {
    std::uniform_int_distribution<int> contours(1, maxContours);
    std::uniform_int_distribution<int> vertices(3, maxVertices);
    std::uniform_int_distribution<int> coord(0, grid);
    Rings rings(static_cast<std::size_t>(contours(rng)));
    for (Ring& r : rings) {
        const int n = vertices(rng);
        for (int k = 0; k < n; ++k)
            r.push_back({coord(rng) * step, coord(rng) * step});
    }
    return rings;
}

struct OpAreas {
    double a, b, diff, inter, xorA, uni;
};

void checkPair(const Rings& ra, const Rings& rb, double tol, std::mt19937& rng, int samples) {
    const OwnedClip a(ra);
    const OwnedClip b(rb);
    const double areaA = evenOddArea(ra);
    const double areaB = evenOddArea(rb);
    const ClipOp ops[] = {ClipOp::Difference, ClipOp::Intersection, ClipOp::ExclusiveOr,
                          ClipOp::Union};
    double area[4];
    Rings results[4];
    for (int o = 0; o < 4; ++o) {
        const OwnedClip r = runClip(ops[o], a, b);
        results[o] = r.rings();
        area[o] = evenOddArea(results[o]);
        // Hole flags: outer contours minus holes must give the same area as even-odd parity.
        EXPECT_NEAR(flaggedArea(r.get()), area[o], tol) << "op " << o;
        EXPECT_FALSE(contoursCross(results[o])) << "op " << o;
        for (const Ring& ring : results[o])
            EXPECT_GE(ring.size(), 3u);
    }
    const double diff = area[0], inter = area[1], sym = area[2], uni = area[3];
    EXPECT_NEAR(areaA + areaB, uni + inter, tol);
    EXPECT_NEAR(sym, uni - inter, tol);
    EXPECT_NEAR(diff, uni - areaB, tol);
    EXPECT_NEAR(diff + inter, areaA, tol);

    Rings both = ra;
    both.insert(both.end(), rb.begin(), rb.end());
    const auto [x0, y0, x1, y1] = ringBounds(both);
    std::uniform_real_distribution<double> ux(x0 - 1, x1 + 1), uy(y0 - 1, y1 + 1);
    const double margin = 1e-6 * std::max(1.0, x1 - x0);
    for (int s = 0; s < samples; ++s) {
        const double x = ux(rng), y = uy(rng);
        if (distanceToEdges(both, x, y) < margin)
            continue;
        const bool inA = insideEvenOdd(ra, x, y);
        const bool inB = insideEvenOdd(rb, x, y);
        for (int o = 0; o < 4; ++o) {
            if (!results[o].empty() && distanceToEdges(results[o], x, y) < margin)
                continue;
            EXPECT_EQ(insideEvenOdd(results[o], x, y), insideForOp(ops[o], inA, inB))
                << "op " << o << " at " << x << "," << y;
        }
    }
}

TEST(ClipRandom, SelfCrossingLatticePolygons) {
    std::mt19937 rng(12345);
    for (int iter = 0; iter < 300; ++iter) {
        SCOPED_TRACE(iter);
        const Rings a = randomRings(rng, 2, 9, 12, 1.0);
        const Rings b = randomRings(rng, 2, 9, 12, 1.0);
        checkPair(a, b, 1e-9, rng, 40);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(ClipRandom, ManyVerticesOnAFineLattice) {
    std::mt19937 rng(777);
    for (int iter = 0; iter < 20; ++iter) {
        SCOPED_TRACE(iter);
        const Rings a = randomRings(rng, 2, 25, 1000, 0.013);
        const Rings b = randomRings(rng, 2, 25, 1000, 0.013);
        checkPair(a, b, 1e-7, rng, 30);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(ClipRandom, CoarseLatticeIsFullOfCoincidences) {
    // Vertices on a 3x3 lattice: coincident edges, vertices on edges and repeated points abound.
    std::mt19937 rng(99);
    for (int iter = 0; iter < 400; ++iter) {
        SCOPED_TRACE(iter);
        const Rings a = randomRings(rng, 2, 7, 3, 1.0);
        const Rings b = randomRings(rng, 2, 7, 3, 1.0);
        checkPair(a, b, 1e-12, rng, 20);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(ClipRandom, RectangleUnionsAreLatticeExact) {
    // Axis-parallel inputs on integers: every result coordinate and area is exact.
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> c(0, 20);
    for (int iter = 0; iter < 200; ++iter) {
        SCOPED_TRACE(iter);
        Rings ra, rb;
        for (int k = 0; k < 3; ++k) {
            int x0 = c(rng), x1 = c(rng), y0 = c(rng), y1 = c(rng);
            if (x0 == x1 || y0 == y1)
                continue;
            ra.push_back(
                rect(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)));
            x0 = c(rng), x1 = c(rng), y0 = c(rng), y1 = c(rng);
            if (x0 == x1 || y0 == y1)
                continue;
            rb.push_back(
                rect(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)));
        }
        checkPair(ra, rb, 0.0, rng, 20);
        const OwnedClip a(ra), b(rb);
        for (ClipOp op :
             {ClipOp::Difference, ClipOp::Intersection, ClipOp::ExclusiveOr, ClipOp::Union}) {
            const OwnedClip r = runClip(op, a, b);
            for (const Ring& ring : r.rings())
                for (const ClipVertex& v : ring) {
                    EXPECT_EQ(v.x, std::round(v.x));
                    EXPECT_EQ(v.y, std::round(v.y));
                }
        }
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(ClipRandom, CombsCrossingAlongHorizontalEdges) {
    // Every tooth of the lying comb runs along scan lines that the standing teeth cross; the
    // shifts put the teeth between, onto and half onto one another, so single edges and bundles
    // of coincident edges both cross lines that bound regions, in all four operations. A shear
    // keeps the lying teeth level but slants their ends, which then cross standing teeth inside
    // beams, where the parities left on the bundles at the lines are read.
    struct Row {
        int teeth;
        double dx, dy, shear;
    };
    const Row rows[] = {{3, 0, 0, 0},   {3, 1, 0, 0},    {3, 0, 1, 0},          {4, 1, 1, 0},
                        {4, 2, -1, 0},  {5, 0.5, 0, 0},  {5, 1, 0.5, 0},        {6, -1, 2, 0},
                        {4, 1, 0, 0.5}, {5, 0, 1, -0.5}, {5, 0.13, 0.21, -0.7}, {6, 0.3, 0, -0.45}};
    std::mt19937 rng(2026);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.teeth << " teeth, shift " << row.dx << ","
                                          << row.dy << ", shear " << row.shear);
        Ring lying = combRing(row.teeth, false);
        for (ClipVertex& v : lying)
            v = {v.x + row.dx + row.shear * v.y, v.y + row.dy};
        checkPair({combRing(row.teeth, true)}, {lying}, 1e-9, rng, 200);
    }
}

} // namespace
} // namespace plicato
