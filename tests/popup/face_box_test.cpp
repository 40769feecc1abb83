// The one-pass measure gives the box boxOf gives and the area the loops' signed areas give, bit
// for bit: the memo's summaries and the rebuild's emptiness tests must not depend on which
// was used.
#include "popup/face_box.h"

#include "model/geometry.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

using namespace plicato;

TEST(FaceBox, BoxAndAreaInOnePassAreTheTwoPassValues) {
    plicato::testing::RandomDesigner designer(31, 200, 100);
    plicato::testing::RandomDesignOptions options;
    options.faceCount = 120;
    options.textShare = 0.4; // glyphs: holes, and loops of many points
    options.glyphPoints = 160;
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    int holed = 0;
    for (plicato::testing::RandomFace& rf : designer.faces(options)) {
        const Polygon& p = rf.face->polygon;
        double area = 0.0;
        const Box b = boxAndArea(p, area);
        const Box expected = boxOf(p);
        double expectedArea = 0.0;
        for (const auto& loop : p.loops) {
            const double a = std::fabs(signedArea(loop->points));
            expectedArea += loop->isHole ? -a : a;
        }
        EXPECT_EQ(bits(area), bits(expectedArea));
        EXPECT_EQ(bits(regionArea(p)), bits(expectedArea));
        EXPECT_EQ(bits(b.minX), bits(expected.minX));
        EXPECT_EQ(bits(b.minY), bits(expected.minY));
        EXPECT_EQ(bits(b.maxX), bits(expected.maxX));
        EXPECT_EQ(bits(b.maxY), bits(expected.maxY));
        holed += outerLoopCount(p) < static_cast<int>(p.loops.size()) ? 1 : 0;
    }
    EXPECT_GT(holed, 5); // the holes' areas were taken away, not only added
}
