// Strict comparisons, flatten and the orientation rule of pointInTriangle.
#include "model/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plicato;

TEST(Geometry, ComparisonsAreStrict) {
    EXPECT_FALSE(nearlyEqual(1.0, 1.5, 0.5));
    EXPECT_TRUE(nearlyEqual(1.0, 1.4, 0.5));
    EXPECT_TRUE(nearlyEqual(-2.0, -2.0, 1e-12));
    EXPECT_FALSE(nearlyEqual(1.0, 1.0, 0.0));
    EXPECT_FALSE(samePoint2({0, 0}, {3, 4}, 5.0));
    EXPECT_TRUE(samePoint2({0, 0}, {3, 4}, 5.0000001));
    EXPECT_FALSE(samePoint3({0, 0, 0}, {2, 3, 6}, 7.0));
    EXPECT_TRUE(samePoint3({0, 0, 0}, {2, 3, 6}, 7.0000001));
    EXPECT_DOUBLE_EQ(distance2(1, 1, 4, 5), 5.0);
    EXPECT_DOUBLE_EQ(distance3({1, 2, 3}, {1, 2, 3}), 0.0);
}

TEST(Geometry, FlattenInvertsBothPlacements) {
    const double x = 7.5, y = -12.25, d = 30.0;
    EXPECT_EQ(flatten({x, d, y + d}), (Point2{x, y}));
    EXPECT_EQ(flatten({x, d - y, d}), (Point2{x, y}));
}

TEST(Geometry, PointInTriangleOrientationRule) {
    const Point2 a{0, 0}, b{0, 10}, c{10, 0}; // clockwise with y up
    const Point2 centroid{10.0 / 3, 10.0 / 3};
    const Point2 edgeMid{5, 0};
    EXPECT_TRUE(pointInTriangle(a, b, c, centroid));
    EXPECT_TRUE(pointInTriangle(a, c, b, centroid));
    EXPECT_TRUE(pointInTriangle(a, b, c, edgeMid));
    EXPECT_FALSE(pointInTriangle(a, c, b, edgeMid));
    EXPECT_TRUE(pointInTriangle(a, b, c, a)); // a corner lies on two edges
    for (const Point2 outside : {Point2{-1, 5}, Point2{5, -1}, Point2{6, 6}, Point2{20, 20}}) {
        EXPECT_FALSE(pointInTriangle(a, b, c, outside));
        EXPECT_FALSE(pointInTriangle(a, c, b, outside));
    }
}
