// Outline input: the right-angle constraint, the card bounds, the same-point and crossing
// refusals, and closing with the rectangle's corners and mirror editing.
#include "view/outline_input.h"

#include "editing/undo_history.h"
#include "popup/face_creation.h"

#include <algorithm>
#include <cmath>

namespace plicato {

namespace {

double crossValue(const Point2& p, const Point2& q, const Point2& r) {
    return (p.x - q.x) * (r.y - p.y) + (p.y - q.y) * (p.x - r.x);
}

bool near(const Point2& a, const Point2& b, double d) {
    return std::hypot(a.x - b.x, a.y - b.y) < d;
}

// Segments a-b and c-d meet (touching included); both ends beyond one end of the other's
// range along an axis rule it out first.
bool segmentsMeet(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const double loX = std::min(a.x, b.x), hiX = std::max(a.x, b.x);
    const double loY = std::min(a.y, b.y), hiY = std::max(a.y, b.y);
    if ((c.x < loX && d.x < loX) || (c.x > hiX && d.x > hiX) || (c.y < loY && d.y < loY) ||
        (c.y > hiY && d.y > hiY))
        return false;
    return crossValue(a, b, c) * crossValue(a, b, d) <= 0.0 &&
           crossValue(c, d, b) * crossValue(c, d, a) <= 0.0;
}

DrawPoint drawPoint(const Point3& p) {
    return {p, flatten(p)};
}

bool withinCard(const CardModel& model, const Point3& p) {
    const double hw = integerHalf(model.cardWidth), h = model.cardHeight;
    // Written so that NaN fails every test.
    return p.x >= -hw && p.x <= hw && p.y >= 0.0 && p.y <= h && p.z >= 0.0 && p.z <= h;
}

} // namespace

bool segmentCrossesOutline(const std::vector<DrawPoint>& points, const Point2& a, const Point2& b) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point2& e1 = points[i - 1].sheet;
        const Point2& e2 = points[i].sheet;
        if (near(a, e1, sharedEndDistance) || near(b, e1, sharedEndDistance) ||
            near(a, e2, sharedEndDistance) || near(b, e2, sharedEndDistance))
            continue;
        if (segmentsMeet(a, b, e1, e2))
            return true;
    }
    return false;
}

OutlineStep addOutlinePoint(CardModel& model, const DisplayState& state, Point3 p, bool ctrl) {
    auto& pts = model.drawPoints;
    const bool rectangle = state.inMode(EditMode::Rectangle3);
    if ((ctrl || rectangle) && !pts.empty()) {
        const Point3& last = pts.back().space;
        const bool vertical = model.editPlane == FacePlane::Vertical;
        const double second = vertical ? last.z - p.z : last.y - p.y;
        if (std::fabs(last.x - p.x) <= std::fabs(second))
            p.x = last.x;
        else if (vertical)
            p.z = last.z;
        else
            p.y = last.y;
    }
    if (!withinCard(model, p))
        return {};
    if (rectangle && pts.size() == 2)
        return closeOutline(model, state, &p);
    if (pts.size() >= 3 && (distance3(p, pts.front().space) < samePointDistance ||
                            distance3(p, pts.back().space) < samePointDistance))
        return closeOutline(model, state);
    for (const DrawPoint& q : pts)
        if (distance3(p, q.space) < samePointDistance)
            return {false, true, false};
    const DrawPoint added = drawPoint(p);
    if (pts.size() >= 3 && segmentCrossesOutline(pts, pts.back().sheet, added.sheet))
        return {true, true, false};
    pts.push_back(added);
    return {true, false, false};
}

OutlineStep closeOutline(CardModel& model, const DisplayState& state,
                         const Point3* rectangleCorner) {
    auto& pts = model.drawPoints;
    if (pts.empty())
        return {};
    if (segmentCrossesOutline(pts, pts.back().sheet, pts.front().sheet))
        return {true, true, false};
    pushUndo(model);
    if (rectangleCorner && pts.size() == 2) {
        const Point3 p1 = pts[0].space, p2 = pts[1].space, p3 = *rectangleCorner;
        pts.push_back(drawPoint(p3));
        pts.push_back(
            drawPoint({p1.x + (p3.x - p2.x), p1.y + (p3.y - p2.y), p1.z + (p3.z - p2.z)}));
    }
    const EditMode mode = state.mode();
    createFaceFromOutline(model, mode);
    if (state.mirrorEdit) {
        for (DrawPoint& q : pts)
            q = drawPoint({2 * model.mirrorX - q.space.x, q.space.y, q.space.z});
        createFaceFromOutline(model, mode);
    }
    pts.clear();
    return {true, false, true};
}

bool removeLastOutlinePoint(CardModel& model) {
    if (model.drawPoints.empty())
        return false;
    model.drawPoints.pop_back();
    return true;
}

} // namespace plicato
