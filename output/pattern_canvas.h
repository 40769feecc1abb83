// The small drawing surface that the pattern drawing needs: select a pen, move, draw a line.
// Raster images, printers and plotter jobs implement it.
#pragma once

#include <cstdint>

namespace plicato {

enum class PenStyle : int { Solid = 0, Dashed = 1, Dotted = 2 };

struct PatternPen {
    PenStyle style = PenStyle::Solid;
    int width = 0; // device units; 0 is the device's thinnest line
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const PatternPen&, const PatternPen&) = default;
};

class PatternCanvas {
public:
    virtual ~PatternCanvas() = default;
    virtual void selectPen(const PatternPen& pen) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
};

} // namespace plicato
