// Moving and resizing an underlay picture with the mouse in the two underlay modes: the hit test
// of its eight handles and its inside, the move (Ctrl keeps one axis, optional grid snap) and
// the handle drags with the keep-aspect rules, and the sizing cursor each handle shows.
#pragma once

#include "model/card_model.h"
#include "view/display_state.h"
#include "view/projection_cache.h"

namespace plicato {

// The two flags of the underlay dialog; process-wide, false at start, not in the profile.
struct UnderlayFlags {
    bool keepAspect = false;
    bool snapToGrid = false;
};
UnderlayFlags& underlayFlags();

enum class SizingCursor { Unchanged, NorthEastSouthWest, NorthWestSouthEast, WestEast, NorthSouth };

// The record the mode works on: front in UnderlayFront, top in UnderlayTop, else nullptr.
UnderlayImage* underlayOfMode(CardModel& model, const DisplayState& state);
const UnderlayImage* underlayOfMode(const CardModel& model, const DisplayState& state);

class UnderlayPlacement {
public:
    static constexpr int moving = 9;
    static constexpr double pickRadius = 8.0; // pixels

    // 1..8 a handle, 9 inside the picture (borders excluded), 0 nothing or another mode.
    int hit(const CardModel& model, const DisplayState& state, const ProjectionCache& projection,
            double x, double y) const;
    // Left press: grabs what is hit; true when something was (the view redraws, and the press
    // enters no outline point).
    bool press(CardModel& model, const DisplayState& state, const ProjectionCache& projection,
               double x, double y);
    // Mouse movement in the modes: the cursor to show, and the drag while something is
    // grabbed. `dragged` tells whether the picture changed.
    struct MoveResult {
        SizingCursor cursor = SizingCursor::Unchanged;
        bool dragged = false;
    };
    MoveResult move(CardModel& model, const DisplayState& state, const ProjectionCache& projection,
                    double x, double y, bool ctrl, const UnderlayFlags& flags);
    // Left release: true when a grab ended (redraw, and no outline point).
    bool release();

    static SizingCursor cursorFor(int handle, bool topView);

    int handle = 0;            // underlayHandle
    double startCenterX = 0.0; // underlayStartPos at the press
    double startBottom = 0.0;
    double pressX = 0.0, pressY = 0.0;
};

} // namespace plicato
