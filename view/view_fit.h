// Fitting the card into the view: whether the whole open card is on screen, and the zoom and pan
// that bring all of it there without turning the camera.
#pragma once

#include "model/geometry.h"
#include "view/camera.h"

#include <array>

namespace plicato {

// The six corners of the card open at `openAngle` degrees: the base half's four and the upright
// half's top edge.
std::array<Point3, 6> cardCorners(int cardWidth, int cardHeight, int openAngle);

// True when every corner of the card lies in front of the camera and inside the view.
bool cardInView(const Camera& camera, const DisplayState& state, int cardWidth, int cardHeight);

// Sets the zoom and the pan so that the card fills the view up to a margin of `margin` (a
// fraction of each side) and is centred in it; the angles and the projection stay.
void fitCardInView(Camera& camera, const DisplayState& state, int cardWidth, int cardHeight,
                   double margin = 0.05);

} // namespace plicato
