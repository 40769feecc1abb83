// One step of corner cutting on a stretch of a face's outer outline between two picked corners.
#include "editing/outline_smoothing.h"

#include "editing/undo_history.h"
#include "popup/built_faces.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace plicato {

namespace {

bool holdsAddress(const std::vector<Point2>& points, const Point2& p) {
    // std::less gives a total order even for pointers into unrelated storage.
    const std::less<const Point2*> before;
    return !points.empty() && !before(&p, points.data()) &&
           before(&p, points.data() + points.size());
}

// Position of a picked corner in the first loop. The view hands over the loop's own points;
// a copied value is accepted when it equals a corner exactly, unless it is a point of another
// loop of the face (a hole corner), which is refused.
std::optional<size_t> cornerIndex(const Face& face, const Point2& p) {
    const std::vector<Point2>& outline = face.polygon.loops.front()->points;
    if (holdsAddress(outline, p))
        return static_cast<size_t>(&p - outline.data());
    for (size_t i = 1; i < face.polygon.loops.size(); ++i)
        if (holdsAddress(face.polygon.loops[i]->points, p))
            return std::nullopt;
    auto it = std::find(outline.begin(), outline.end(), p);
    if (it == outline.end())
        return std::nullopt;
    return static_cast<size_t>(it - outline.begin());
}

// Corners strictly between `from` and `to`, walking forward and wrapping at the end.
std::vector<bool> stretchBetween(size_t from, size_t to, size_t n) {
    std::vector<bool> inside(n, false);
    for (size_t i = (from + 1) % n; i != to; i = (i + 1) % n)
        inside[i] = true;
    return inside;
}

} // namespace

void smoothSpan(CardModel& model, Face& face, const Point2& a, const Point2& b) {
    const bool inModel = std::any_of(model.userFaces.begin(), model.userFaces.end(),
                                     [&face](const auto& f) { return f.get() == &face; });
    if (!inModel || face.polygon.loops.empty())
        return;
    const std::optional<size_t> ia = cornerIndex(face, a);
    const std::optional<size_t> ib = cornerIndex(face, b);
    if (!ia || !ib)
        return;

    // The snapshot copies the faces; the outline itself (and with it a and b) stays put.
    pushUndo(model);
    if (*ia == *ib)
        return;

    Loop& loop = *face.polygon.loops.front();
    const std::vector<Point2> old = loop.points;
    const size_t n = old.size();
    std::vector<bool> inside = stretchBetween(*ia, *ib, n);
    if (std::none_of(inside.begin(), inside.end(), [](bool v) { return v; }))
        inside = stretchBetween(*ib, *ia, n);

    // Every cut takes its neighbours from the outline as it was, never from points written.
    std::vector<Point2> next;
    next.reserve(2 * n);
    for (size_t i = 0; i < n; ++i) {
        if (!inside[i]) {
            next.push_back(old[i]);
            continue;
        }
        const Point2& p = old[i];
        const Point2& prev = old[(i + n - 1) % n];
        const Point2& after = old[(i + 1) % n];
        const Point2 q1{0.75 * p.x + 0.25 * prev.x, 0.75 * p.y + 0.25 * prev.y};
        const Point2 q2{0.75 * p.x + 0.25 * after.x, 0.75 * p.y + 0.25 * after.y};
        if (distance2(q1.x, q1.y, q2.x, q2.y) >= minCutLength) {
            next.push_back(q1);
            next.push_back(q2);
        } else {
            next.push_back(p);
        }
    }
    loop.points = std::move(next);

    face.triangulate();
    rebuildBuiltFaces(model);
}

} // namespace plicato
