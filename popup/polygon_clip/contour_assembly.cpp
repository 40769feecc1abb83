// Assembly of the sweep's linked boundary vertices into result contours with hole flags.
#include "popup/polygon_clip/contour_assembly.h"

#include <cstddef>

namespace plicato {

namespace {

struct Contour {
    std::vector<ClipVertex> points;
    bool hole = false;
};

// Twice the signed area, taken about the first vertex to keep the products small.
double doubledArea(const std::vector<ClipVertex>& pts) {
    double sum = 0.0;
    const double ox = pts[0].x;
    const double oy = pts[0].y;
    for (std::size_t i = 1; i + 1 < pts.size(); ++i) {
        sum += (pts[i].x - ox) * (pts[i + 1].y - oy) - (pts[i + 1].x - ox) * (pts[i].y - oy);
    }
    return sum;
}

} // namespace

ClipPolygon assembleClipContours(const std::vector<ClipNode>& nodes) {
    const int n = static_cast<int>(nodes.size());
    std::vector<int> mark(nodes.size(), 0); // 0 unseen, 1 on the current walk, 2 done
    std::vector<Contour> contours;
    std::vector<ClipVertex> pts;
    std::vector<int> walk;
    for (int start = 0; start < n; ++start) {
        if (mark[static_cast<std::size_t>(start)] != 0)
            continue;
        walk.clear();
        int cur = start;
        while (cur >= 0 && cur < n && mark[static_cast<std::size_t>(cur)] == 0) {
            mark[static_cast<std::size_t>(cur)] = 1;
            walk.push_back(cur);
            cur = nodes[static_cast<std::size_t>(cur)].next;
        }
        const bool closed = cur == start;
        for (int w : walk)
            mark[static_cast<std::size_t>(w)] = 2;
        if (!closed)
            continue; // a broken chain cannot bound anything
        pts.clear();
        for (int w : walk) {
            const ClipNode& node = nodes[static_cast<std::size_t>(w)];
            if (!pts.empty() && pts.back().x == node.x && pts.back().y == node.y)
                continue;
            pts.push_back({node.x, node.y});
        }
        while (pts.size() > 1 && pts.back().x == pts.front().x && pts.back().y == pts.front().y)
            pts.pop_back();
        if (pts.size() < 3)
            continue;
        const double area = doubledArea(pts);
        if (area == 0.0)
            continue;
        contours.push_back({pts, area < 0.0});
    }
    ClipPolygon result;
    if (contours.empty())
        return result;
    allocateClipContours(result, static_cast<int>(contours.size()));
    for (std::size_t i = 0; i < contours.size(); ++i) {
        result.holeFlags[i] = contours[i].hole ? 1 : 0;
        ClipContour& out = result.contours[i];
        allocateClipVertices(out, static_cast<int>(contours[i].points.size()));
        for (std::size_t k = 0; k < contours[i].points.size(); ++k)
            out.vertices[k] = contours[i].points[k];
    }
    return result;
}

} // namespace plicato
