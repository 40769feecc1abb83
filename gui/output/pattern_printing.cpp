// Rendering the pattern image and the printed page through the shared pattern drawing.
#include "gui/output/pattern_printing.h"

#include "gui/output/painter_canvas.h"
#include "model/card_model.h"
#include "output/pattern_drawing.h"

#include <QPainter>
#include <QPrinter>

namespace plicato {

namespace {
// Pattern images beyond this many pixels are refused rather than allocated.
constexpr long long maxImagePixels = 64LL * 1024 * 1024;
} // namespace

std::optional<RasterImage> makePatternImage(const CardModel& model, int width, bool mirror) {
    if (model.cardWidth <= 0 || model.cardHeight <= 0)
        return std::nullopt;
    const PatternImageGeometry g = patternImageGeometry(width, model.cardWidth, model.cardHeight);
    if (g.width <= 0 || g.height <= 0 || (long long)g.width * g.height > maxImagePixels)
        return std::nullopt;
    RasterImage image(g.width, g.height);
    RasterCanvas canvas(image);
    drawPattern(canvas, model, g.offset, g.offset, g.ratio, g.ratio, 1.0, mirror, false);
    return image;
}

QImage toQImage(const RasterImage& image) {
    QImage out(image.width, image.height, QImage::Format_RGB888);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(&image.rgb[std::size_t(y) * std::size_t(image.width) * 3],
                    std::size_t(image.width) * 3, out.scanLine(y));
    return out;
}

PageLayout drawPatternPage(QPainter& painter, const QPrinter& printer, const CardModel& model,
                           const OutputSettings& settings, bool cutMode) {
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const PageLayout layout =
        layoutPage(printer.logicalDpiX(), printer.logicalDpiY(), area.width(), area.height(),
                   model.cardWidth, model.cardHeight, settings);
    painter.save();
    painter.resetTransform();
    painter.translate(layout.originShiftX, layout.originShiftY);
    // Pens keep the widths they have on a 96 dpi screen, so folds print dashed and dotted.
    PainterCanvas canvas(painter, printer.logicalDpiX() / 96.0);
    drawPattern(canvas, model, settings.marginX, settings.marginY, layout.dpcmX, layout.dpcmY,
                layout.sizeFactor, settings.mirrorPattern, cutMode);
    painter.restore();
    return layout;
}

} // namespace plicato
