// The pattern on Qt's paint devices: the pattern image as a QImage for the clipboard, and the
// one printed page of printing, print preview and the plotter job.
#pragma once

#include "output/print_layout.h"
#include "output/raster_canvas.h"

#include <QImage>

#include <optional>

class QPainter;
class QPrinter;

namespace plicato {

class CardModel;

// The pattern image of `width` pixels (the height follows the card), as the BMP file and the
// clipboard receive it; nothing when the card's proportions give an image too large to make.
std::optional<RasterImage> makePatternImage(const CardModel& model, int width, bool mirror);
QImage toQImage(const RasterImage& image);

// Draws the page on a painter already begun on `printer`: the layout of the printer's printable
// area, the margins, fitting and mirroring of `settings`, normal or cut-mode pens. Returns the
// layout used. The pattern links must have been built.
PageLayout drawPatternPage(QPainter& painter, const QPrinter& printer, const CardModel& model,
                           const OutputSettings& settings, bool cutMode);

} // namespace plicato
