// Drawing of the colour swatch buttons and their grey frame.
#include "gui/dialogs/color_button.h"

#include <QPainter>

#include <cstdlib>

namespace plicato {

namespace {

QColor colorOf(int number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

} // namespace

void draw3dFrame(QPainter& painter, const QRect& rect, int w) {
    // Windows rectangles end one past their last pixel; lines stop short of their end point.
    int left = rect.left(), top = rect.top();
    int right = rect.right() + 1, bottom = rect.bottom() + 1;
    const int rings = std::abs(w);
    const bool raised = w > 0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < rings; ++k) {
        int light = 255, dark = 128;
        if (rings != 1) {
            light = 192 + 63 / (k + 1);
            dark = 255 / (k + 2);
        }
        const QColor lightColor(light, light, light), darkColor(dark, dark, dark);
        QColor topLeft = raised ? lightColor : darkColor;
        QColor bottomRight = raised ? darkColor : lightColor;
        if (!raised && rings > 1 && k == rings - 1)
            bottomRight = QColor(1, 1, 1);
        auto line = [&](const QColor& c, int x0, int y0, int x1, int y1) {
            if (x1 == x0 && y1 == y0)
                return;
            // The end point is not drawn.
            const int ex = x1 > x0 ? x1 - 1 : x1, ey = y1 > y0 ? y1 - 1 : y1;
            painter.setPen(QPen(c, 1));
            painter.drawLine(x0, y0, ex, ey);
        };
        line(topLeft, left, top, right, top);
        line(topLeft, left, top, left, bottom);
        line(bottomRight, left + 1, bottom - 1, right, bottom - 1);
        line(bottomRight, right - 1, top + 1, right - 1, bottom);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    painter.restore();
}

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {
    setMinimumSize(48, 24);
}

void CColorButton::setColor(int number) {
    color_ = number;
    update();
}

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, colorOf(color_));
    draw3dFrame(painter, r, 2);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

} // namespace plicato
