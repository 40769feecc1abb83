// CColorButton, a push button that shows one colour, and draw3dFrame, its raised or sunken
// frame of grey rings.
#pragma once

#include <QPushButton>

class QPainter;

namespace plicato {

// Rings of the frame inside `rect` (pixels from rect.left() to rect.right() inclusive):
// w > 0 raised, w < 0 sunken, |w| rings.
void draw3dFrame(QPainter& painter, const QRect& rect, int w);

class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    // A colour number: red + 256 green + 65536 blue.
    void setColor(int number);
    int color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int color_ = 1 + 256 * 255; // red 1, green 255, blue 0 until first set
};

} // namespace plicato
