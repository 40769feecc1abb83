// The text-shape command after its dialog: font lookup, one undo step, the faces, and the
// face-operation mode that follows.
#pragma once

#include "model/card_model.h"
#include "model/message_sink.h"
#include "view/display_state.h"

#include <string>

namespace plicato {

struct TextShapeRequest {
    std::string text; // UTF-8
    std::string faceName;
    int size = 30; // mm, read as points at the screen's resolution
    double segmentLength = 1.0;
};

// Makes the faces of the request; false (and the design untouched) for empty text or a font
// that cannot be found or loaded, which is reported through `sink`.
bool runTextShapeCommand(CardModel& model, DisplayState& state, const TextShapeRequest& request,
                         int dotsPerInch, MessageSink& sink);

} // namespace plicato
