// Designs for the check tests, clicked on edit planes the way a user draws them.
#pragma once

#include "check/design_check.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace plicato::testing {

using InPlane = std::pair<double, double>;

// (x, height) on a vertical plane at depth `offset`, or (x, depth) on a horizontal plane at
// height `offset`, closed in the given mode.
inline void clickOutline(CardModel& model, FacePlane plane, double offset,
                         std::initializer_list<InPlane> points,
                         EditMode mode = EditMode::PolygonFace) {
    model.editPlane = plane;
    model.editOffset = offset;
    model.drawPoints.clear();
    for (const auto& [u, v] : points) {
        const Point3 space =
            plane == FacePlane::Vertical ? Point3{u, offset, v} : Point3{u, v, offset};
        model.drawPoints.push_back({space, flatten(space)});
    }
    createFaceFromOutline(model, mode);
    model.drawPoints.clear();
}

// A box: its front at `depth` from the floor to `height`, its lid back to the upright half.
inline void addBox(CardModel& model, double x1, double x2, double depth, double height) {
    clickOutline(model, FacePlane::Vertical, depth, {{x1, 0}, {x2, 0}, {x2, height}, {x1, height}});
    clickOutline(model, FacePlane::Horizontal, height,
                 {{x1, 0}, {x2, 0}, {x2, depth}, {x1, depth}});
}

// The sheet point of (x, height) on a vertical plane at `depth`.
inline Point2 onFront(double depth, double x, double height) {
    return {x, height - depth};
}

// Loop from (x, height) points of a vertical plane at `depth`.
inline std::unique_ptr<Loop> frontLoop(double depth, std::initializer_list<InPlane> points,
                                       bool hole) {
    auto loop = std::make_unique<Loop>();
    loop->isHole = hole;
    for (const auto& [x, z] : points)
        loop->points.push_back(onFront(depth, x, z));
    return loop;
}

// Findings of one kind, as piece indices.
inline std::vector<std::size_t> piecesWith(const CheckResult& r, FindingKind kind) {
    std::vector<std::size_t> out;
    for (const Finding& f : r.findings)
        if (f.kind == kind)
            out.push_back(f.piece);
    return out;
}

} // namespace plicato::testing
