// A controller on a hand-made card with the clicks, drags and keys of a user, placed by
// projecting model points to the window, for the tests of the editing modes.
#pragma once

#include "view/view_controller.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plicato::testing {

class DesignTest : public ::testing::Test {
protected:
    // A 160 x 80 card with a 10 mm grid, the vertical edit plane at depth 0, polygon mode.
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(handCard(160, 80, 0));
        view.resize(1280, 800);
    }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    CardModel& model() { return *currentModel(); }

    // Window position of a model point, rounded to whole pixels like mouse positions.
    std::pair<int, int> at(const Point3& p) {
        const WindowPoint w = view.refreshProjection().project(p);
        return {int(std::lround(w.x)), int(std::lround(w.y))};
    }
    ViewResponse click(const Point3& p, int modifiers = 0) {
        const auto [x, y] = at(p);
        view.leftButtonDown(x, y, modifiers);
        return view.leftButtonUp(x, y, modifiers);
    }
    ViewResponse drag(std::pair<int, int> from, std::pair<int, int> to, int modifiers = 0) {
        view.leftButtonDown(from.first, from.second, modifiers);
        view.mouseMove(to.first, to.second, LeftButton, modifiers);
        return view.leftButtonUp(to.first, to.second, modifiers);
    }
    ViewResponse rightClick(const Point3& p) {
        const auto [x, y] = at(p);
        view.rightButtonDown(x, y);
        return view.rightButtonUp(x, y);
    }
    // The user faces beyond the two card halves.
    std::size_t faceCount() { return model().userFaces.size() - 2; }
    Face& face(std::size_t i) { return *model().userFaces[i + 2]; }

    DisplayState state;
    ViewController view;
};

} // namespace plicato::testing
