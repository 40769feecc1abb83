// The one routine that draws the development pattern on a canvas, shared by the pattern image,
// printing and the plotter job, and the geometry of the pattern image.
#pragma once

#include "output/pattern_canvas.h"
#include "pattern/pattern_line.h"

namespace plicato {

class CardModel;

// The pens of one line kind in normal output and in the plotter's cut mode.
PatternPen patternPen(LineKind kind, bool cutMode);

// Draws `lines` of a card of cardWidth by 2 * cardHeight mm. offsetX/offsetY are millimetres
// from the device origin, scaleX/scaleY device units per centimetre, sizeFactor scales the
// pattern (1 = true size). Device coordinates are truncated towards zero.
void drawPattern(PatternCanvas& canvas, const PatternLineList& lines, int cardWidth, int cardHeight,
                 double offsetX, double offsetY, double scaleX, double scaleY, double sizeFactor,
                 bool mirror, bool cutMode);
// The same for the model's current links (buildPattern must have run).
void drawPattern(PatternCanvas& canvas, const CardModel& model, double offsetX, double offsetY,
                 double scaleX, double scaleY, double sizeFactor, bool mirror, bool cutMode);

// Size and scale of the pattern image for a chosen width in pixels: a 10-pixel margin on every
// side, the height following from the card's proportions.
struct PatternImageGeometry {
    int width = 0;
    int height = 0;
    double ratio = 0.0;  // device units (pixels) per centimetre
    double offset = 0.0; // millimetres, the margin
};

constexpr int minPatternImageWidth = 100;
constexpr int maxPatternImageWidth = 1600;
constexpr int defaultPatternImageWidth = 400;

PatternImageGeometry patternImageGeometry(int width, int cardWidth, int cardHeight);

} // namespace plicato
