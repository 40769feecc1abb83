// Corner picking, the corner drag of outline editing, and the two picks of subdivision.
#include "view/outline_edit.h"

#include "editing/outline_smoothing.h"
#include "editing/undo_history.h"
#include "popup/built_faces.h"

#include <cmath>

namespace plicato {

namespace {

constexpr double planeTolerance = 0.00001;

bool inModel(const CardModel& model, const Face* face) {
    for (const auto& f : model.userFaces)
        if (f.get() == face)
            return true;
    return false;
}

} // namespace

Point2* VertexRef::resolve(const CardModel& model) const {
    if (!face || !inModel(model, face) || loop >= face->polygon.loops.size())
        return nullptr;
    auto& points = face->polygon.loops[loop]->points;
    return index < points.size() ? &points[index] : nullptr;
}

bool onEditPlane(const CardModel& model, const Face& face) {
    return !face.isBase && face.plane == model.editPlane &&
           std::fabs(face.offset - model.editOffset) <= planeTolerance;
}

std::optional<VertexRef> pickVertex(const CardModel& model, const ProjectionCache& projection,
                                    double x, double y, const Face* restrictTo, bool outerOnly) {
    std::optional<VertexRef> best;
    double bestDistance = vertexPickRadius;
    for (const auto& fp : model.userFaces) {
        Face& f = *fp;
        if ((restrictTo && &f != restrictTo) || !onEditPlane(model, f))
            continue;
        const std::size_t loops =
            outerOnly ? std::min<std::size_t>(1, f.polygon.loops.size()) : f.polygon.loops.size();
        for (std::size_t l = 0; l < loops; ++l) {
            const auto& points = f.polygon.loops[l]->points;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const double d = projection.windowDistance(f.toSpace(points[i]), x, y);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = VertexRef{&f, l, i};
                }
            }
        }
    }
    return best;
}

bool OutlineEditor::press(CardModel& model, const ProjectionCache& projection, double x, double y,
                          bool split) {
    drag_ = {};
    const std::optional<VertexRef> picked = pickVertex(model, projection, x, y);
    if (!picked)
        return false;
    pushUndo(model);
    drag_ = *picked;
    if (split) {
        // The copy stays behind; the picked corner, still at drag_.index, is the one dragged.
        auto& points = drag_.face->polygon.loops[drag_.loop]->points;
        const Point2 copy = points[drag_.index];
        points.insert(points.begin() + std::ptrdiff_t(drag_.index) + 1, copy);
    }
    return true;
}

bool OutlineEditor::move(CardModel& model, const Point3& p) {
    Point2* v = drag_.resolve(model);
    if (!v)
        return false;
    // A point off the plane (line of sight along it) leaves the corner where it is.
    const Point2 q = flatten(p);
    if (std::isfinite(q.x) && std::isfinite(q.y))
        *v = q;
    return true;
}

bool OutlineEditor::release(CardModel& model, const Point3& p) {
    if (!move(model, p)) {
        drag_ = {};
        return false;
    }
    Face& face = *drag_.face;
    drag_ = {};
    face.removeNearDuplicates();
    face.triangulate();
    rebuildBuiltFaces(model);
    return true;
}

std::optional<Point3> OutlineEditor::marked(const CardModel& model) const {
    if (const Point2* v = drag_.resolve(model))
        return drag_.face->toSpace(*v);
    return std::nullopt;
}

bool Subdivider::release(CardModel& model, const ProjectionCache& projection, double x, double y) {
    // Corners of holes are refused: the rounding works on a face's outer outline only.
    const Face* restrict = face(model);
    if (!restrict)
        reset();
    const std::optional<VertexRef> picked = pickVertex(model, projection, x, y, restrict, true);
    if (!first_ || !first_->resolve(model)) {
        first_ = picked;
        if (picked && !face_)
            face_ = picked->face;
        return picked.has_value();
    }
    if (!picked)
        return false; // the first pick stays
    Face& f = *face_;
    const Point2& a = *first_->resolve(model);
    const Point2& b = *picked->resolve(model);
    smoothSpan(model, f, a, b);
    reset();
    return true;
}

bool Subdivider::rightClick() {
    if (!first_)
        return false;
    reset();
    return true;
}

bool Subdivider::hasFirst(const CardModel& model) const {
    return first_ && first_->resolve(model);
}

const Face* Subdivider::face(const CardModel& model) const {
    return face_ && inModel(model, face_) ? face_ : nullptr;
}

std::optional<Point3> Subdivider::marked(const CardModel& model) const {
    if (!first_)
        return std::nullopt;
    if (const Point2* v = first_->resolve(model))
        return first_->face->toSpace(*v);
    return std::nullopt;
}

} // namespace plicato
