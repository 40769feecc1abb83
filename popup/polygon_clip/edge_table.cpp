// Building the sweep's edge table and scan-line table from polygons.
#include "popup/polygon_clip/edge_table.h"

#include <algorithm>
#include <cmath>

namespace plicato {

bool clipContourUsable(const ClipContour& contour) {
    if (contour.vertexCount < 3 || contour.vertices == nullptr)
        return false;
    for (int i = 0; i < contour.vertexCount; ++i) {
        if (!std::isfinite(contour.vertices[i].x) || !std::isfinite(contour.vertices[i].y))
            return false;
    }
    return true;
}

void addClipEdges(ClipEdgeTable& table, const ClipPolygon& polygon, int poly,
                  const std::vector<char>* use) {
    if (polygon.contourCount <= 0 || polygon.contours == nullptr)
        return;
    for (int c = 0; c < polygon.contourCount; ++c) {
        if (use && !(*use)[static_cast<std::size_t>(c)])
            continue;
        const ClipContour& contour = polygon.contours[c];
        if (!clipContourUsable(contour))
            continue;
        const int n = contour.vertexCount;
        for (int i = 0; i < n; ++i) {
            const ClipVertex& a = contour.vertices[i];
            const ClipVertex& b = contour.vertices[i + 1 == n ? 0 : i + 1];
            if (a.y == b.y)
                continue;
            const ClipVertex& lo = a.y < b.y ? a : b;
            const ClipVertex& hi = a.y < b.y ? b : a;
            ClipEdge e;
            e.xb = lo.x;
            e.yb = lo.y;
            e.xt = hi.x;
            e.yt = hi.y;
            e.dx = (hi.x - lo.x) / (hi.y - lo.y);
            if (!std::isfinite(e.dx))
                e.dx = hi.x > lo.x ? 1e300 : -1e300;
            e.poly = poly;
            table.edges.push_back(e);
        }
    }
}

void finishClipEdgeTable(ClipEdgeTable& table) {
    std::sort(table.edges.begin(), table.edges.end(), [](const ClipEdge& a, const ClipEdge& b) {
        if (a.yb != b.yb)
            return a.yb < b.yb;
        if (a.xb != b.xb)
            return a.xb < b.xb;
        return a.dx < b.dx;
    });
    table.scanlines.clear();
    table.scanlines.reserve(table.edges.size() * 2);
    for (const ClipEdge& e : table.edges) {
        table.scanlines.push_back(e.yb);
        table.scanlines.push_back(e.yt);
    }
    std::sort(table.scanlines.begin(), table.scanlines.end());
    table.scanlines.erase(std::unique(table.scanlines.begin(), table.scanlines.end()),
                          table.scanlines.end());
}

} // namespace plicato
