// The pattern canvas on a QPainter (image, printer or clipboard bitmap): the Qt side of the
// pattern drawing, for the application's pattern commands.
#pragma once

#include "output/pattern_canvas.h"

class QPainter;

namespace plicato {

// Pens map to Qt pens without antialiasing; width 0 is Qt's cosmetic one-pixel pen, and the
// dashes and dots keep the lengths of the software raster canvas (18 on 6 off, 3 on 3 off).
// `unitScale` device units make one pen unit: on a printer (dpi / 96) the pens keep their
// screen widths and dash lengths, and a fold pen keeps a real width, so it stays dashed where
// a hairline dash would print solid.
class PainterCanvas : public PatternCanvas {
public:
    explicit PainterCanvas(QPainter& painter, double unitScale = 1.0);
    void selectPen(const PatternPen& pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

private:
    QPainter& painter_;
    double unitScale_ = 1.0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace plicato
