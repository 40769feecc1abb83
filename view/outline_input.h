// The click protocol of outline input: adding a clicked point to the outline being drawn under
// the right-angle, bounds, repetition and crossing rules, and closing it into a face.
#pragma once

#include "model/card_model.h"
#include "view/display_state.h"

#include <vector>

namespace plicato {

// Two points closer than this (model space) are the same point.
inline constexpr double samePointDistance = 0.01;
// Edges sharing an end with the tested segment closer than this (sheet) are not tested.
inline constexpr double sharedEndDistance = 0.0001;

// What one click did to the outline, for the window around it.
struct OutlineStep {
    bool redraw = false;
    bool beep = false;
    bool closed = false; // a face (and its mirror copy) was made
};

// Whether the segment a-b (sheet coordinates) crosses or touches an edge of the open outline
// `points`, edges sharing an end with it excepted.
bool segmentCrossesOutline(const std::vector<DrawPoint>& points, const Point2& a, const Point2& b);

// Adds the clicked edit-plane point `p` to model.drawPoints, or closes the outline, by the
// rules of the current mode. `ctrl`: the Ctrl key was held.
OutlineStep addOutlinePoint(CardModel& model, const DisplayState& state, Point3 p, bool ctrl);

// Closes the outline: crossing test of the closing segment, one undo step, the rectangle's two
// last corners when `rectangleCorner` is given, the face, its mirrored copy, drawPoints cleared.
OutlineStep closeOutline(CardModel& model, const DisplayState& state,
                         const Point3* rectangleCorner = nullptr);

// Right click: the last point goes. False when there was none.
bool removeLastOutlinePoint(CardModel& model);

} // namespace plicato
