// Drawing pattern lines with QPainter.
#include "gui/output/painter_canvas.h"

#include <QPainter>
#include <QPen>

namespace plicato {

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::selectPen(const PatternPen& pen) {
    QPen qpen(QColor(pen.red, pen.green, pen.blue));
    qpen.setWidth(pen.width);
    qpen.setCapStyle(Qt::SquareCap);
    // Dash lengths are in pen widths; a cosmetic pen counts as one pixel wide.
    const double unit = pen.width > 1 ? pen.width : 1;
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
