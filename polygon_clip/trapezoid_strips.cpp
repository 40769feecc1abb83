// Trapezoid strips: beams are cut at every edge crossing so that inside each slab the edges keep
// one order; consecutive edge pairs then bound the inside trapezoids.
#include "polygon_clip/trapezoid_strips.h"

#include <algorithm>

namespace plicato {

namespace {

constexpr double kCrossingEpsilon = 2.220446049250313e-16;

struct SlabEdge {
    int edge;
    double xa; // x at the bottom of the slab
    double xb; // x at the top of the slab
};

// The last row of a strip still open for continuation, and the edges its trapezoid rose along.
struct OpenRow {
    double xl;
    double xr;
    std::size_t strip;
    int leftEdge;
    int rightEdge;
};

} // namespace

std::vector<TriangleStrip> buildTrapezoidStrips(const ClipEdgeTable& table) {
    std::vector<TriangleStrip> strips;
    const auto& edges = table.edges;
    const auto& ys = table.scanlines;
    std::pmr::vector<SlabEdge> slab(table.arena()); // kept in x order from beam to beam
    std::pmr::vector<SlabEdge> probe(table.arena());
    std::pmr::vector<double> cuts(table.arena());
    std::pmr::vector<OpenRow> openRows(table.arena());
    std::pmr::vector<OpenRow> nextRows(table.arena());
    std::size_t nextEdge = 0;
    // Insertion sorts throughout: the order changes little from one slab to the next.
    auto sortBy = [](auto& v, auto less) {
        for (std::size_t k = 1; k < v.size(); ++k) {
            const SlabEdge cur = v[k];
            std::size_t p = k;
            while (p > 0 && less(cur, v[p - 1])) {
                v[p] = v[p - 1];
                --p;
            }
            v[p] = cur;
        }
    };

    for (std::size_t s = 0; s + 1 < ys.size(); ++s) {
        const double y0 = ys[s];
        const double y1 = ys[s + 1];
        slab.erase(std::remove_if(slab.begin(), slab.end(),
                                  [&](const SlabEdge& se) {
                                      return edges[static_cast<std::size_t>(se.edge)].yt <= y0;
                                  }),
                   slab.end());
        while (nextEdge < edges.size() && edges[nextEdge].yb <= y0)
            slab.push_back({static_cast<int>(nextEdge++), 0.0, 0.0});
        if (slab.empty()) {
            openRows.clear();
            continue;
        }
        for (SlabEdge& se : slab) {
            const ClipEdge& edge = edges[static_cast<std::size_t>(se.edge)];
            se.xa = edgeXAt(edge, y0);
            se.xb = edgeXAt(edge, y1);
        }
        sortBy(slab, [](const SlabEdge& a, const SlabEdge& b) {
            return a.xa < b.xa || (a.xa == b.xa && a.xb < b.xb);
        });

        // Fractions of the beam where edges cross: the swaps of a sort by x at the top.
        probe.assign(slab.begin(), slab.end());
        cuts.clear();
        cuts.push_back(0.0);
        for (std::size_t k = 1; k < probe.size(); ++k) {
            const SlabEdge cur = probe[k];
            std::size_t p = k;
            while (p > 0 && cur.xb < probe[p - 1].xb) {
                const SlabEdge& l = probe[p - 1];
                const double gapBot = cur.xa - l.xa;
                const double spanDiff = gapBot - (cur.xb - l.xb);
                if (spanDiff <= kCrossingEpsilon)
                    break;
                const double t = gapBot / spanDiff;
                if (t > 0.0 && t < 1.0)
                    cuts.push_back(t);
                probe[p] = probe[p - 1];
                --p;
            }
            probe[p] = cur;
        }
        cuts.push_back(1.0);
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

        for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
            const double ya = c == 0 ? y0 : y0 + cuts[c] * (y1 - y0);
            const double yb = c + 2 == cuts.size() ? y1 : y0 + cuts[c + 1] * (y1 - y0);
            if (!(yb > ya))
                continue;
            for (SlabEdge& se : slab) {
                const ClipEdge& edge = edges[static_cast<std::size_t>(se.edge)];
                se.xa = edgeXAt(edge, ya);
                se.xb = edgeXAt(edge, yb);
            }
            sortBy(slab,
                   [](const SlabEdge& a, const SlabEdge& b) { return a.xa + a.xb < b.xa + b.xb; });
            nextRows.clear();
            std::size_t q = 0;
            for (std::size_t k = 0; k + 1 < slab.size(); k += 2) {
                const SlabEdge& l = slab[k];
                const SlabEdge& r = slab[k + 1];
                if (l.xa == r.xa && l.xb == r.xb)
                    continue;
                while (q < openRows.size() && openRows[q].xl < l.xa)
                    ++q;
                std::size_t strip;
                bool sameSides = false;
                if (q < openRows.size() && openRows[q].xl == l.xa && openRows[q].xr == r.xa) {
                    strip = openRows[q].strip;
                    sameSides = openRows[q].leftEdge == l.edge && openRows[q].rightEdge == r.edge;
                    ++q;
                } else {
                    strip = strips.size();
                    strips.emplace_back();
                    strips.back().push_back({l.xa, ya});
                    strips.back().push_back({r.xa, ya});
                }
                TriangleStrip& st = strips[strip];
                if (sameSides) {
                    // Both sides run on along the same straight edges: the last trapezoid just
                    // grows, so a scan line that cuts through it adds no triangles.
                    st[st.size() - 2] = {l.xb, yb};
                    st[st.size() - 1] = {r.xb, yb};
                } else {
                    st.push_back({l.xb, yb});
                    st.push_back({r.xb, yb});
                }
                nextRows.push_back({l.xb, r.xb, strip, l.edge, r.edge});
            }
            openRows.swap(nextRows);
        }
    }
    return strips;
}

} // namespace plicato
