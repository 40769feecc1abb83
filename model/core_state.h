// The few process-wide display facts that core code reads: the opening angle used to place
// faces in space, mirror editing, and the editing mode. The view's DisplayState builds on this.
#pragma once

namespace plicato {

enum class EditMode : int {
    PolygonFace = 0,
    Rectangle3 = 1,
    CutOut = 2,
    FaceOperation = 3,
    UnderlayFront = 4,
    UnderlayTop = 5,
    OutlineEdit = 6,
    Subdivide = 7,
};

struct CoreState {
    int editMode = 0; // an EditMode value
    bool mirrorEdit = false;
    int openAngle = 90; // whole degrees, 0 (closed) to 180 (flat)

    bool faceOperationActive() const { return editMode == int(EditMode::FaceOperation); }
};

// The one process-wide state. A default instance exists from the start; the view installs its
// DisplayState (which derives from CoreState) and tests may install fresh ones.
CoreState& coreState();
// Installs `state` as the process-wide instance (nullptr restores the default instance).
void installCoreState(CoreState* state);

} // namespace plicato
