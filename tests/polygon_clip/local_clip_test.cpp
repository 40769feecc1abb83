// Local clipping of an engine-made subject by a small clip gives clipPolygons' own result:
// the same contours in the same order, vertex for vertex up to the rounding of crossings; with
// the clip measured once for several calls, exactly what it gives measured for each.
#include "clip_test_support.h"
#include "polygon_clip/local_clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace plicato {
namespace {

Ring wobblyRing(std::mt19937& rng, int n, double cx, double cy, double radius) {
    std::uniform_real_distribution<double> wobble(0.7, 1.0);
    Ring r;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        r.push_back(
            {cx + radius * wobble(rng) * std::cos(a), cy + radius * wobble(rng) * std::sin(a)});
    }
    return r;
}

bool sameBits(const Rings& a, const Rings& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t c = 0; c < a.size(); ++c) {
        if (a[c].size() != b[c].size())
            return false;
        for (std::size_t k = 0; k < a[c].size(); ++k)
            if (a[c][k].x != b[c][k].x || a[c][k].y != b[c][k].y)
                return false;
    }
    return true;
}

TEST(LocalClip, GivesTheWholeSweepsResult) {
    std::mt19937 rng(808);
    std::uniform_real_distribution<double> at(-45, 45), size(1, 12);
    int compared = 0;
    for (int iter = 0; iter < 300; ++iter) {
        SCOPED_TRACE(iter);
        // An engine-made subject: a large outline less a few holes, some touching its edge.
        const OwnedClip outline(Rings{wobblyRing(rng, 120, 0, 0, 60)});
        const OwnedClip holes(Rings{wobblyRing(rng, 30, at(rng), at(rng), size(rng)),
                                    wobblyRing(rng, 30, at(rng), at(rng), size(rng)),
                                    rect(at(rng), at(rng), 58, 61)});
        const OwnedClip subject = runClip(ClipOp::Difference, outline, holes);
        const double x = at(rng), y = at(rng);
        const OwnedClip clip(Rings{wobblyRing(rng, 12, x, y, size(rng))});
        // Measured once and used for both operations: the same as measured for each call.
        const MeasuredClip measured(clip.get());
        for (ClipOp op : {ClipOp::Difference, ClipOp::Union}) {
            const OwnedClip whole = runClip(op, subject, clip);
            const OwnedClip local(clipEngineSubject(op, subject.get(), clip.get()));
            const OwnedClip reused(clipEngineSubject(op, subject.get(), measured));
            EXPECT_TRUE(sameBits(local.rings(), reused.rings()));
            const Rings a = whole.rings(), b = local.rings();
            ASSERT_EQ(a.size(), b.size()) << "op " << int(op);
            for (std::size_t c = 0; c < a.size(); ++c) {
                ASSERT_EQ(a[c].size(), b[c].size()) << "contour " << c;
                EXPECT_EQ(whole.get().holeFlags[c], local.get().holeFlags[c]);
                for (std::size_t k = 0; k < a[c].size(); ++k) {
                    EXPECT_NEAR(a[c][k].x, b[c][k].x, 1e-9);
                    EXPECT_NEAR(a[c][k].y, b[c][k].y, 1e-9);
                }
            }
            ++compared;
        }
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_EQ(compared, 600);
}

} // namespace
} // namespace plicato
