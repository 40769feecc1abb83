// Distance, coincidence and containment tests on sheet and space points.
#include "model/geometry.h"

#include <cmath>

namespace plicato {

double distance2(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double distance3(const Point3& a, const Point3& b) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool nearlyEqual(double a, double b, double eps) {
    return std::fabs(a - b) < eps;
}

bool samePoint2(const Point2& a, const Point2& b, double eps) {
    return distance2(a.x, a.y, b.x, b.y) < eps;
}

bool samePoint3(const Point3& a, const Point3& b, double eps) {
    return distance3(a, b) < eps;
}

Point2 flatten(const Point3& p) {
    return {p.x, p.z - p.y};
}

bool pointInTriangle(const Point2& a0, const Point2& a1, const Point2& a2, const Point2& q) {
    const Point2* corners[3] = {&a0, &a1, &a2};
    bool firstNonNegative = false;
    for (int i = 0; i < 3; ++i) {
        const Point2& a = *corners[i];
        const Point2& b = *corners[(i + 1) % 3];
        const double cross = (b.x - a.x) * (b.y - q.y) - (b.y - a.y) * (b.x - q.x);
        const bool nonNegative = cross >= 0.0;
        if (i == 0)
            firstNonNegative = nonNegative;
        else if (nonNegative != firstNonNegative)
            return false;
    }
    return true;
}

double signedArea(const std::vector<Point2>& points) {
    double twice = 0.0;
    for (std::size_t i = 0, n = points.size(); i < n; ++i) {
        const Point2& a = points[i];
        const Point2& b = points[i + 1 == n ? 0 : i + 1];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

} // namespace plicato
