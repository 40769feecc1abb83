// The same valid inputs through an independent engine (Boost.Geometry): the areas of all four
// operations must agree.
#include "clip_test_support.h"

#include <gtest/gtest.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <boost/geometry/multi/geometries/multi_polygon.hpp>

#include <cmath>
#include <random>

namespace plicato {
namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BMulti = bg::model::multi_polygon<BPolygon>;

// A star-shaped simple polygon around (cx, cy): random radii at increasing angles.
Ring randomStar(std::mt19937& rng, double cx, double cy, double rMin, double rMax, int n) {
    std::uniform_real_distribution<double> r(rMin, rMax), jitter(0.0, 0.9);
    Ring ring;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k + jitter(rng)) / n;
        const double rad = r(rng);
        ring.push_back({cx + rad * std::cos(a), cy + rad * std::sin(a)});
    }
    return ring;
}

BPolygon toBoost(const Ring& outer, const Ring* hole = nullptr) {
    BPolygon p;
    for (const ClipVertex& v : outer)
        bg::append(p.outer(), BPoint(v.x, v.y));
    if (hole) {
        p.inners().resize(1);
        for (const ClipVertex& v : *hole)
            bg::append(p.inners()[0], BPoint(v.x, v.y));
    }
    bg::correct(p);
    return p;
}

double boostArea(const BMulti& m) {
    return bg::area(m);
}

TEST(ClipAgainstBoost, RandomStarsWithHoles) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> off(-6, 6);
    std::uniform_int_distribution<int> nv(5, 60);
    int compared = 0;
    for (int iter = 0; iter < 150; ++iter) {
        SCOPED_TRACE(iter);
        const Ring outerA = randomStar(rng, 0, 0, 6, 10, nv(rng));
        const Ring holeA = randomStar(rng, 0.5, 0, 1, 3, nv(rng));
        const Ring outerB = randomStar(rng, off(rng), off(rng), 4, 9, nv(rng));
        const bool withHole = iter % 2 == 0;
        Rings ra{outerA};
        if (withHole)
            ra.push_back(holeA);
        const Rings rb{outerB};
        const BPolygon pa = toBoost(outerA, withHole ? &holeA : nullptr);
        const BPolygon pb = toBoost(outerB);
        std::string reason;
        if (!bg::is_valid(pa, reason) || !bg::is_valid(pb, reason))
            continue;
        const OwnedClip a(ra, {0, 1});
        const OwnedClip b(rb);
        BMulti uni, inter, diff, sym;
        bg::union_(pa, pb, uni);
        bg::intersection(pa, pb, inter);
        bg::difference(pa, pb, diff);
        bg::sym_difference(pa, pb, sym);
        // Boost rescales coordinates internally for robustness; its areas are good to ~1e-7
        // relative (ours satisfy the area identities far tighter, see the random tests).
        const double tol = 2e-5;
        EXPECT_NEAR(flaggedArea(runClip(ClipOp::Union, a, b).get()), boostArea(uni), tol);
        EXPECT_NEAR(flaggedArea(runClip(ClipOp::Intersection, a, b).get()), boostArea(inter), tol);
        EXPECT_NEAR(flaggedArea(runClip(ClipOp::Difference, a, b).get()), boostArea(diff), tol);
        EXPECT_NEAR(flaggedArea(runClip(ClipOp::ExclusiveOr, a, b).get()), boostArea(sym), tol);
        // The number of separate pieces agrees too.
        EXPECT_EQ(runClip(ClipOp::Intersection, a, b).outerCount(), static_cast<int>(inter.size()));
        EXPECT_EQ(runClip(ClipOp::Union, a, b).outerCount(), static_cast<int>(uni.size()));
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(ClipAgainstBoost, RectangleUnionsWithSharedEdges) {
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> c(0, 10);
    for (int iter = 0; iter < 100; ++iter) {
        SCOPED_TRACE(iter);
        BMulti ma, mb;
        Rings ra, rb;
        for (int k = 0; k < 4; ++k) {
            const int x0 = c(rng), y0 = c(rng), w = 1 + c(rng) / 2, h = 1 + c(rng) / 2;
            const Ring r = rect(x0, y0, x0 + w, y0 + h);
            BMulti next;
            bg::union_(k % 2 ? mb : ma, toBoost(r), next);
            (k % 2 ? mb : ma) = next;
            (k % 2 ? rb : ra).push_back(r);
        }
        // Our inputs are even-odd: feed the Boost unions (valid, hole-flagged) back as rings.
        Rings ua, ub;
        for (const BPolygon& p : ma) {
            Ring r;
            for (const BPoint& q : p.outer())
                r.push_back({q.x(), q.y()});
            r.pop_back();
            ua.push_back(r);
            for (const auto& inner : p.inners()) {
                Ring hr;
                for (const BPoint& q : inner)
                    hr.push_back({q.x(), q.y()});
                hr.pop_back();
                ua.push_back(hr);
            }
        }
        for (const BPolygon& p : mb) {
            Ring r;
            for (const BPoint& q : p.outer())
                r.push_back({q.x(), q.y()});
            r.pop_back();
            ub.push_back(r);
            for (const auto& inner : p.inners()) {
                Ring hr;
                for (const BPoint& q : inner)
                    hr.push_back({q.x(), q.y()});
                hr.pop_back();
                ub.push_back(hr);
            }
        }
        const OwnedClip a(ua), b(ub);
        BMulti uni, inter, diff;
        bg::union_(ma, mb, uni);
        bg::intersection(ma, mb, inter);
        bg::difference(ma, mb, diff);
        EXPECT_EQ(flaggedArea(runClip(ClipOp::Union, a, b).get()), boostArea(uni));
        EXPECT_EQ(flaggedArea(runClip(ClipOp::Intersection, a, b).get()), boostArea(inter));
        EXPECT_EQ(flaggedArea(runClip(ClipOp::Difference, a, b).get()), boostArea(diff));
        EXPECT_EQ(runClip(ClipOp::Union, a, b).outerCount(), static_cast<int>(uni.size()));
    }
}

} // namespace
} // namespace plicato
