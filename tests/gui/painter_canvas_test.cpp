// The QPainter canvas draws the pattern where the software raster canvas does.
#include "gui/output/painter_canvas.h"
#include "output/pattern_drawing.h"
#include "output/raster_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace plicato {
namespace {

TEST(PainterCanvas, SolidLinesLandOnTheSamePixelsAsTheRasterCanvas) {
    const PatternLineList lines = {{-50, -100, -50, 100, 0},
                                   {-50, 100, 50, 100, 0},
                                   {50, 100, 50, -100, 0},
                                   {-50, -100, 50, -100, 0}};
    const PatternImageGeometry g = patternImageGeometry(200, 100, 100);
    QImage image(g.width, g.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        drawPattern(canvas, lines, 100, 100, g.offset, g.offset, g.ratio, g.ratio, 1.0, false,
                    true);
    }
    RasterImage raster(g.width, g.height);
    RasterCanvas rasterCanvas(raster);
    drawPattern(rasterCanvas, lines, 100, 100, g.offset, g.offset, g.ratio, g.ratio, 1.0, false,
                true);
    int differing = 0, dark = 0;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const bool qtDark = qGray(image.pixel(x, y)) < 128;
            const bool ourDark = raster.pixel(x, y) == 0;
            dark += ourDark;
            differing += qtDark != ourDark;
        }
    EXPECT_GE(dark, 2 * (g.width + g.height) - 84); // the outline inside a 10-pixel margin
    EXPECT_EQ(differing, 0);
}

TEST(PainterCanvas, FoldPensAreDashedAndRedInCutMode) {
    QImage image(120, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.selectPen(patternPen(LineKind::Mountain, false));
        canvas.moveTo(0, 5);
        canvas.lineTo(119, 5);
        canvas.selectPen(patternPen(LineKind::Valley, true));
        canvas.moveTo(0, 10);
        canvas.lineTo(119, 10);
    }
    int gaps = 0;
    for (int x = 0; x < 119; ++x)
        gaps += qGray(image.pixel(x, 5)) > 128;
    EXPECT_GT(gaps, 20);
    EXPECT_LT(gaps, 60);
    EXPECT_EQ(image.pixel(60, 10), qRgb(250, 0, 0));
}

} // namespace
} // namespace plicato
