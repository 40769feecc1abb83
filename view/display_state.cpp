// The process-wide display state and its installation point.
#include "view/display_state.h"

namespace plicato {

namespace {
DisplayState* current = nullptr;

DisplayState& builtIn() {
    static DisplayState instance;
    return instance;
}
} // namespace

DisplayState& displayState() {
    if (!current)
        installDisplayState(nullptr);
    return *current;
}

void installDisplayState(DisplayState* state) {
    current = state ? state : &builtIn();
    installCoreState(current);
}

} // namespace plicato
