// Factory colours and the process-wide colour table.
#include "view/color_table.h"

#include <cmath>
#include <numbers>

namespace plicato {

Rgba colorFromNumber(int number) {
    return {float(number & 0xff) / 255.0f, float((number >> 8) & 0xff) / 255.0f,
            float((number >> 16) & 0xff) / 255.0f, 1.0f};
}

const std::array<int, ColorTable::size>& ColorTable::defaults() {
    static const std::array<int, size> table{
        colorNumber(255, 255, 255), colorNumber(200, 200, 200), colorNumber(0, 0, 0),
        colorNumber(0, 0, 128),     colorNumber(0, 128, 0),     colorNumber(255, 255, 255),
        colorNumber(96, 96, 96),    colorNumber(255, 200, 200), colorNumber(255, 0, 0),
        colorNumber(255, 80, 80),   colorNumber(255, 0, 0),     colorNumber(255, 255, 0),
        colorNumber(255, 255, 255), colorNumber(0, 0, 255),     colorNumber(255, 190, 0),
        colorNumber(255, 0, 0),
    };
    return table;
}

int ColorTable::get(int index) const {
    return index >= 0 && index < size ? current_[std::size_t(index)] : 0;
}

void ColorTable::set(int index, int number) {
    if (index >= 0 && index < size)
        current_[std::size_t(index)] = number;
}

Rgba verticalFaceColor(const ColorTable& colors, int openAngle) {
    const Rgba v = colors.rgba(ColorTable::VerticalPlane);
    if (openAngle >= 80 && openAngle <= 100)
        return v;
    const Rgba hz = colors.rgba(ColorTable::HorizontalPlane);
    const float s = float(std::sin(openAngle * std::numbers::pi / 180.0));
    return {(1 - s) * hz.r + s * v.r, (1 - s) * hz.g + s * v.g, (1 - s) * hz.b + s * v.b, 1.0f};
}

ColorTable& colorTable() {
    static ColorTable table;
    return table;
}

} // namespace plicato
