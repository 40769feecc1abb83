// The fit is a search over the zoom: the card's projected extent grows with the zoom in both
// projections, so the largest zoom that still fits is found by bisection, then the pan centres it.
#include "view/view_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace plicato {

namespace {

struct Extent {
    bool inFront = true;
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
};

// Window extent of the card's corners for the camera as it stands.
Extent projectedExtent(const Camera& camera, const DisplayState& state, int cardWidth,
                       int cardHeight) {
    const ProjectionCache cache = camera.projectionFor(state, cardWidth);
    Extent e;
    for (const Point3& p : cardCorners(cardWidth, cardHeight, state.openAngle)) {
        // The perspective's near plane is one unit in front of the eye.
        const auto eye = cache.modelview.apply({p.x, p.y, p.z, 1.0});
        if (!(eye[2] < -1.0)) {
            e.inFront = false;
            continue;
        }
        const WindowPoint w = cache.project(p);
        if (!std::isfinite(w.x) || !std::isfinite(w.y)) {
            e.inFront = false;
            continue;
        }
        e.minX = std::min(e.minX, w.x);
        e.maxX = std::max(e.maxX, w.x);
        e.minY = std::min(e.minY, w.y);
        e.maxY = std::max(e.maxY, w.y);
    }
    return e;
}

} // namespace

std::array<Point3, 6> cardCorners(int cardWidth, int cardHeight, int openAngle) {
    const double hw = integerHalf(cardWidth), h = cardHeight;
    const double t = openAngle * std::numbers::pi / 180.0;
    const double topY = h * std::cos(t), topZ = h * std::sin(t);
    return {Point3{-hw, 0.0, 0.0}, Point3{hw, 0.0, 0.0},    Point3{-hw, h, 0.0},
            Point3{hw, h, 0.0},    Point3{-hw, topY, topZ}, Point3{hw, topY, topZ}};
}

bool cardInView(const Camera& camera, const DisplayState& state, int cardWidth, int cardHeight) {
    const Extent e = projectedExtent(camera, state, cardWidth, cardHeight);
    return e.inFront && e.minX >= 0.0 && e.minY >= 0.0 && e.maxX <= camera.viewWidth &&
           e.maxY <= camera.viewHeight;
}

void fitCardInView(Camera& camera, const DisplayState& state, int cardWidth, int cardHeight,
                   double margin) {
    if (cardWidth <= 0 || cardHeight <= 0 || camera.viewWidth <= 1 || camera.viewHeight <= 1)
        return;
    const double room = 1.0 - 2.0 * std::clamp(margin, 0.0, 0.45);
    const double roomW = camera.viewWidth * room, roomH = camera.viewHeight * room;
    Camera trial = camera;
    trial.panX = trial.panY = 0.0;
    // Without pan the fold's midpoint (a corner of the card) projects to the view's centre, so
    // every extent grows with the zoom and the test below is monotonic in it.
    auto fits = [&](double scale) {
        trial.scale = scale;
        const Extent e = projectedExtent(trial, state, cardWidth, cardHeight);
        return e.inFront && e.maxX - e.minX <= roomW && e.maxY - e.minY <= roomH;
    };
    double lo = 1e-3, hi = 1e3;
    if (!fits(lo))
        return;
    for (int i = 0; i < 60; ++i) {
        const double mid = std::sqrt(lo * hi);
        (fits(mid) ? lo : hi) = mid;
    }
    trial.scale = lo;
    const Extent e = projectedExtent(trial, state, cardWidth, cardHeight);
    const double halfW = camera.viewWidth / 2.0, halfH = camera.viewHeight / 2.0;
    camera.scale = lo;
    // The pan is a shift in normalised device units (1 = half the view), y pointing up.
    camera.panX = -((e.minX + e.maxX) / 2.0 - halfW) / halfW;
    camera.panY = ((e.minY + e.maxY) / 2.0 - halfH) / halfH;
}

} // namespace plicato
