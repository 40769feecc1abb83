// The pattern canvas on a QPainter (image, printer or clipboard bitmap): the Qt side of the
// pattern drawing, for the application's pattern commands.
#pragma once

#include "output/pattern_canvas.h"

class QPainter;

namespace plicato {

// Pens map to Qt pens without antialiasing; width 0 is Qt's cosmetic one-pixel pen, and the
// dashes and dots keep the lengths of the software raster canvas (18 on 6 off, 3 on 3 off).
class PainterCanvas : public PatternCanvas {
public:
    explicit PainterCanvas(QPainter& painter);
    void selectPen(const PatternPen& pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

private:
    QPainter& painter_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace plicato
