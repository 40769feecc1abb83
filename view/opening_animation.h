// Opening and closing the card: the slider angle, the animation step that reverses at the ends,
// and what showing and closing the tool window do to the display state.
#pragma once

#include "view/display_state.h"

namespace plicato {

class OpeningAnimation {
public:
    static constexpr int periodMs = 100;

    explicit OpeningAnimation(DisplayState& state) : state_(state) {}

    // The tool window is shown: the edit plane is hidden (remembered for close, only when the
    // window was not open already), the pop-up display is chosen and the face-operation mode
    // is left.
    void show();
    // The window was hidden by a mode command: the timer stops and the next show opens afresh.
    void hidden() {
        running_ = false;
        open_ = false;
    }
    // The slider was moved to `angle`.
    void sliderMoved(int angle);
    // Start and stop of the timer; starting again continues in the last direction.
    void start();
    void stop() { running_ = false; }
    // One timer step of two degrees, reversing at 0 and 180.
    void tick();
    void rightAngle();
    // The window is closed: timer stopped, card back at 90 degrees, edit plane as before show().
    void close();

    bool running() const { return running_; }
    int sliderAngle() const { return sliderAngle_; }
    int shownAngle() const { return shownAngle_; }
    int step() const { return step_; }

private:
    DisplayState& state_;
    int sliderAngle_ = 90;
    int shownAngle_ = 90;
    int step_ = 2;
    bool running_ = false;
    bool savedShowEditPlane_ = true;
    bool open_ = false;
};

} // namespace plicato
