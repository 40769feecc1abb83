// Quiet stretches of scan lines taken in one go give the sweep's result vertex for vertex, on
// long smooth outlines (where most of the stretches are), outlines running a hair apart or
// leaving a point a hair apart (where a stretch must stop short) and crossing lattice polygons.
#include "clip_test_support.h"
#include "polygon_clip/contour_assembly.h"
#include "polygon_clip/edge_table.h"
#include "polygon_clip/scan_beam_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory_resource>
#include <random>

namespace plicato {
namespace {

// The result's vertices, contour after contour, as plain numbers.
std::vector<double> sweepResult(const OwnedClip& a, const OwnedClip& b, ClipInsideMask inside,
                                bool quiet) {
    std::pmr::monotonic_buffer_resource arena;
    ClipEdgeTable table(&arena);
    addClipEdges(table, a.get(), 0, nullptr);
    addClipEdges(table, b.get(), 1, nullptr);
    buildLocalMinima(table);
    ScanBeamSweep sweep(table, inside, quiet);
    sweep.run();
    std::vector<double> flat;
    for (const Ring& ring : OwnedClip(assembleClipContours(sweep.nodes())).rings()) {
        flat.push_back(double(ring.size()));
        for (const ClipVertex& v : ring)
            flat.insert(flat.end(), {v.x, v.y});
    }
    return flat;
}

// A wavy ring of n vertices: radius r, waves of relative height `wave`.
Ring wavy(double cx, double cy, double r, int n, double phase, double wave, int waves) {
    Ring ring;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k + phase) / n;
        const double rr = r * (1 + wave * std::sin(waves * a));
        ring.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    return ring;
}

TEST(QuietStretches, GiveTheScanLineByScanLineResultExactly) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> unit(0, 1);
    // The four operations' inside masks: difference, intersection, exclusive or, union.
    const ClipInsideMask masks[] = {1u << 1, 1u << 3, (1u << 1) | (1u << 2),
                                    (1u << 1) | (1u << 2) | (1u << 3)};
    int stretchy = 0;
    for (int c = 0; c < 240; ++c) {
        SCOPED_TRACE(c);
        Rings ra, rb;
        const int n = 8 << (c % 8);
        if (c % 3 == 0) {
            // Lattice polygons that cross themselves and each other everywhere.
            for (Rings* r : {&ra, &rb}) {
                Ring ring;
                for (int k = 0; k < 12 + c % 20; ++k)
                    ring.push_back({double(rng() % 24), double(rng() % 24)});
                r->push_back(ring);
            }
        } else {
            const double gap = c % 3 == 1 ? 2e-6 * unit(rng) : 40 * unit(rng);
            ra = {wavy(0, 0, 100, n, 0, 0.03 * (c % 4), 5)};
            rb = {wavy(gap, gap * unit(rng), 100 - gap, n / 2 + 3, unit(rng), 0.02, 3 + c % 5)};
            if (c % 5 == 0)
                ra.push_back(wavy(10, -5, 30, n / 3 + 3, 0.5, 0.05, 4));
            ++stretchy;
        }
        if (c % 6 == 4) {
            // A sharp spike whose sides stay within the tolerance of each other for a while,
            // above its tip, while the dense outline beside it sets scan lines there.
            const double w = 1e-4 * unit(rng);
            rb.push_back({{150, -1}, {150 + w, 100}, {150 - w, 100}});
            ra.push_back(wavy(150, 0, 20, 4000, 0.25, 0.0, 1));
        }
        const OwnedClip a(ra), b(rb);
        for (const ClipInsideMask mask : masks)
            ASSERT_EQ(sweepResult(a, b, mask, true), sweepResult(a, b, mask, false)) << mask;
    }
    EXPECT_GT(stretchy, 100);
}

// A diamond of `perSide` vertices a side, its tips at x = cx ± r.
Ring diamond(double cx, double r, int perSide) {
    const ClipVertex corners[] = {{cx, 0}, {cx + r, 50}, {cx, 100}, {cx - r, 50}};
    Ring ring;
    for (int side = 0; side < 4; ++side) {
        const ClipVertex& p = corners[side];
        const ClipVertex& q = corners[(side + 1) % 4];
        for (int k = 0; k < perSide; ++k) {
            const double t = double(k) / perSide;
            ring.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return ring;
}

// Two outlines whose sides come within the tolerance only where their tips meet: the walk of
// the gap must stop there, even though the sides' x ranges barely overlap or lie just apart.
TEST(QuietStretches, StopWhereNeighboursMeetOnlyAtTheirTips) {
    const ClipInsideMask masks[] = {1u << 1, 1u << 3, (1u << 1) | (1u << 2),
                                    (1u << 1) | (1u << 2) | (1u << 3)};
    for (const double gap : {-1e-6, 0.0, 3e-7, 1e-6, 1.9e-6, 2.1e-6, 1e-5}) {
        SCOPED_TRACE(gap);
        const OwnedClip a(Rings{diamond(0, 1, 40)}), b(Rings{diamond(2 + gap, 1, 40)});
        for (const ClipInsideMask mask : masks)
            ASSERT_EQ(sweepResult(a, b, mask, true), sweepResult(a, b, mask, false)) << mask;
    }
}

} // namespace
} // namespace plicato
