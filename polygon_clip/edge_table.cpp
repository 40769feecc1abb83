// Building the sweep's edge table and scan-line table from polygons.
#include "polygon_clip/edge_table.h"

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
                  const std::pmr::vector<char>* use) {
    if (polygon.contourCount <= 0 || polygon.contours == nullptr)
        return;
    std::pmr::vector<int> slot(table.arena()); // edge index per contour edge, -1 if horizontal
    std::pmr::vector<signed char> dir(table.arena());
    for (int c = 0; c < polygon.contourCount; ++c) {
        if (use && !(*use)[static_cast<std::size_t>(c)])
            continue;
        const ClipContour& contour = polygon.contours[c];
        if (!use && !clipContourUsable(contour))
            continue;
        const int n = contour.vertexCount;
        slot.assign(static_cast<std::size_t>(n), -1);
        dir.assign(static_cast<std::size_t>(n), 0);
        for (int i = 0; i < n; ++i) {
            const ClipVertex& a = contour.vertices[i];
            const ClipVertex& b = contour.vertices[i + 1 == n ? 0 : i + 1];
            if (a.y == b.y)
                continue;
            const ClipVertex& lo = a.y < b.y ? a : b;
            const ClipVertex& hi = a.y < b.y ? b : a;
            slot[static_cast<std::size_t>(i)] = static_cast<int>(table.edges.size());
            dir[static_cast<std::size_t>(i)] = a.y < b.y ? 1 : -1;
            // Filled in place: copying a local edge in stalls on its fresh field stores.
            ClipEdge& e = table.edges.emplace_back();
            e.xb = lo.x;
            e.yb = lo.y;
            e.xt = hi.x;
            e.yt = hi.y;
            e.dx = (hi.x - lo.x) / (hi.y - lo.y);
            if (!std::isfinite(e.dx))
                e.dx = hi.x > lo.x ? 1e300 : -1e300;
            e.poly = poly;
        }
        // Rising edges continue into the following contour edge when it rises too; falling
        // edges, read backwards, into the preceding one.
        for (int i = 0; i < n; ++i) {
            const std::size_t si = static_cast<std::size_t>(i);
            if (slot[si] < 0)
                continue;
            const std::size_t after = static_cast<std::size_t>(i + 1 == n ? 0 : i + 1);
            const std::size_t before = static_cast<std::size_t>(i == 0 ? n - 1 : i - 1);
            ClipEdge& e = table.edges[static_cast<std::size_t>(slot[si])];
            if (dir[si] > 0) {
                if (dir[after] > 0)
                    e.next = slot[after];
                if (dir[before] <= 0)
                    table.minima.push_back(slot[si]);
            } else {
                if (dir[before] < 0)
                    e.next = slot[before];
                if (dir[after] >= 0)
                    table.minima.push_back(slot[si]);
            }
        }
    }
}

void buildLocalMinima(ClipEdgeTable& table) {
    const auto& edges = table.edges;
    std::sort(table.minima.begin(), table.minima.end(), [&](int ia, int ib) {
        const ClipEdge& a = edges[static_cast<std::size_t>(ia)];
        const ClipEdge& b = edges[static_cast<std::size_t>(ib)];
        if (a.yb != b.yb)
            return a.yb < b.yb;
        if (a.xb != b.xb)
            return a.xb < b.xb;
        return a.dx < b.dx;
    });
}

void sortEdgesForSlabs(ClipEdgeTable& table) {
    std::sort(table.edges.begin(), table.edges.end(), [](const ClipEdge& a, const ClipEdge& b) {
        if (a.yb != b.yb)
            return a.yb < b.yb;
        if (a.xb != b.xb)
            return a.xb < b.xb;
        return a.dx < b.dx;
    });
    table.minima.clear();
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
