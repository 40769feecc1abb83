// The process-wide core state and its installation point.
#include "model/core_state.h"

namespace plicato {

namespace {
CoreState defaultState;
CoreState* current = &defaultState;
} // namespace

CoreState& coreState() {
    return *current;
}

void installCoreState(CoreState* state) {
    current = state ? state : &defaultState;
}

} // namespace plicato
