// Drawing through the canvas: pens per kind, device coordinates, mirroring, image geometry, and
// the software raster canvas.
#include "output/pattern_drawing.h"
#include "output/raster_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plicato {
namespace {

class RecordingCanvas : public PatternCanvas {
public:
    void selectPen(const PatternPen& pen) override {
        calls.push_back("pen " + std::to_string(int(pen.style)) + " " + std::to_string(pen.width) +
                        " " + std::to_string(pen.red));
    }
    void moveTo(int x, int y) override {
        calls.push_back("move " + std::to_string(x) + " " + std::to_string(y));
    }
    void lineTo(int x, int y) override {
        calls.push_back("line " + std::to_string(x) + " " + std::to_string(y));
    }
    std::vector<std::string> calls;
};

PatternLine line(double x1, double y1, double x2, double y2, int k) {
    return {x1, y1, x2, y2, k};
}

TEST(DrawPattern, NormalPensAndDeviceCoordinates) {
    RecordingCanvas canvas;
    // 10 device units per centimetre: one unit per millimetre, origin at the card's corner.
    drawPattern(canvas, {line(-50, 0, 50, 0, 2), line(-50, -100, -50, 100, 0)}, 100, 100, 0, 0, 10,
                10, 1.0, false, false);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"pen 2 1 0", "move 0 100", "line 100 100",
                                                      "pen 0 2 0", "move 0 200", "line 0 0"}));
}

TEST(DrawPattern, CutModePensAreThinAndFoldsRed) {
    EXPECT_EQ(patternPen(LineKind::Cut, true), (PatternPen{PenStyle::Solid, 0, 0, 0, 0}));
    EXPECT_EQ(patternPen(LineKind::Mountain, true), (PatternPen{PenStyle::Solid, 0, 250, 0, 0}));
    EXPECT_EQ(patternPen(LineKind::Valley, true), (PatternPen{PenStyle::Solid, 0, 250, 0, 0}));
    EXPECT_EQ(patternPen(LineKind::Mountain, false), (PatternPen{PenStyle::Dashed, 1, 0, 0, 0}));
    EXPECT_EQ(patternPen(LineKind::Valley, false), (PatternPen{PenStyle::Dotted, 1, 0, 0, 0}));
}

TEST(DrawPattern, TruncatesTowardsZeroAndAppliesOffsetAndSize) {
    RecordingCanvas canvas;
    // origin (50 * 2 + 3, 50 * 2 + 1) mm, one unit per millimetre, the pattern at twice its size.
    drawPattern(canvas, {line(0.96, 0.96, -0.96, -0.96, 0), line(-52.5, 51, -52.5, 51, 0)}, 100, 50,
                3, 1, 10, 10, 2.0, false, false);
    EXPECT_EQ(canvas.calls[1], "move 104 99");
    EXPECT_EQ(canvas.calls[2], "line 101 102");
    // -2 and -1 (not -3 and -2): truncation towards zero on the negative side as well.
    EXPECT_EQ(canvas.calls[4], "move -2 -1");
}

TEST(DrawPattern, MirrorSwapsTheSides) {
    RecordingCanvas canvas;
    drawPattern(canvas, {line(50, 0, -50, 0, 0)}, 100, 100, 10, 10, 10, 10, 1.0, true, false);
    // x = +W/2 lands at the left margin, x = -W/2 at the right.
    EXPECT_EQ(canvas.calls[1], "move 10 110");
    EXPECT_EQ(canvas.calls[2], "line 110 110");
}

TEST(DrawPattern, OddWidthUsesTheWholeHalfWidth) {
    RecordingCanvas canvas;
    drawPattern(canvas, {line(-75.5, 0, 75.5, 0, 0)}, 151, 10, 0, 0, 10, 10, 1.0, false, false);
    EXPECT_EQ(canvas.calls[1], "move 0 10"); // trunc(-0.5) is 0
    EXPECT_EQ(canvas.calls[2], "line 150 10");
}

TEST(DrawPattern, UnknownKindKeepsThePenSelected) {
    RecordingCanvas canvas;
    drawPattern(canvas, {line(0, 0, 1, 0, 1), line(0, 1, 1, 1, 9)}, 10, 10, 0, 0, 10, 10, 1.0,
                false, false);
    ASSERT_EQ(canvas.calls.size(), 5u);
    EXPECT_EQ(canvas.calls[3], "move 5 9");
}

TEST(DrawPattern, FarAwayCoordinatesStayDefined) {
    RecordingCanvas canvas;
    drawPattern(canvas, {line(1e300, -1e300, 0, 0, 0)}, 10, 10, 0, 0, 10, 10, 1.0, false, false);
    EXPECT_EQ(canvas.calls[1], "move 1000000000 1000000000");
}

TEST(PatternImage, GeometryFollowsTheCardsProportions) {
    const PatternImageGeometry square = patternImageGeometry(400, 100, 100);
    EXPECT_EQ(square.width, 400);
    EXPECT_EQ(square.height, 780);
    EXPECT_DOUBLE_EQ(square.ratio, 38.0);
    EXPECT_DOUBLE_EQ(square.offset, 10 / 38.0 * 10);
    EXPECT_EQ(patternImageGeometry(400, 150, 100).height, 526);
}

TEST(PatternImage, PatternSpansTheImageInsideATenPixelMargin) {
    const PatternImageGeometry g = patternImageGeometry(400, 100, 100);
    RecordingCanvas canvas;
    drawPattern(canvas, {line(-50, -100, 50, 100, 0)}, 100, 100, g.offset, g.offset, g.ratio,
                g.ratio, 1.0, false, false);
    // The low end computes as 9.999... and truncates to pixel 9, not 10.
    EXPECT_EQ(canvas.calls[1], "move 9 770");
    EXPECT_EQ(canvas.calls[2], "line 390 10");
}

TEST(RasterCanvas, SolidLinesCoverEveryPixelIncludingBothEnds) {
    RasterImage image(20, 10);
    RasterCanvas canvas(image);
    canvas.selectPen({PenStyle::Solid, 1, 0, 0, 0});
    canvas.moveTo(2, 3);
    canvas.lineTo(12, 3);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(image.pixel(x, 3), x >= 2 && x <= 12 ? 0u : 0xFFFFFFu) << x;
    EXPECT_EQ(image.pixel(5, 2), 0xFFFFFFu);
}

TEST(RasterCanvas, WidePensAreTwoPixelsAndColoursAreKept) {
    RasterImage image(10, 10);
    RasterCanvas canvas(image);
    canvas.selectPen({PenStyle::Solid, 2, 250, 0, 0});
    canvas.moveTo(5, 1);
    canvas.lineTo(5, 8);
    int marked = 0;
    for (int x = 0; x < 10; ++x)
        marked += image.pixel(x, 4) == 0xFA0000u;
    EXPECT_EQ(marked, 2);
}

TEST(RasterCanvas, DashesAndDotsLeaveGaps) {
    RasterImage image(100, 4);
    RasterCanvas canvas(image);
    canvas.selectPen({PenStyle::Dashed, 1, 0, 0, 0});
    canvas.moveTo(0, 1);
    canvas.lineTo(99, 1);
    canvas.selectPen({PenStyle::Dotted, 1, 0, 0, 0});
    canvas.moveTo(0, 2);
    canvas.lineTo(99, 2);
    int dash = 0, dot = 0;
    for (int x = 0; x < 100; ++x) {
        dash += image.pixel(x, 1) == 0;
        dot += image.pixel(x, 2) == 0;
    }
    EXPECT_EQ(image.pixel(17, 1), 0u);
    EXPECT_EQ(image.pixel(18, 1), 0xFFFFFFu);
    EXPECT_EQ(dash, 18 * 4 + 4);
    EXPECT_EQ(dot, 51);
}

TEST(RasterCanvas, LinesFarOutsideAreClippedCheaply) {
    RasterImage image(10, 10);
    RasterCanvas canvas(image);
    canvas.selectPen({PenStyle::Solid, 1, 0, 0, 0});
    canvas.moveTo(-1000000000, 5);
    canvas.lineTo(1000000000, 5);
    canvas.moveTo(-1000000000, -1000000000);
    canvas.lineTo(-1000000000, 1000000000);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image.pixel(x, 5), 0u);
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFu);
}

} // namespace
} // namespace plicato
