// Drawing pattern lines with QPainter.
#include "gui/output/painter_canvas.h"

#include <QPainter>
#include <QPen>

namespace plicato {

PainterCanvas::PainterCanvas(QPainter& painter, double unitScale)
    : painter_(painter), unitScale_(unitScale > 1.0 ? unitScale : 1.0) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::selectPen(const PatternPen& pen) {
    QPen qpen(QColor(pen.red, pen.green, pen.blue));
    // Width 0 stays the device's thinnest line (the plotter's cut-mode hairlines).
    const double width = pen.width > 0 ? pen.width * unitScale_ : 0.0;
    qpen.setWidthF(width);
    qpen.setCapStyle(Qt::SquareCap);
    // Dash lengths are in pen widths; a cosmetic pen counts as one pixel wide.
    const double unit = (width > 1 ? width : 1) / unitScale_;
    if (pen.style == PenStyle::Dashed)
        qpen.setDashPattern({18 / unit, 6 / unit});
    else if (pen.style == PenStyle::Dotted)
        qpen.setDashPattern({3 / unit, 3 / unit});
    painter_.setPen(qpen);
}

void PainterCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void PainterCanvas::lineTo(int x, int y) {
    painter_.drawLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

} // namespace plicato
