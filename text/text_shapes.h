// A line of text turned into faces: outer contours standing on the vertical plane, holes as
// cut-outs lying on the base, centred on the card's centre line and left selected.
#pragma once

#include "model/card_model.h"
#include "model/message_sink.h"
#include "text/glyph_outline.h"

#include <string>

namespace plicato {

// Where glyph outlines come from: a font, or a table in tests.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // False when the character cannot be loaded; it then adds neither faces nor advance.
    virtual bool glyph(char32_t code, GlyphOutline& out) const = 0;
};

// The dialog's remembered choices for the run.
struct TextShapeSettings {
    std::string faceName = "ＭＳ ゴシック";
    int size = 30; // mm
};

inline constexpr double minSegmentLength = 0.2;
inline constexpr double maxSegmentLength = 5.0;
inline constexpr int minTextSize = 10;
inline constexpr int maxTextSize = 200;

// The refusal shown for a segment length outside 0.2..5.
std::string segmentLengthMessage();
// True when the segment length may be used; otherwise the refusal goes to `sink`.
bool checkSegmentLength(double length, MessageSink& sink);

// Adds the faces of `text` from `glyphs` to the model (no undo step, no plane switch): each
// character's contours go to the vertical plane at the current edit offset or, when they are
// holes, to the base; then the new faces are selected, centred and the built faces rebuilt.
// Returns the total advance.
double buildTextShapes(CardModel& model, const GlyphSource& glyphs, const std::u32string& text,
                       double segmentLength);

} // namespace plicato
