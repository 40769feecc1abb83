// Face operation mode: the move gizmo's hit test and drag, selecting by rubber band and by
// picking the nearest face under the mouse, and the keys that move or delete the selection.
#pragma once

#include "model/card_model.h"
#include "view/projection_cache.h"

#include <vector>

namespace plicato {

// The gizmo arrow tips are grabbed within this window distance.
inline constexpr double gizmoPickRadius = 16.0;

// Arm length of the gizmo in model units: the same size on the screen at every zoom.
double gizmoArmLength(const CardModel& model, double cameraScale);

// Axis under (x, y): 1 x, 2 y, 3 z, 0 none; the first tip within reach in that order wins.
int pickGizmoAxis(const CardModel& model, const ProjectionCache& projection, double armLength,
                  double x, double y);

// Selects the non-base faces whose every point projects inside the rectangle (borders
// included); without `keep` the selection is cleared first.
void selectByRectangle(CardModel& model, const ProjectionCache& projection, double x1, double y1,
                       double x2, double y2, bool keep);

// The non-base face whose triangles lie under (x, y) nearest to the eye; nullptr when none.
Face* pickFace(const CardModel& model, const ProjectionCache& projection, double x, double y);

// A click on `face` (or on nothing): with `shift` the face's selection flips, else it becomes
// the only selected face; a click on nothing clears the selection unless `shift`.
void clickFace(CardModel& model, Face* face, bool shift);

// A drag of one gizmo arrow. The faces are always moved from where they were at the press, so
// rounding never accumulates; the undo step is saved only once something really moved.
class GizmoDrag {
public:
    // Starts on `axis` (1..3) with the selection as it is now.
    void start(CardModel& model, int axis, double armLength);
    // Places the selection for the mouse at (x, y) with the press at (pressX, pressY).
    void drag(CardModel& model, const ProjectionCache& projection, double pressX, double pressY,
              double x, double y);
    // Ends the drag; the undo step goes again when the selection is back where it started.
    void finish(CardModel& model);
    // Forgets the drag without touching any model (its faces may be gone).
    void reset() {
        axis_ = 0;
        moved_ = false;
        undoSaved_ = false;
        remembered_.clear();
    }

    int axis() const { return axis_; }
    bool moved() const { return moved_; }

private:
    struct Remembered {
        Face* face;
        double offset;
        std::vector<std::vector<Point2>> loops;
    };
    void restore();

    int axis_ = 0;
    bool moved_ = false;
    bool undoSaved_ = false;
    double armLength_ = 0.0;
    Point3 handle_;
    std::vector<Remembered> remembered_;
};

enum class FaceKey { Left, Right, Up, Down, PageUp, PageDown, Delete };

// The keys of the mode: one grid step of the selection, or deleting it.
void faceOperationKey(CardModel& model, FaceKey key);

} // namespace plicato
