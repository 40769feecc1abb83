// Drawing the pattern lines through the abstract canvas with the pens of each line kind.
#include "output/pattern_drawing.h"

#include "model/card_model.h"

#include <algorithm>
#include <cmath>

namespace plicato {

namespace {

// Truncation towards zero; values beyond any device (or not a number) are pinned so that the
// conversion stays defined.
int deviceUnit(double v) {
    if (std::isnan(v))
        return 0;
    return int(std::trunc(std::clamp(v, -1e9, 1e9)));
}

} // namespace

PatternPen patternPen(LineKind kind, bool cutMode) {
    if (cutMode) {
        // The plotter tells cuts from folds by colour: folds are only scored.
        if (kind == LineKind::Cut)
            return {PenStyle::Solid, 0, 0, 0, 0};
        return {PenStyle::Solid, 0, 250, 0, 0};
    }
    switch (kind) {
    case LineKind::Mountain:
        return {PenStyle::Dashed, 1, 0, 0, 0};
    case LineKind::Valley:
        return {PenStyle::Dotted, 1, 0, 0, 0};
    case LineKind::Cut:
        break;
    }
    return {PenStyle::Solid, 2, 0, 0, 0};
}

void drawPattern(PatternCanvas& canvas, const PatternLineList& lines, int cardWidth, int cardHeight,
                 double offsetX, double offsetY, double scaleX, double scaleY, double sizeFactor,
                 bool mirror, bool cutMode) {
    const int halfW = cardWidth / 2;
    double originX = halfW * sizeFactor + offsetX;
    const double originY = cardHeight * sizeFactor + offsetY;
    if (mirror) {
        originX = -originX;
        scaleX = -scaleX;
    }
    const PatternPen pens[3] = {patternPen(LineKind::Cut, cutMode),
                                patternPen(LineKind::Mountain, cutMode),
                                patternPen(LineKind::Valley, cutMode)};
    const auto px = [&](double x) { return deviceUnit((sizeFactor * x + originX) * scaleX * 0.1); };
    const auto py = [&](double y) { return deviceUnit((originY - sizeFactor * y) * scaleY * 0.1); };
    for (const PatternLine& line : lines) {
        if (line.kind >= 0 && line.kind <= 2)
            canvas.selectPen(pens[line.kind]);
        canvas.moveTo(px(line.x1), py(line.y1));
        canvas.lineTo(px(line.x2), py(line.y2));
    }
}

void drawPattern(PatternCanvas& canvas, const CardModel& model, double offsetX, double offsetY,
                 double scaleX, double scaleY, double sizeFactor, bool mirror, bool cutMode) {
    PatternLineList lines;
    collectPatternLines(model, lines);
    drawPattern(canvas, lines, model.cardWidth, model.cardHeight, offsetX, offsetY, scaleX, scaleY,
                sizeFactor, mirror, cutMode);
}

PatternImageGeometry patternImageGeometry(int width, int cardWidth, int cardHeight) {
    PatternImageGeometry g;
    g.width = width;
    g.height = int(std::trunc((width - 20) * 2.0 * cardHeight / cardWidth)) + 20;
    g.ratio = (width - 20) / double(cardWidth) * 10;
    g.offset = 10 / g.ratio * 10;
    return g;
}

} // namespace plicato
