// Opening animation stepping and its effect on the display state.
#include "view/opening_animation.h"

namespace plicato {

void OpeningAnimation::show() {
    // Shown again while open, the plane is already hidden: remembering it now would lose it.
    if (!open_)
        savedShowEditPlane_ = state_.showEditPlane;
    open_ = true;
    state_.showEditPlane = false;
    state_.inputDisplay = false;
    if (state_.inMode(EditMode::FaceOperation))
        state_.editMode = int(EditMode::PolygonFace);
}

void OpeningAnimation::sliderMoved(int angle) {
    sliderAngle_ = angle;
    shownAngle_ = angle;
    state_.openAngle = angle;
}

void OpeningAnimation::start() {
    state_.showEditPlane = false;
    running_ = true;
}

void OpeningAnimation::tick() {
    sliderAngle_ += step_;
    if (sliderAngle_ > 180) {
        sliderAngle_ = 180;
        step_ = -2;
    }
    if (sliderAngle_ < 0) {
        sliderAngle_ = 0;
        step_ = 2;
    }
    state_.openAngle = sliderAngle_;
    shownAngle_ = sliderAngle_;
}

void OpeningAnimation::rightAngle() {
    sliderAngle_ = shownAngle_ = 90;
    state_.openAngle = 90;
}

void OpeningAnimation::close() {
    running_ = false;
    open_ = false;
    state_.openAngle = 90;
    state_.showEditPlane = savedShowEditPlane_;
}

} // namespace plicato
