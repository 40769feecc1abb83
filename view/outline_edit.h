// Outline editing and subdivision: picking a corner of a face on the edit plane, dragging it
// (Ctrl splits it first), and the two-pick protocol that rounds off a stretch of outline.
#pragma once

#include "model/card_model.h"
#include "view/projection_cache.h"

#include <optional>

namespace plicato {

// Corners are picked within this window distance.
inline constexpr double vertexPickRadius = 16.0;

// A corner of a user face named by position, so that it survives the loop's storage moving.
// Whether it still names a corner is checked on every use (`resolve`).
struct VertexRef {
    Face* face = nullptr;
    std::size_t loop = 0;
    std::size_t index = 0;

    // The point, or nullptr when the face is no longer in the model or the corner is gone.
    Point2* resolve(const CardModel& model) const;
};

// Whether `face` lies on the model's current edit plane and may be edited there.
bool onEditPlane(const CardModel& model, const Face& face);

// The corner nearest to (x, y) within the pick radius among the faces on the edit plane (only
// `restrictTo` when given); a later corner wins only when strictly nearer. `outerOnly` leaves
// out the corners of holes.
std::optional<VertexRef> pickVertex(const CardModel& model, const ProjectionCache& projection,
                                    double x, double y, const Face* restrictTo = nullptr,
                                    bool outerOnly = false);

// Dragging one corner of a face in the outline-editing mode.
class OutlineEditor {
public:
    // A press at (x, y): picks a corner, saves an undo step and, with `split`, inserts a copy
    // of it directly after it (the picked corner is the one dragged). False when none is near.
    bool press(CardModel& model, const ProjectionCache& projection, double x, double y, bool split);
    // Moves the dragged corner to the sheet position of edit-plane point p.
    bool move(CardModel& model, const Point3& p);
    // Places the corner at p, removes near duplicates, re-triangulates the face and rebuilds
    // the built faces. False without a dragged corner.
    bool release(CardModel& model, const Point3& p);

    bool dragging(const CardModel& model) const { return drag_.resolve(model) != nullptr; }
    // The dragged corner in space, for drawing it.
    std::optional<Point3> marked(const CardModel& model) const;
    void reset() { drag_ = {}; }

private:
    VertexRef drag_;
};

// The two picks of the subdivision mode.
class Subdivider {
public:
    // A left release at (x, y). Returns whether the view must redraw.
    bool release(CardModel& model, const ProjectionCache& projection, double x, double y);
    // Right click: forgets the first pick. False when there was none.
    bool rightClick();
    void reset() {
        first_.reset();
        face_ = nullptr;
    }

    bool hasFirst(const CardModel& model) const;
    // The face of the first pick while it is still in the model.
    const Face* face(const CardModel& model) const;
    std::optional<Point3> marked(const CardModel& model) const;

private:
    std::optional<VertexRef> first_;
    Face* face_ = nullptr;
};

} // namespace plicato
