// Software line drawing on a 24-bit image: Bresenham steps, dash patterns, square pen stamps.
#include "output/raster_canvas.h"

#include <cmath>
#include <cstdlib>

namespace plicato {

RasterImage::RasterImage(int w, int h)
    : width(w > 0 ? w : 0), height(h > 0 ? h : 0),
      rgb(std::size_t(width) * std::size_t(height) * 3, 0xFF) {}

void RasterImage::setPixel(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

std::uint32_t RasterImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
    return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

void RasterCanvas::stamp(int x, int y) {
    const int w = pen_.width > 1 ? pen_.width : 1;
    const int from = -(w - 1) / 2;
    for (int dy = from; dy < from + w; ++dy)
        for (int dx = from; dx < from + w; ++dx)
            image_.setPixel(x + dx, y + dy, pen_.red, pen_.green, pen_.blue);
}

namespace {

// Liang-Barsky: keeps the part of the segment inside the box; false when nothing is left.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hiX,
                 double hiY) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo, hiX - x0, y0 - lo, hiY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

} // namespace

void RasterCanvas::lineTo(int x, int y) {
    double fx0 = x_, fy0 = y_, fx1 = x, fy1 = y;
    x_ = x;
    y_ = y;
    // Only the part near the image is walked, so far-away coordinates cost nothing.
    const double margin = 4;
    if (!clipSegment(fx0, fy0, fx1, fy1, -margin, image_.width + margin, image_.height + margin))
        return;
    long long cx = std::llround(fx0), cy = std::llround(fy0);
    const long long tx = std::llround(fx1), ty = std::llround(fy1);
    const long long dx = std::llabs(tx - cx), dy = -std::llabs(ty - cy);
    const long long sx = cx < tx ? 1 : -1, sy = cy < ty ? 1 : -1;
    long long err = dx + dy;
    const int on = pen_.style == PenStyle::Dashed ? 18 : 3;
    const int period = pen_.style == PenStyle::Dashed ? 24 : 6;
    for (long long step = 0;; ++step) {
        if (pen_.style == PenStyle::Solid || step % period < on)
            stamp(int(cx), int(cy));
        if (cx == tx && cy == ty)
            break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

} // namespace plicato
