// The scan-beam sweep: scan lines rebuild the active edge table and classify the vertices on
// them; crossings inside a beam are classified in order of y and swap their bundles.
#include "popup/polygon_clip/scan_beam_sweep.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plicato {

namespace {

// Edges whose x on a scan line and whose slopes differ by at most this much are one bundle.
constexpr double kBundleTolerance = 1e-6;
// Edges whose x spans across a beam differ by at most this much do not cross in it.
constexpr double kCrossingEpsilon = 2.220446049250313e-16;

ClipParity polyBit(int poly) {
    return static_cast<ClipParity>(1u << poly);
}

} // namespace

ScanBeamSweep::ScanBeamSweep(const ClipEdgeTable& table, ClipInsideMask inside)
    : table_(table), inside_(inside) {}

void ScanBeamSweep::run() {
    const std::vector<double>& ys = table_.scanlines;
    for (std::size_t s = 0; s < ys.size(); ++s) {
        processScanline(ys[s]);
        if (s + 1 < ys.size())
            processBeam(ys[s], ys[s + 1]);
    }
}

void ScanBeamSweep::processScanline(double y) {
    const std::vector<ClipEdge>& edges = table_.edges;
    continuing_.clear();
    for (int id : order_) {
        const ClipBundle& b = bundles_[static_cast<std::size_t>(id)];
        for (int k = b.first; k < b.first + b.count; ++k) {
            const int m = memberEdges_[static_cast<std::size_t>(k)];
            const ClipEdge& e = edges[static_cast<std::size_t>(m)];
            if (e.yt > y)
                continuing_.push_back({m, edgeXAt(e, y)});
        }
    }
    const std::size_t newBegin = nextEdge_;
    while (nextEdge_ < edges.size() && edges[nextEdge_].yb <= y)
        ++nextEdge_;

    // Merge the continuing edges with the ones starting here, by x and then slope.
    above_.clear();
    std::size_t c = 0;
    std::size_t n = newBegin;
    while (c < continuing_.size() || n < nextEdge_) {
        bool takeNew = false;
        if (c == continuing_.size()) {
            takeNew = true;
        } else if (n < nextEdge_) {
            const ClipEdge& ne = edges[n];
            const AboveEdge& ce = continuing_[c];
            takeNew = ne.xb < ce.x ||
                      (ne.xb == ce.x && ne.dx < edges[static_cast<std::size_t>(ce.edge)].dx);
        }
        if (takeNew) {
            above_.push_back({static_cast<int>(n), edges[n].xb});
            ++n;
        } else {
            above_.push_back(continuing_[c]);
            ++c;
        }
    }

    nextBundles_.clear();
    nextMembers_.clear();
    nextBundles_.reserve(above_.size());
    belowLeft_ = 0;
    aboveLeft_ = 0;
    pendingWest_ = -1;

    // Group bundles ending or passing here and edges leaving upwards into points on the line.
    const std::size_t nb = order_.size();
    const std::size_t na = above_.size();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < nb || j < na) {
        const bool belowFirst =
            j >= na ||
            (i < nb && bundles_[static_cast<std::size_t>(order_[i])].xTop <= above_[j].x);
        const double start =
            belowFirst ? bundles_[static_cast<std::size_t>(order_[i])].xTop : above_[j].x;
        double last = start;
        double px = start;
        bool exact = false; // prefer an input vertex's own x for the point
        const std::size_t i0 = i;
        const std::size_t j0 = j;
        for (;;) {
            bool took = false;
            if (i < nb) {
                const ClipBundle& b = bundles_[static_cast<std::size_t>(order_[i])];
                if (b.xTop <= last + kBundleTolerance) {
                    last = std::max(last, b.xTop);
                    if (!exact && edges[static_cast<std::size_t>(b.rep)].yt == y) {
                        px = b.xTop;
                        exact = true;
                    }
                    ++i;
                    took = true;
                }
            }
            if (j < na && above_[j].x <= last + kBundleTolerance) {
                last = std::max(last, above_[j].x);
                if (!exact && edges[static_cast<std::size_t>(above_[j].edge)].yb == y) {
                    px = above_[j].x;
                    exact = true;
                }
                ++j;
                took = true;
            }
            if (!took)
                break;
        }
        processPoint(px, y, static_cast<int>(i0), static_cast<int>(i), static_cast<int>(j0),
                     static_cast<int>(j));
    }

    bundles_.swap(nextBundles_);
    memberEdges_.swap(nextMembers_);
    order_.resize(bundles_.size());
    std::iota(order_.begin(), order_.end(), 0);
    position_ = order_;
}

void ScanBeamSweep::processPoint(double x, double y, int bundleBegin, int bundleEnd, int aboveBegin,
                                 int aboveEnd) {
    const std::vector<ClipEdge>& edges = table_.edges;
    auto dxOf = [&](const AboveEdge& a) { return edges[static_cast<std::size_t>(a.edge)].dx; };
    // Above a common point the edges run left to right in order of slope.
    for (int k = aboveBegin + 1; k < aboveEnd; ++k) {
        const AboveEdge v = above_[static_cast<std::size_t>(k)];
        int p = k;
        while (p > aboveBegin && dxOf(above_[static_cast<std::size_t>(p - 1)]) > dxOf(v)) {
            above_[static_cast<std::size_t>(p)] = above_[static_cast<std::size_t>(p - 1)];
            --p;
        }
        above_[static_cast<std::size_t>(p)] = v;
    }

    const std::size_t firstNew = nextBundles_.size();
    ClipParity runAbove = aboveLeft_;
    for (int k = aboveBegin; k < aboveEnd;) {
        ClipBundle nb;
        nb.rep = above_[static_cast<std::size_t>(k)].edge;
        nb.first = static_cast<int>(nextMembers_.size());
        nb.left = runAbove;
        nb.xBot = above_[static_cast<std::size_t>(k)].x;
        double prevDx = dxOf(above_[static_cast<std::size_t>(k)]);
        do {
            const AboveEdge& a = above_[static_cast<std::size_t>(k)];
            nextMembers_.push_back(a.edge);
            nb.flips ^= polyBit(edges[static_cast<std::size_t>(a.edge)].poly);
            prevDx = dxOf(a);
            ++k;
        } while (k < aboveEnd &&
                 std::fabs(dxOf(above_[static_cast<std::size_t>(k)]) - prevDx) <= kBundleTolerance);
        nb.count = static_cast<int>(nextMembers_.size()) - nb.first;
        runAbove ^= nb.flips;
        nextBundles_.push_back(nb);
    }
    ClipParity runBelow = belowLeft_;
    for (int k = bundleBegin; k < bundleEnd; ++k)
        runBelow ^= bundles_[static_cast<std::size_t>(order_[static_cast<std::size_t>(k)])].flips;

    // Rays counter-clockwise from the east: east, above (right to left), west, below.
    rays_.clear();
    rays_.push_back({static_cast<ClipParity>(runBelow ^ runAbove), false, -2, -1, &pendingWest_});
    for (std::size_t k = nextBundles_.size(); k-- > firstNew;) {
        ClipBundle& b = nextBundles_[k];
        rays_.push_back({b.flips, false, b.rep, -1, &b.open});
    }
    rays_.push_back(
        {static_cast<ClipParity>(aboveLeft_ ^ belowLeft_), true, -2, pendingWest_, nullptr});
    for (int k = bundleBegin; k < bundleEnd; ++k) {
        const ClipBundle& b =
            bundles_[static_cast<std::size_t>(order_[static_cast<std::size_t>(k)])];
        rays_.push_back({b.flips, true, b.rep, b.open, nullptr});
    }
    classifyClipVertex(x, y, runBelow, inside_, rays_, nodes_);
    belowLeft_ = runBelow;
    aboveLeft_ = runAbove;
}

void ScanBeamSweep::processBeam(double yBot, double yTop) {
    const std::vector<ClipEdge>& edges = table_.edges;
    for (ClipBundle& b : bundles_)
        b.xTop = edgeXAt(edges[static_cast<std::size_t>(b.rep)], yTop);
    if (order_.size() < 2)
        return;

    // Insertion sort by x at the top; every pair it swaps crosses inside the beam.
    crossings_.clear();
    sortScratch_ = order_;
    for (std::size_t k = 1; k < sortScratch_.size(); ++k) {
        const int cur = sortScratch_[k];
        const ClipBundle& r = bundles_[static_cast<std::size_t>(cur)];
        std::size_t p = k;
        while (p > 0) {
            const int leftId = sortScratch_[p - 1];
            const ClipBundle& l = bundles_[static_cast<std::size_t>(leftId)];
            if (!(r.xTop < l.xTop))
                break;
            const double gapBot = r.xBot - l.xBot;
            const double spanDiff = gapBot - (r.xTop - l.xTop);
            if (spanDiff <= kCrossingEpsilon || edges[static_cast<std::size_t>(l.rep)].dx ==
                                                    edges[static_cast<std::size_t>(r.rep)].dx)
                break;
            double t = gapBot / spanDiff;
            t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
            crossings_.push_back({leftId, cur, t});
            sortScratch_[p] = leftId;
            --p;
        }
        sortScratch_[p] = cur;
    }
    if (crossings_.empty())
        return;
    std::stable_sort(crossings_.begin(), crossings_.end(),
                     [](const Crossing& a, const Crossing& b) { return a.t < b.t; });
    for (std::size_t k = 0; k < crossings_.size(); ++k) {
        auto adjacent = [&](const Crossing& c) {
            return position_[static_cast<std::size_t>(c.right)] ==
                   position_[static_cast<std::size_t>(c.left)] + 1;
        };
        if (!adjacent(crossings_[k])) {
            // Rounding put the crossings slightly out of order: take the next one that can
            // happen now. One always exists, since the remaining swaps sort the table.
            std::size_t m = k + 1;
            while (m < crossings_.size() && !adjacent(crossings_[m]))
                ++m;
            if (m == crossings_.size())
                break;
            std::rotate(crossings_.begin() + static_cast<std::ptrdiff_t>(k),
                        crossings_.begin() + static_cast<std::ptrdiff_t>(m),
                        crossings_.begin() + static_cast<std::ptrdiff_t>(m + 1));
        }
        processCrossing(crossings_[k], yBot, yTop);
    }
}

void ScanBeamSweep::processCrossing(const Crossing& c, double yBot, double yTop) {
    ClipBundle& l = bundles_[static_cast<std::size_t>(c.left)];
    ClipBundle& r = bundles_[static_cast<std::size_t>(c.right)];
    double y = yBot + c.t * (yTop - yBot);
    y = std::min(std::max(y, yBot), yTop);
    const double x = l.xBot + c.t * (l.xTop - l.xBot);
    const ClipParity leftParity = l.left;

    // Counter-clockwise from the east: east, l and r above (l is now on the right), west, l and
    // r below.
    rays_.clear();
    rays_.push_back({0, false, -2, -1, &horizontalSink_});
    rays_.push_back({l.flips, false, l.rep, -1, &l.open});
    rays_.push_back({r.flips, false, r.rep, -1, &r.open});
    rays_.push_back({0, true, -2, -1, nullptr});
    rays_.push_back({l.flips, true, l.rep, l.open, nullptr});
    rays_.push_back({r.flips, true, r.rep, r.open, nullptr});
    classifyClipVertex(x, y, static_cast<ClipParity>(leftParity ^ l.flips ^ r.flips), inside_,
                       rays_, nodes_);

    const int pl = position_[static_cast<std::size_t>(c.left)];
    const int pr = position_[static_cast<std::size_t>(c.right)];
    order_[static_cast<std::size_t>(pl)] = c.right;
    order_[static_cast<std::size_t>(pr)] = c.left;
    position_[static_cast<std::size_t>(c.left)] = pr;
    position_[static_cast<std::size_t>(c.right)] = pl;
    r.left = leftParity;
    l.left = static_cast<ClipParity>(leftParity ^ r.flips);
}

} // namespace plicato
