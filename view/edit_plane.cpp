// Edit plane placement, handle dragging and grid steps.
#include "view/edit_plane.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plicato {

namespace {

// Nearest grid line, halves upward: used for x, which may be negative on either side.
double snapFloor(double v, double g) {
    return std::floor(v / g + 0.5) * g;
}
// Truncation toward zero: below the fold, up to 1.5 steps still lands on 0.
double snapTrunc(double v, double g) {
    return std::trunc(v / g + 0.5) * g;
}

const Face* lastRaisedFace(const CardModel& model, FacePlane plane) {
    for (std::size_t i = model.builtFaces.size(); i-- > 0;) {
        const Face& f = *model.builtFaces[i];
        if (f.plane == plane && std::fabs(f.offset) >= 0.00001)
            return &f;
    }
    return nullptr;
}

// Scans grid candidates in increasing order and returns the index of the nearest in window
// distance, stopping at the first that is not nearer than the best so far.
template <class PointAt>
int nearestCandidate(const ProjectionCache& projection, int count, PointAt pointAt, double x,
                     double y) {
    int best = 0;
    double bestDistance = projection.windowDistance(pointAt(0), x, y);
    for (int i = 1; i < count; ++i) {
        const double d = projection.windowDistance(pointAt(i), x, y);
        if (!(d < bestDistance))
            break;
        best = i;
        bestDistance = d;
    }
    return best;
}

// Number of grid candidates start, start + g, ... up to and including `last`.
int candidateCount(double start, double last, double g) {
    if (!(g > 0.0) || start > last)
        return 1;
    int n = 0;
    while (start + n * g <= last && n < 100000)
        ++n;
    return std::max(n, 1);
}

} // namespace

Point3 pointOnEditPlane(const CardModel& model, const ProjectionCache& projection, double x,
                        double y, int viewHeight) {
    const auto ray = projection.unprojectRay(x, viewHeight - y);
    const Point3& f = ray[0];
    const Point3& m = ray[1];
    const double g = model.gridSize;
    const double e = model.editOffset;
    if (model.editPlane == FacePlane::Horizontal) {
        const double t = (e - f.z) / (m.z - f.z);
        const double px = (1 - t) * f.x + t * m.x;
        const double py = (1 - t) * f.y + t * m.y;
        return {snapFloor(px, g), snapTrunc(py, g), e};
    }
    const double t = (e - f.y) / (m.y - f.y);
    const double px = (1 - t) * f.x + t * m.x;
    const double pz = (1 - t) * f.z + t * m.z;
    return {snapFloor(px, g), e, snapTrunc(pz, g)};
}

void togglePlane(CardModel& model) {
    model.drawPoints.clear();
    if (model.editPlane == FacePlane::Vertical) {
        if (const Face* f = lastRaisedFace(model, FacePlane::Vertical)) {
            double top = -std::numeric_limits<double>::infinity();
            for (const auto& loop : f->polygon.loops)
                for (const Point2& p : loop->points)
                    top = std::max(top, f->offset + p.y);
            if (std::isfinite(top))
                model.editOffset = snapTrunc(top, model.gridSize);
        }
        model.editPlane = FacePlane::Horizontal;
    } else {
        if (const Face* f = lastRaisedFace(model, FacePlane::Horizontal)) {
            double front = std::numeric_limits<double>::infinity();
            for (const auto& loop : f->polygon.loops)
                for (const Point2& p : loop->points)
                    front = std::min(front, f->offset - p.y);
            if (std::isfinite(front))
                model.editOffset = snapTrunc(std::max(front, 0.0), model.gridSize);
        }
        model.editPlane = FacePlane::Vertical;
    }
}

bool moveEditPlaneUp(CardModel& model) {
    model.drawPoints.clear();
    if (model.editPlane == FacePlane::Vertical) {
        if (model.editOffset > 0) {
            model.editOffset -= model.gridSize;
            return true;
        }
    } else if (model.editOffset < model.cardHeight) {
        model.editOffset += model.gridSize;
        return true;
    }
    return false;
}

bool moveEditPlaneDown(CardModel& model) {
    model.drawPoints.clear();
    if (model.editPlane == FacePlane::Vertical) {
        if (model.editOffset < model.cardHeight) {
            model.editOffset += model.gridSize;
            return true;
        }
    } else if (model.editOffset > 0) {
        model.editOffset -= model.gridSize;
        return true;
    }
    return false;
}

bool moveMirrorLeft(CardModel& model, const DisplayState& state) {
    if (!state.mirrorEdit)
        return false;
    if (-integerHalf(model.cardWidth) + 2 * model.gridSize < model.mirrorX) {
        model.mirrorX -= model.gridSize;
        return true;
    }
    return false;
}

bool moveMirrorRight(CardModel& model, const DisplayState& state) {
    if (!state.mirrorEdit)
        return false;
    if (model.mirrorX < integerHalf(model.cardWidth) - 2 * model.gridSize) {
        model.mirrorX += model.gridSize;
        return true;
    }
    return false;
}

Point3 handlePosition(const CardModel& model, int handle) {
    const double hw = integerHalf(model.cardWidth);
    const double e = model.editOffset;
    switch (handle) {
    case VerticalRight:
        return {hw, e, 0};
    case VerticalLeft:
        return {-hw, e, 0};
    case HorizontalRight:
        return {hw, 0, e};
    case HorizontalLeft:
        return {-hw, 0, e};
    case MirrorHandle:
        return {model.mirrorX, double(model.cardHeight), 0};
    default:
        return {};
    }
}

bool handlesActive(const DisplayState& state) {
    return state.inMode(EditMode::PolygonFace) || state.inMode(EditMode::Rectangle3) ||
           state.inMode(EditMode::CutOut);
}

int pickHandle(const CardModel& model, const DisplayState& state, const ProjectionCache& projection,
               double x, double y) {
    int picked = NoHandle;
    const bool horizontal = model.editPlane == FacePlane::Horizontal;
    const int first = horizontal ? HorizontalRight : VerticalRight;
    for (int h : {first, first + 1})
        if (projection.windowDistance(handlePosition(model, h), x, y) < 8.0)
            picked = h;
    if (state.mirrorEdit &&
        projection.windowDistance(handlePosition(model, MirrorHandle), x, y) < 8.0)
        picked = MirrorHandle;
    return picked;
}

void dragHandle(CardModel& model, const ProjectionCache& projection, int handle, double x,
                double y) {
    const double g = model.gridSize;
    const double hw = integerHalf(model.cardWidth);
    const double h = model.cardHeight;
    if (handle == MirrorHandle) {
        const int n = candidateCount(-hw, hw, g);
        const int best = nearestCandidate(
            projection, n,
            [&](int i) {
                return Point3{-hw + i * g, h, 0};
            },
            x, y);
        model.mirrorX = -hw + best * g;
        return;
    }
    if (handle < VerticalRight || handle > HorizontalLeft)
        return;
    const int n = candidateCount(0.0, h, g);
    const int best = nearestCandidate(
        projection, n,
        [&](int i) {
            const double s = i * g;
            switch (handle) {
            case VerticalRight:
                return Point3{hw, s, 0};
            case VerticalLeft:
                return Point3{-hw, s, 0};
            case HorizontalRight:
                return Point3{hw, 0, s};
            default:
                return Point3{-hw, 0, s};
            }
        },
        x, y);
    const double s = best * g;
    if (s != model.editOffset) {
        model.editOffset = s;
        model.drawPoints.clear();
    }
}

bool canMakeGridSmaller(const CardModel* model) {
    return model && 2 * minimumGridSize <= model->gridSize;
}

bool canMakeGridLarger(const CardModel* model) {
    return model && 2 * model->gridSize < model->cardWidth &&
           2 * model->gridSize < model->cardHeight;
}

bool makeGridSmaller(CardModel& model) {
    if (!(2 * minimumGridSize <= model.gridSize))
        return false;
    model.gridLevel += 1;
    model.gridSize = std::ldexp(model.initGridSize, -model.gridLevel);
    return true;
}

bool makeGridLarger(CardModel& model) {
    if (2 * model.gridSize > model.cardWidth || 2 * model.gridSize > model.cardHeight)
        return false;
    model.gridLevel -= 1;
    model.gridSize = std::ldexp(model.initGridSize, -model.gridLevel);
    model.editOffset = model.snapToGrid(model.editOffset);
    return true;
}

void toggleEditPlaneShown(DisplayState& state, CardModel* model) {
    state.showEditPlane = !state.showEditPlane;
    if (model)
        model->drawPoints.clear();
}

} // namespace plicato
