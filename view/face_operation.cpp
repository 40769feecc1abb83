// Face operation mode: gizmo hit test and drags in whole grid steps, rubber-band selection,
// picking through projected triangles by clip-space depth, and the moving keys.
#include "view/face_operation.h"

#include "editing/clipboard.h"
#include "editing/move_scale.h"
#include "editing/selection.h"
#include "editing/undo_history.h"

#include <algorithm>
#include <cmath>

namespace plicato {

namespace {

Point3 along(const Point3& g, int axis, double t) {
    Point3 p = g;
    (axis == 1 ? p.x : axis == 2 ? p.y : p.z) += t;
    return p;
}

} // namespace

double gizmoArmLength(const CardModel& model, double cameraScale) {
    return cameraScale != 0.0 ? 0.1 * model.cardWidth / cameraScale : 0.0;
}

int pickGizmoAxis(const CardModel& model, const ProjectionCache& projection, double armLength,
                  double x, double y) {
    for (int axis = 1; axis <= 3; ++axis)
        if (projection.windowDistance(along(model.selectionBox.handle, axis, armLength), x, y) <
            gizmoPickRadius)
            return axis;
    return 0;
}

void selectByRectangle(CardModel& model, const ProjectionCache& projection, double x1, double y1,
                       double x2, double y2, bool keep) {
    if (!keep)
        clearSelection(model);
    const double loX = std::min(x1, x2), hiX = std::max(x1, x2);
    const double loY = std::min(y1, y2), hiY = std::max(y1, y2);
    for (auto& fp : model.userFaces) {
        Face& f = *fp;
        if (f.isBase)
            continue;
        bool inside = true;
        for (const auto& loop : f.polygon.loops) {
            for (const Point2& p : loop->points) {
                const WindowPoint w = projection.project(f.toSpace(p));
                if (!(w.x >= loX && w.x <= hiX && w.y >= loY && w.y <= hiY)) {
                    inside = false;
                    break;
                }
            }
            if (!inside)
                break;
        }
        if (inside)
            f.isSelected = true;
    }
    rebuildSelection(model);
}

Face* pickFace(const CardModel& model, const ProjectionCache& projection, double x, double y) {
    Face* best = nullptr;
    double bestDepth = 0.0;
    for (const auto& fp : model.userFaces) {
        Face& f = *fp;
        if (f.isBase)
            continue;
        for (const Triangle& t : f.triangles) {
            WindowPoint w[3];
            for (int i = 0; i < 3; ++i)
                w[i] = projection.project(f.toSpace(t.corners[i]));
            int nonNegative = 0;
            for (int i = 0; i < 3; ++i) {
                const WindowPoint& a = w[i];
                const WindowPoint& b = w[(i + 1) % 3];
                const double s = (b.x - a.x) * (b.y - y) - (b.y - a.y) * (b.x - x);
                nonNegative += s >= 0.0 ? 1 : 0;
            }
            if (nonNegative != 0 && nonNegative != 3)
                continue;
            const double depth = (w[0].depth + w[1].depth + w[2].depth) / 3.0;
            if (!best || depth < bestDepth) {
                best = &f;
                bestDepth = depth;
            }
            break; // the first triangle under the mouse decides the face's depth
        }
    }
    return best;
}

void clickFace(CardModel& model, Face* face, bool shift) {
    if (face) {
        if (shift) {
            face->isSelected = !face->isSelected;
        } else {
            clearSelection(model);
            face->isSelected = true;
        }
        rebuildSelection(model);
    } else if (!shift) {
        clearSelection(model);
    }
}

void GizmoDrag::start(CardModel& model, int axis, double armLength) {
    axis_ = axis;
    moved_ = false;
    undoSaved_ = false;
    armLength_ = armLength;
    updateSelectionBox(model);
    handle_ = model.selectionBox.handle;
    remembered_.clear();
    for (Face* f : model.selectedFaces) {
        Remembered r{f, f->offset, {}};
        for (const auto& loop : f->polygon.loops)
            r.loops.push_back(loop->points);
        remembered_.push_back(std::move(r));
    }
}

void GizmoDrag::restore() {
    for (Remembered& r : remembered_) {
        r.face->offset = r.offset;
        for (std::size_t i = 0; i < r.loops.size() && i < r.face->polygon.loops.size(); ++i)
            r.face->polygon.loops[i]->points = r.loops[i];
    }
}

void GizmoDrag::drag(CardModel& model, const ProjectionCache& projection, double pressX,
                     double pressY, double x, double y) {
    if (axis_ == 0 || remembered_.empty())
        return; // nothing selected: the arrow moves nothing
    const WindowPoint s0 = projection.project(handle_);
    const WindowPoint s1 = projection.project(along(handle_, axis_, armLength_));
    const double ax = s1.x - s0.x, ay = s1.y - s0.y;
    const double len2 = ax * ax + ay * ay;
    if (!(len2 > 0.0))
        return; // the arrow points at the eye: no direction to drag along
    const double t = (ax * (x - pressX) + ay * (y - pressY)) / len2;
    const double g = model.gridSize;
    const double steps = g > 0.0 ? std::trunc(t * armLength_ / g) : 0.0;
    if (!std::isfinite(steps))
        return;
    const double d = g * steps;
    const bool moving = d != 0.0;
    if (moving && !undoSaved_) {
        // The snapshot holds the faces as they were at the press.
        restore();
        pushUndo(model);
        undoSaved_ = true;
    }
    moved_ = moving;
    restore();
    moveSelection(model, axis_ == 1 ? d : 0.0, axis_ == 2 ? d : 0.0, axis_ == 3 ? d : 0.0);
}

void GizmoDrag::finish(CardModel& model) {
    if (undoSaved_ && !moved_)
        dropUndo(model);
    reset();
}

void faceOperationKey(CardModel& model, FaceKey key) {
    if (key == FaceKey::Delete) {
        deleteSelection(model);
        return;
    }
    int i = 0, j = 0, k = 0;
    switch (key) {
    case FaceKey::Left:
        i = -1;
        break;
    case FaceKey::Right:
        i = 1;
        break;
    case FaceKey::Up:
        j = -1;
        break;
    case FaceKey::Down:
        j = 1;
        break;
    case FaceKey::PageUp:
        k = 1;
        break;
    case FaceKey::PageDown:
        k = -1;
        break;
    case FaceKey::Delete:
        break;
    }
    if (model.selectedFaces.empty())
        return;
    moveSelectionByGrid(model, i, j, k);
    forgetRedo(model);
}

} // namespace plicato
