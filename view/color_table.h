// The 16 display colours of the scene and the colour dialog: factory values, the current table
// with get, set and reset, and conversion of a colour number to drawing components.
#pragma once

#include <array>

namespace plicato {

// Colour components in 0..1 as the graphics library takes them.
struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// A colour number is red + 256 * green + 65536 * blue, each a byte.
constexpr int colorNumber(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}
Rgba colorFromNumber(int number);

class ColorTable {
public:
    static constexpr int size = 16;

    // Meanings of the entries the scene paints with.
    enum Entry : int {
        VerticalPlane = 0,
        HorizontalPlane = 1,
        PopupOutline = 2,
        VerticalGrid = 3,
        HorizontalGrid = 4,
        FaceOnEditPlane = 7,
        EdgeOnEditPlane = 8,
        SelectedFace = 9,
        DrawnOutline = 10,
        DrawnCutOut = 11,
        BackgroundTop = 12,
        BackgroundBottom = 13,
        InputOutline = 14,
        SelectionBox = 15,
    };

    ColorTable() { resetToDefaults(); }

    static const std::array<int, size>& defaults();
    // Out-of-range indexes read as black and are ignored when set.
    int get(int index) const;
    void set(int index, int number);
    void resetToDefaults() { current_ = defaults(); }
    Rgba rgba(int index) const { return colorFromNumber(get(index)); }

private:
    std::array<int, size> current_{};
};

// Colour of vertical faces: entry 0, blended towards entry 1 as the card closes or lies flat.
Rgba verticalFaceColor(const ColorTable& colors, int openAngle);

// The one colour table of the process.
ColorTable& colorTable();

} // namespace plicato
