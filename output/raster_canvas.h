// A 24-bit image in memory and a canvas that draws pattern lines on it without any display:
// the pattern image behind BMP files and the command-line exporter.
#pragma once

#include "output/pattern_canvas.h"

#include <cstdint>
#include <vector>

namespace plicato {

struct RasterImage {
    RasterImage(int width, int height); // filled with white
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // rows top to bottom, 3 bytes (red, green, blue) a pixel

    void setPixel(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // Red, green and blue of a pixel packed as 0xRRGGBB.
    std::uint32_t pixel(int x, int y) const;
};

// Lines with both ends drawn; wider pens stamp a square of the pen's width. Dashes run 18 on,
// 6 off and dots 3 on, 3 off, counted in pixels along the line.
class RasterCanvas : public PatternCanvas {
public:
    explicit RasterCanvas(RasterImage& image) : image_(image) {}
    void selectPen(const PatternPen& pen) override { pen_ = pen; }
    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void lineTo(int x, int y) override;

private:
    void stamp(int x, int y);

    RasterImage& image_;
    PatternPen pen_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace plicato
