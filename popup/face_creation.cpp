// New user faces from the clicked outline: stored clockwise on the sheet, added as they are or,
// for cut-outs, turned about their pivot edge onto the other plane kind.
#include "popup/face_creation.h"

#include "popup/built_faces.h"

#include <algorithm>

namespace plicato {

namespace {

// True when the outline runs counter-clockwise (or is degenerate), judged at its top point
// from the nearest lower neighbours on either side.
bool needsReversal(const std::vector<Point2>& pts) {
    const std::size_t n = pts.size();
    if (n == 0)
        return false;
    std::size_t top = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (pts[i].y > pts[top].y)
            top = i;
    const Point2 t = pts[top];
    Point2 next = t, prev = t;
    for (std::size_t step = 1; step < n; ++step) {
        const Point2& q = pts[(top + step) % n];
        if (q.y < t.y) {
            next = q;
            break;
        }
    }
    for (std::size_t step = 1; step < n; ++step) {
        const Point2& q = pts[(top + n - step) % n];
        if (q.y < t.y) {
            prev = q;
            break;
        }
    }
    const double cross = (next.x - t.x) * (prev.y - t.y) - (next.y - t.y) * (prev.x - t.x);
    return cross >= 0.0;
}

} // namespace

bool createFaceFromOutline(CardModel& model, EditMode mode) {
    auto face = std::make_unique<Face>(model.editPlane, model.editOffset);
    auto loop = std::make_unique<Loop>();
    loop->points.reserve(model.drawPoints.size());
    for (const DrawPoint& p : model.drawPoints)
        loop->points.push_back(flatten(p.space));
    if (needsReversal(loop->points))
        std::reverse(loop->points.begin(), loop->points.end());
    face->polygon.addLoop(std::move(loop));

    if (mode == EditMode::PolygonFace || mode == EditMode::Rectangle3)
        return addUserFace(model, std::move(face));
    return addCutOutFace(model, std::move(face));
}

bool addUserFace(CardModel& model, std::unique_ptr<Face> face) {
    face->triangulate();
    if (face->triangles.empty())
        return false;
    model.userFaces.push_back(std::move(face));
    // While faces are being moved and scaled the built faces wait for the pop-up display.
    if (!coreState().faceOperationActive())
        rebuildBuiltFaces(model);
    return true;
}

bool addCutOutFace(CardModel& model, std::unique_ptr<Face> face) {
    face->triangulate();
    if (face->triangles.empty())
        return false;
    // The pivot is the outline's lowest edge on the upright side, its rearmost edge on the base
    // side; the sheet outline stays where it is.
    double minY = 0.0, maxY = 0.0;
    bool first = true;
    for (const auto& loop : face->polygon.loops)
        for (const Point2& p : loop->points) {
            minY = first ? p.y : std::min(minY, p.y);
            maxY = first ? p.y : std::max(maxY, p.y);
            first = false;
        }
    if (face->plane == FacePlane::Vertical) {
        face->plane = FacePlane::Horizontal;
        face->offset += minY;
    } else {
        face->plane = FacePlane::Vertical;
        face->offset -= maxY;
    }
    model.userFaces.push_back(std::move(face));
    rebuildBuiltFaces(model);
    return true;
}

} // namespace plicato
