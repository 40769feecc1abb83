// The process-wide display switches shared by the view, the main window's commands and the tool
// windows. It extends the core state so the model can read the opening angle and the mode.
#pragma once

#include "model/core_state.h"

namespace plicato {

struct DisplayState : CoreState {
    bool orthographic = false;
    bool autoAxisSnap = true; // never changed
    bool showEditPlane = true;
    bool showUnderlay = true;
    bool antiAlias = false;
    bool inputDisplay = false; // true: the user's faces; false: the built pop-up
    bool cardSizePreview = false;
    int previewWidth = 0; // mm
    int previewHeight = 0;
    bool showDesignCheck = false; // pieces coloured by the design check, findings listed

    EditMode mode() const { return EditMode(editMode); }
    bool inMode(EditMode m) const { return editMode == int(m); }
};

// The one display state of the process; created and installed as the core state on first use.
DisplayState& displayState();
// Makes `state` the process-wide display state and core state (nullptr: back to the built-in
// instance). Tests install fresh ones.
void installDisplayState(DisplayState* state);

} // namespace plicato
