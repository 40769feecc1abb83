// Value types of sheet and space geometry and the small distance, coincidence and
// point-in-triangle tests every other part of the model builds on.
#pragma once

#include <vector>

namespace plicato {

// A point or vector of the flat sheet, millimetres.
struct Point2 {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Point2&, const Point2&) = default;
};

// A point of the open card in space, millimetres.
struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    friend bool operator==(const Point3&, const Point3&) = default;
};

// Corner order carries the orientation produced by triangulation.
struct Triangle {
    Point2 corners[3];
    friend bool operator==(const Triangle&, const Triangle&) = default;
};

double distance2(double x1, double y1, double x2, double y2);
double distance3(const Point3& a, const Point3& b);
// All three comparisons are strict: a difference equal to eps does not count as equal.
bool nearlyEqual(double a, double b, double eps);
// The whole-unit half of a size: card edges and viewport centres sit at the integer half.
constexpr int integerHalf(int v) {
    return v / 2;
}
bool samePoint2(const Point2& a, const Point2& b, double eps);
bool samePoint3(const Point3& a, const Point3& b, double eps);
// Signed area of a closed outline (shoelace): positive when it runs counter-clockwise.
double signedArea(const std::vector<Point2>& points);
// Sheet position of a point of the card open at 90 degrees.
Point2 flatten(const Point3& p);
// Inside or on the triangle; points on an edge count only for clockwise corners.
bool pointInTriangle(const Point2& a0, const Point2& a1, const Point2& a2, const Point2& q);

} // namespace plicato
