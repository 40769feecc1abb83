// The sweep's input: the non-horizontal edges of the subject and clip polygons, directed upwards
// and chained into bounds, with the local minima table of bound starts; for the strip sweep the
// edges sorted by their lower end and the table of scan lines (distinct vertex y).
#pragma once

#include "polygon_clip/clip_polygon.h"

#include <algorithm>
#include <memory_resource>
#include <vector>

namespace plicato {

// One input edge with its lower end (xb, yb) and upper end (xt, yt); yb < yt always.
struct ClipEdge {
    double xb = 0.0;
    double yb = 0.0;
    double xt = 0.0;
    double yt = 0.0;
    double dx = 0.0; // x change per unit y
    int poly = 0;    // 0 subject, 1 clip
    int next = -1;   // the edge continuing this one upwards from its top vertex, if any
};

// x of the edge's line at y, kept inside the edge's own x range so that extreme slopes can
// never push a point off the edge.
inline double edgeXAt(const ClipEdge& e, double y) {
    if (y >= e.yt)
        return e.xt;
    if (y <= e.yb)
        return e.xb;
    const double x = e.xb + e.dx * (y - e.yb);
    const double lo = e.xb < e.xt ? e.xb : e.xt;
    const double hi = e.xb < e.xt ? e.xt : e.xb;
    return x < lo ? lo : (x > hi ? hi : x);
}

// edgeXAt for a y above the edge's lower end, as at the top of a beam the edge crosses; without
// branches, since which way each test goes is hard to foresee.
inline double edgeXAbove(const ClipEdge& e, double y) {
    const double x = e.xb + e.dx * (y - e.yb);
    const double lo = e.xb < e.xt ? e.xb : e.xt;
    const double hi = e.xb < e.xt ? e.xt : e.xb;
    const double clamped = std::min(std::max(x, lo), hi);
    return y >= e.yt ? e.xt : clamped;
}

// All working storage of one operation comes from one arena, released when the operation ends.
struct ClipEdgeTable {
    explicit ClipEdgeTable(std::pmr::memory_resource* arena)
        : edges(arena), minima(arena), scanlines(arena) {}
    std::pmr::memory_resource* arena() const { return edges.get_allocator().resource(); }

    std::pmr::vector<ClipEdge> edges;
    std::pmr::vector<int> minima;       // edges that start a bound, ascending by yb, xb, dx
    std::pmr::vector<double> scanlines; // strip sweep only: every edge end y, distinct, ascending
};

// True for a contour the engine can use: at least three vertices, all finite.
bool clipContourUsable(const ClipContour& contour);

// Appends the edges of every contour of `polygon` whose entry in `use` is non-zero, which the
// caller has found usable (all usable contours when `use` is null), linked into bounds: chains of
// edges rising from a local minimum. Horizontal edges carry no parity and are left out; an edge
// after one starts a bound.
void addClipEdges(ClipEdgeTable& table, const ClipPolygon& polygon, int poly,
                  const std::pmr::vector<char>* use);

// Sorts the bound starts into the local minima table.
void buildLocalMinima(ClipEdgeTable& table);

// For the strip sweep: sorts the edges by their lower end (bound links become meaningless) and
// builds the scan-line table.
void sortEdgesForSlabs(ClipEdgeTable& table);

} // namespace plicato
