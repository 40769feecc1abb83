// Edit plane and grid: the grid-snapped point under the mouse, switching and moving the plane,
// its handles and the mirror plane, and making the grid finer or coarser.
#pragma once

#include "model/card_model.h"
#include "view/display_state.h"
#include "view/projection_cache.h"

namespace plicato {

// Handle ids: 1, 2 ends of a vertical plane's foot; 3, 4 ends of a horizontal plane's line on
// the upright half; 5 the mirror plane's handle on the front edge.
enum EditHandle : int {
    NoHandle = 0,
    VerticalRight = 1,
    VerticalLeft = 2,
    HorizontalRight = 3,
    HorizontalLeft = 4,
    MirrorHandle = 5,
};

// The smallest grid reachable by halving is the first below twice this.
constexpr double minimumGridSize = 0.2;

// Grid-snapped point of the edit plane under window position (x, y) (y from the top). Not
// finite when the line of sight runs along the plane.
Point3 pointOnEditPlane(const CardModel& model, const ProjectionCache& projection, double x,
                        double y, int viewHeight);

// Switches to the other plane, placed where the next step of a pop-up would start.
void togglePlane(CardModel& model);

// Arrow keys: one grid step of the edit plane (up/down) or the mirror plane (left/right).
// Each returns whether the plane moved; up and down also clear the outline being drawn.
bool moveEditPlaneUp(CardModel& model);
bool moveEditPlaneDown(CardModel& model);
bool moveMirrorLeft(CardModel& model, const DisplayState& state);
bool moveMirrorRight(CardModel& model, const DisplayState& state);

// Position of a handle in model space for the current plane and mirror position.
Point3 handlePosition(const CardModel& model, int handle);
// Handles exist in the polygon, rectangle and cut-out modes only.
bool handlesActive(const DisplayState& state);
// The handle within 8 pixels of (x, y), later tests winning; NoHandle when none.
int pickHandle(const CardModel& model, const DisplayState& state, const ProjectionCache& projection,
               double x, double y);
// Moves the plane of `handle` to the grid line nearest the mouse in window distance.
void dragHandle(CardModel& model, const ProjectionCache& projection, int handle, double x,
                double y);

bool canMakeGridSmaller(const CardModel* model);
bool canMakeGridLarger(const CardModel* model);
// Halve / double the grid when allowed; true when the grid changed.
bool makeGridSmaller(CardModel& model);
bool makeGridLarger(CardModel& model);

// Shows or hides the edit plane; the outline being drawn is dropped either way.
void toggleEditPlaneShown(DisplayState& state, CardModel* model);

} // namespace plicato
