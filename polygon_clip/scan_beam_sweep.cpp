// The scan-beam sweep: scan lines rebuild the active edge table and classify the vertices on
// them; crossings inside a beam are classified in order of y and swap their bundles.
#include "polygon_clip/scan_beam_sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plicato {

namespace {

// Edges whose x on a scan line and whose slopes differ by at most this much are one bundle.
constexpr double kBundleTolerance = 1e-6;
// Edges whose x spans across a beam differ by at most this much do not cross in it.
constexpr double kCrossingEpsilon = 2.220446049250313e-16;
// The x of the next bound starting on a scan line when none does.
constexpr double kNoMinimum = std::numeric_limits<double>::infinity();

ClipParity polyBit(int poly) {
    return static_cast<ClipParity>(1u << poly);
}

// Whether the bundle at position i of `order` passes the scan line y with nothing near it: it
// goes on above the line, and neither the next bundle nor the next bound starting on the line
// (at minX) comes within the bundling tolerance. The grouping would take it alone.
bool passesAlone(const ClipBundle* bundles, const int* order, std::size_t count, std::size_t i,
                 double minX, double y) {
    const ClipBundle& b = bundles[order[i]];
    const double reach = b.xTop + kBundleTolerance;
    return b.yEnd > y && minX > reach && (i + 1 >= count || bundles[order[i + 1]].xTop > reach);
}

} // namespace

ScanBeamSweep::ScanBeamSweep(const ClipEdgeTable& table, ClipInsideMask inside, bool quietStretches)
    : table_(table), inside_(inside), bundles_(table.arena()), orderA_(table.arena()),
      orderB_(table.arena()), position_(table.arena()), memberEdges_(table.arena()),
      compactBundles_(table.arena()), compactMembers_(table.arena()), pointAbove_(table.arena()),
      rays_(table.arena()), crossings_(table.arena()), sortScratch_(table.arena()),
      chainSpan_(table.arena()), nodes_(table.arena()), quietStretches_(quietStretches) {}

void ScanBeamSweep::run() {
    nodes_.reserve(table_.edges.size());
    // Every edge starts at most one bundle and is a member of it: room for all from the start.
    bundles_.reserve(table_.edges.size());
    memberEdges_.reserve(table_.edges.size());
    double y = 0.0;
    if (!nextScanline(y))
        return;
    for (;;) {
        processScanline(y);
        if (quietStretches_)
            y = skipQuietStretch(y);
        double yTop = 0.0;
        if (!nextScanline(yTop))
            break;
        processBeam(y, yTop);
        y = yTop;
    }
}

// The next scan line: the lowest of the next local minimum and the tops of active edges.
bool ScanBeamSweep::nextScanline(double& y) {
    const auto& minima = table_.minima;
    const bool haveMin = nextMinimum_ < minima.size();
    if (!haveMin && orderCount_ == 0)
        return false;
    y = haveMin ? table_.edges[static_cast<std::size_t>(minima[nextMinimum_])].yb
                : std::numeric_limits<double>::infinity();
    if (orderCount_ > 0 && nextTop_ < y)
        y = nextTop_;
    return true;
}

// The end of the quiet stretch above the scan line y0, with at most `reach` edges a bundle:
// every live bundle is one edge whose bound goes on through each vertex below the end, no local
// minimum comes below it, and neighbouring bundles stay further apart in x than twice the
// bundling tolerance on y0, on every vertex line of either below the end and on the end (between
// those lines both edges are straight, so the gap is too, on every scan line of the others).
// False when the bundles are not all single or the stretch holds no vertex.
bool ScanBeamSweep::quietStretchEnd(double y0, int reach, double& end) {
    const auto& edges = table_.edges;
    const auto& minima = table_.minima;
    auto edge = [&](int e) -> const ClipEdge& { return edges[static_cast<std::size_t>(e)]; };
    end = nextMinimum_ < minima.size() ? edge(minima[nextMinimum_]).yb
                                       : std::numeric_limits<double>::infinity();
    // The tests that need no walk first: most looks that fail, fail on them.
    for (std::size_t k = 0; k < orderCount_; ++k) {
        const ClipBundle& r = bundles_[static_cast<std::size_t>((*order_)[k])];
        if (r.count != 1)
            return false;
        if (k > 0 && !(r.xBot - bundles_[static_cast<std::size_t>((*order_)[k - 1])].xBot >
                       2 * kBundleTolerance))
            return false;
    }
    if (!(end > nextTop_))
        return false;
    // The x extent of each bundle's edges up to the end, which holds every x the gap checks
    // below can take on them (edgeXAbove stays within an edge's ends).
    if (chainSpan_.size() < orderCount_)
        chainSpan_.resize(orderCount_);
    for (std::size_t k = 0; k < orderCount_; ++k) {
        int e = bundles_[static_cast<std::size_t>((*order_)[k])].rep;
        double lo = std::min(edge(e).xb, edge(e).xt);
        double hi = std::max(edge(e).xb, edge(e).xt);
        int step = 1;
        // A bound's edges mostly lie side by side in the table, one way or the other: while
        // they do, the next edge is known before its link is read, and the reads need not
        // wait for one another.
        if (const int d = edge(e).next - e; edge(e).next >= 0 && (d == 1 || d == -1)) {
            for (; step < reach && edge(e).yt < end; ++step) {
                if (edge(e).next != e + d || e + d < 0) [[unlikely]]
                    break;
                e += d;
                lo = std::min(lo, edge(e).xt);
                hi = std::max(hi, edge(e).xt);
            }
        }
        for (; step < reach && edge(e).next >= 0 && edge(e).yt < end; ++step) {
            e = edge(e).next;
            lo = std::min(lo, edge(e).xt);
            hi = std::max(hi, edge(e).xt);
        }
        chainSpan_[k] = {lo, hi};
        end = std::min(end, edge(e).yt);
    }
    for (std::size_t k = 1; k < orderCount_ && end > nextTop_; ++k) {
        // Extents apart by more than the margin keep every gap on the way wider than it.
        if (chainSpan_[k].first - chainSpan_[k - 1].second > 2 * kBundleTolerance)
            continue;
        const ClipBundle& l = bundles_[static_cast<std::size_t>((*order_)[k - 1])];
        const ClipBundle& r = bundles_[static_cast<std::size_t>((*order_)[k])];
        auto apart = [&](int el, int er, double y) {
            return edgeXAbove(edge(er), y) - edgeXAbove(edge(el), y) > 2 * kBundleTolerance;
        };
        // The gap is checked where either edge turns and at the end; a check that fails ends
        // the stretch at the last line checked, past which the gap may close anywhere.
        double checked = y0;
        int el = l.rep, er = r.rep;
        double y = std::min(edge(el).yt, edge(er).yt);
        for (; y < end; y = std::min(edge(el).yt, edge(er).yt)) {
            if (!apart(el, er, y))
                break;
            checked = y;
            if (edge(el).yt == y)
                el = edge(el).next;
            if (edge(er).yt == y)
                er = edge(er).next;
        }
        if (y < end || !apart(el, er, end))
            end = checked;
    }
    return end > nextTop_;
}

// Runs the scan lines of a quiet stretch above y in one go, bundle by bundle: with nothing
// near, each vertex on them is one edge handing over to the next of its bound, which depends on
// nothing but the bundle and the parity left of it, and no boundary starts or ends there, so the
// result's contours (found from their lowest vertex) come out as one scan line at a time gives.
// Leaves the bundles as the last of those scan lines would and returns it (y without one).
double ScanBeamSweep::skipQuietStretch(double y) {
    if (orderCount_ == 0)
        return y;
    if (quietWait_ > 0) {
        --quietWait_;
        return y;
    }
    double end = 0.0;
    if (!quietStretchEnd(y, 32, end)) {
        // Looking costs a few scan lines' work: after a miss, wait longer before the next look.
        quietMisses_ = std::min(quietMisses_ + 1, 6);
        quietWait_ = 1 << quietMisses_;
        return y;
    }
    quietMisses_ = 0;
    const auto& edges = table_.edges;
    double last = y;
    for (std::size_t k = 0; k < orderCount_; ++k) {
        ClipBundle& b = bundles_[static_cast<std::size_t>((*order_)[k])];
        while (edges[static_cast<std::size_t>(b.rep)].yt < end) {
            const ClipEdge& e = edges[static_cast<std::size_t>(b.rep)];
            belowLeft_ = b.left;
            aboveLeft_ = b.left;
            pendingWest_ = -1;
            last = std::max(last, e.yt);
            continueBound(b, e.xt, e.yt);
        }
    }
    // As after the scan line `last`: bundles without a vertex on it passed it where their edge
    // crosses it.
    nextTop_ = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < orderCount_; ++k) {
        ClipBundle& b = bundles_[static_cast<std::size_t>((*order_)[k])];
        const ClipEdge& e = edges[static_cast<std::size_t>(b.rep)];
        if (e.yb != last)
            b.xBot = edgeXAbove(e, last);
        nextTop_ = std::min(nextTop_, b.yEnd);
    }
    return last;
}

void ScanBeamSweep::processScanline(double y) {
    const auto& edges = table_.edges;
    const auto& minima = table_.minima;
    std::size_t minEnd = nextMinimum_;
    while (minEnd < minima.size() && edges[static_cast<std::size_t>(minima[minEnd])].yb <= y)
        ++minEnd;

    // Every bundle above the line holds at least one edge, each going on from a live member or
    // starting at a minimum here: room for that many, filled by index without growth checks.
    // The vectors only grow; orderCount_ says how much of the live one is in use.
    const std::size_t room = liveMembers_ + (minEnd - nextMinimum_);
    if (nextOrder_->size() < room)
        nextOrder_->resize(room);
    nextCount_ = 0;
    nextTop_ = std::numeric_limits<double>::infinity();
    belowLeft_ = 0;
    aboveLeft_ = 0;
    pendingWest_ = -1;

    // Group the bundles arriving from below and the bounds starting here into points on the line.
    const std::size_t nb = orderCount_;
    std::size_t i = 0;
    std::size_t m = nextMinimum_;
    auto bundleAt = [&](std::size_t k) -> const ClipBundle& {
        return bundles_[static_cast<std::size_t>((*order_)[k])];
    };
    auto minimumAt = [&](std::size_t k) -> const ClipEdge& {
        return edges[static_cast<std::size_t>(minima[k])];
    };
    // A bundle going on into the beam above, in the order it is placed.
    auto keep = [&](int id, const ClipBundle& b) {
        nextTop_ = std::min(nextTop_, b.yEnd);
        (*nextOrder_)[nextCount_++] = id;
    };
    while (i < nb || m < minEnd) {
        // Most bundles pass the line with nothing near them: the grouping below would take each
        // alone and carry it on in place; do that without the grouping.
        if (i < nb) {
            const double minX = m < minEnd ? minimumAt(m).xb : kNoMinimum;
            if (belowLeft_ == aboveLeft_) {
                i = passUntouched(i, minX, y);
                if (i >= nb)
                    continue;
            } else if (passesAlone(bundles_.data(), order_->data(), nb, i, minX, y)) {
                const int id = (*order_)[i];
                ClipBundle& b = bundles_[static_cast<std::size_t>(id)];
                crossLine(b, y);
                keep(id, b);
                ++i;
                continue;
            }
        }
        const bool belowFirst = m >= minEnd || (i < nb && bundleAt(i).xTop <= minimumAt(m).xb);
        const double start = belowFirst ? bundleAt(i).xTop : minimumAt(m).xb;
        double last = start;
        double px = start;
        bool exact = false; // prefer an input vertex's own x for the point
        const std::size_t i0 = i;
        const std::size_t m0 = m;
        for (;;) {
            bool took = false;
            if (i < nb && bundleAt(i).xTop <= last + kBundleTolerance) {
                const ClipBundle& b = bundleAt(i);
                last = std::max(last, b.xTop);
                // The lowest top of the members comes first: a bundle passing the line skips
                // the load of its edge.
                if (!exact && b.yEnd <= y && edges[static_cast<std::size_t>(b.rep)].yt == y) {
                    px = b.xTop;
                    exact = true;
                }
                ++i;
                took = true;
            }
            if (m < minEnd && minimumAt(m).xb <= last + kBundleTolerance) {
                last = std::max(last, minimumAt(m).xb);
                if (!exact) {
                    px = minimumAt(m).xb;
                    exact = true;
                }
                ++m;
                took = true;
            }
            if (!took)
                break;
        }

        if (i == i0 + 1 && m == m0) {
            // A bundle passing straight through alone went on above already.
            const int id = (*order_)[i0];
            ClipBundle& b = bundles_[static_cast<std::size_t>(id)];
            // One edge ending here and its bound going on: the commonest vertex by far. The
            // bundle keeps its id and member slot and follows the next edge; the vertex has
            // just the rays east, above, west and below.
            if (b.count == 1) {
                const ClipEdge& e = edges[static_cast<std::size_t>(b.rep)];
                if (e.yt <= y && e.next >= 0) {
                    continueBound(b, px, y);
                    keep(id, b);
                    continue;
                }
            }
        }

        pointAbove_.clear();
        for (std::size_t k = i0; k < i; ++k) {
            const ClipBundle& b = bundleAt(k);
            liveMembers_ -= static_cast<std::size_t>(b.count);
            for (int q = b.first; q < b.first + b.count; ++q) {
                const int member = memberEdges_[static_cast<std::size_t>(q)];
                const ClipEdge& e = edges[static_cast<std::size_t>(member)];
                if (e.yt > y) {
                    pointAbove_.push_back({member, edgeXAt(e, y)});
                } else if (e.next >= 0) {
                    pointAbove_.push_back({e.next, edges[static_cast<std::size_t>(e.next)].xb});
                }
            }
        }
        for (std::size_t k = m0; k < m; ++k) {
            pointAbove_.push_back({minima[k], minimumAt(k).xb});
        }
        processPoint(px, y, static_cast<int>(i0), static_cast<int>(i));
    }
    nextMinimum_ = minEnd;
    orderCount_ = nextCount_;
    std::swap(order_, nextOrder_);
    if (bundles_.size() > 2 * orderCount_ + 32 || memberEdges_.size() > 2 * liveMembers_ + 64)
        compact();
}

// The bundle `b` of one edge ending at (x, y) takes on the edge continuing its bound: the same
// vertex and links as a fresh bundle for that edge would give, without a new id or member slot.
void ScanBeamSweep::continueBound(ClipBundle& b, double x, double y) {
    const int below = b.rep;
    const int next = table_.edges[static_cast<std::size_t>(below)].next;
    const ClipEdge& n = table_.edges[static_cast<std::size_t>(next)];
    const ClipParity flipsBelow = b.flips;
    const ClipParity flipsAbove = polyBit(n.poly);
    const ClipParity runBelow = static_cast<ClipParity>(belowLeft_ ^ flipsBelow);
    const ClipParity runAbove = static_cast<ClipParity>(aboveLeft_ ^ flipsAbove);
    const int openBelow = b.open;
    b.rep = next;
    memberEdges_[static_cast<std::size_t>(b.first)] = next;
    b.flips = flipsAbove;
    b.left = aboveLeft_;
    b.xBot = n.xb;
    b.yEnd = n.yt;
    if (runBelow == runAbove && belowLeft_ == aboveLeft_ && next != below) {
        // Both sides of the scan line alike: only the bundle can bound the result here, and if
        // it does the boundary turns from one edge to the next at a new vertex. This is what
        // classifying the four rays gives, spelt out: every vertex of a regular outline.
        belowLeft_ = runBelow;
        aboveLeft_ = runAbove;
        pendingWest_ = -1;
        b.open = -1;
        const bool insideEast = (inside_ >> runBelow) & 1u;
        const bool insideWest = (inside_ >> static_cast<ClipParity>(runBelow ^ flipsAbove)) & 1u;
        if (insideEast == insideWest)
            return;
        const int node = static_cast<int>(nodes_.size());
        ClipNode& added = nodes_.emplace_back(); // in place: no stack temporary to reload
        added.x = x;
        added.y = y;
        if (insideEast)
            nodes_[static_cast<std::size_t>(node)].next = openBelow; // going down, into below
        else if (openBelow >= 0)
            nodes_[static_cast<std::size_t>(openBelow)].next = node; // coming up from below
        b.open = node;
        return;
    }
    classifyOnLine(x, y, {.flips = flipsBelow, .edge = below, .open = openBelow},
                   {.flips = flipsAbove, .edge = next, .openOut = &b.open});
}

// The point (x, y) where one bundle meets the scan line, from the edge below to the edge above
// (the same edge when it passes): classified with the rays east, above, west and below, and the
// parities left of the next point moved past it.
void ScanBeamSweep::classifyOnLine(double x, double y, const LineSide& below,
                                   const LineSide& above) {
    const ClipParity runBelow = static_cast<ClipParity>(belowLeft_ ^ below.flips);
    const ClipParity runAbove = static_cast<ClipParity>(aboveLeft_ ^ above.flips);
    // Counter-clockwise from the east: east, above, west, below.
    ClipRay rays[4] = {
        {static_cast<ClipParity>(runBelow ^ runAbove), false, -2, -1, &pendingWest_},
        {above.flips, false, above.edge, -1, above.openOut},
        {static_cast<ClipParity>(aboveLeft_ ^ belowLeft_), true, -2, pendingWest_, nullptr},
        {below.flips, true, below.edge, below.open, nullptr}};
    classifyRays<4>(x, y, runBelow, inside_, rays, nodes_);
    belowLeft_ = runBelow;
    aboveLeft_ = runAbove;
}

// Carries on, in place, the bundles from position i on that pass the scan line y with nothing
// near them, while the line bounds no region (belowLeft_ equals aboveLeft_); minX is the x of
// the next bound starting on the line. Returns the position of the first bundle not taken. On
// locals: each parity is a byte, whose store would make every member be read anew.
std::size_t ScanBeamSweep::passUntouched(std::size_t i, double minX, double y) {
    const std::size_t nb = orderCount_;
    const int* order = order_->data();
    int* next = nextOrder_->data();
    ClipBundle* bundles = bundles_.data();
    ClipParity parity = aboveLeft_;
    double top = nextTop_;
    std::size_t count = nextCount_;
    for (; i < nb && passesAlone(bundles, order, nb, i, minX, y); ++i) {
        ClipBundle& b = bundles[order[i]];
        b.xBot = b.xTop;
        b.left = parity;
        parity ^= b.flips;
        top = std::min(top, b.yEnd);
        next[count++] = order[i];
    }
    belowLeft_ = parity;
    aboveLeft_ = parity;
    nextTop_ = top;
    nextCount_ = count;
    return i;
}

// The bundle `b` passing the scan line y where the line itself bounds regions (a horizontal
// edge runs along it): it goes on in place, as passUntouched leaves a bundle, and the point
// where it meets the line is classified. This is what a fresh bundle for the same members would
// give, without the new id and member slots.
void ScanBeamSweep::crossLine(ClipBundle& b, double y) {
    b.xBot = b.xTop;
    b.left = aboveLeft_;
    classifyOnLine(b.xTop, y, {.flips = b.flips, .edge = b.rep, .open = b.open},
                   {.flips = b.flips, .edge = b.rep, .openOut = &b.open});
}

// Renumbers the live bundles in their order and packs their members, dropping dead entries.
void ScanBeamSweep::compact() {
    compactBundles_.clear();
    compactMembers_.clear();
    for (std::size_t k = 0; k < orderCount_; ++k) {
        int& id = (*order_)[k];
        ClipBundle b = bundles_[static_cast<std::size_t>(id)];
        const int first = static_cast<int>(compactMembers_.size());
        for (int k = b.first; k < b.first + b.count; ++k)
            compactMembers_.push_back(memberEdges_[static_cast<std::size_t>(k)]);
        b.first = first;
        id = static_cast<int>(compactBundles_.size());
        compactBundles_.push_back(b);
    }
    bundles_.swap(compactBundles_);
    memberEdges_.swap(compactMembers_);
    liveMembers_ = memberEdges_.size();
}

void ScanBeamSweep::processPoint(double x, double y, int bundleBegin, int bundleEnd) {
    const auto& edges = table_.edges;
    auto dxOf = [&](const AboveEdge& a) { return edges[static_cast<std::size_t>(a.edge)].dx; };
    // Above a common point the edges run left to right in order of slope.
    const int aboveEnd = static_cast<int>(pointAbove_.size());
    for (int k = 1; k < aboveEnd; ++k) {
        const AboveEdge v = pointAbove_[static_cast<std::size_t>(k)];
        int p = k;
        while (p > 0 && dxOf(pointAbove_[static_cast<std::size_t>(p - 1)]) > dxOf(v)) {
            pointAbove_[static_cast<std::size_t>(p)] = pointAbove_[static_cast<std::size_t>(p - 1)];
            --p;
        }
        pointAbove_[static_cast<std::size_t>(p)] = v;
    }

    // New bundles take fresh ids; the ones below the point are dead from here on.
    const std::size_t firstNew = nextCount_;
    ClipParity runAbove = aboveLeft_;
    for (int k = 0; k < aboveEnd;) {
        (*nextOrder_)[nextCount_++] = static_cast<int>(bundles_.size());
        ClipBundle& nb = bundles_.emplace_back();
        nb.rep = pointAbove_[static_cast<std::size_t>(k)].edge;
        nb.first = static_cast<int>(memberEdges_.size());
        nb.left = runAbove;
        nb.xBot = pointAbove_[static_cast<std::size_t>(k)].x;
        nb.yEnd = edges[static_cast<std::size_t>(nb.rep)].yt;
        double prevDx = dxOf(pointAbove_[static_cast<std::size_t>(k)]);
        do {
            const AboveEdge& a = pointAbove_[static_cast<std::size_t>(k)];
            const ClipEdge& e = edges[static_cast<std::size_t>(a.edge)];
            memberEdges_.push_back(a.edge);
            nb.flips ^= polyBit(e.poly);
            nb.yEnd = std::min(nb.yEnd, e.yt);
            prevDx = e.dx;
            ++k;
        } while (k < aboveEnd && std::fabs(dxOf(pointAbove_[static_cast<std::size_t>(k)]) -
                                           prevDx) <= kBundleTolerance);
        nb.count = static_cast<int>(memberEdges_.size()) - nb.first;
        nextTop_ = std::min(nextTop_, nb.yEnd);
        liveMembers_ += static_cast<std::size_t>(nb.count);
        runAbove ^= nb.flips;
    }
    ClipParity runBelow = belowLeft_;
    for (int k = bundleBegin; k < bundleEnd; ++k)
        runBelow ^=
            bundles_[static_cast<std::size_t>((*order_)[static_cast<std::size_t>(k)])].flips;

    // Rays counter-clockwise from the east: east, above (right to left), west, below.
    const std::size_t rayCount =
        2 + (nextCount_ - firstNew) + static_cast<std::size_t>(bundleEnd - bundleBegin);
    if (rays_.size() < rayCount)
        rays_.resize(rayCount);
    ClipRay* ray = rays_.data();
    *ray++ = {static_cast<ClipParity>(runBelow ^ runAbove), false, -2, -1, &pendingWest_};
    for (std::size_t k = nextCount_; k-- > firstNew;) {
        ClipBundle& b = bundles_[static_cast<std::size_t>((*nextOrder_)[k])];
        *ray++ = {b.flips, false, b.rep, -1, &b.open};
    }
    *ray++ = {static_cast<ClipParity>(aboveLeft_ ^ belowLeft_), true, -2, pendingWest_, nullptr};
    for (int k = bundleBegin; k < bundleEnd; ++k) {
        const ClipBundle& b =
            bundles_[static_cast<std::size_t>((*order_)[static_cast<std::size_t>(k)])];
        *ray++ = {b.flips, true, b.rep, b.open, nullptr};
    }
    classifyClipVertex(x, y, runBelow, inside_, rays_.data(), static_cast<int>(rayCount), nodes_);
    belowLeft_ = runBelow;
    aboveLeft_ = runAbove;
}

void ScanBeamSweep::processBeam(double yBot, double yTop) {
    const auto& edges = table_.edges;
    // The tops, and whether any two came out of order, in one pass.
    bool inverted = false;
    double previous = -std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < orderCount_; ++k) {
        ClipBundle& b = bundles_[static_cast<std::size_t>((*order_)[k])];
        b.xTop = edgeXAbove(edges[static_cast<std::size_t>(b.rep)], yTop);
        inverted |= b.xTop < previous;
        previous = b.xTop;
    }
    if (!inverted)
        return;

    // Insertion sort by x at the top; every pair it swaps crosses inside the beam.
    crossings_.clear();
    sortScratch_.assign(order_->begin(),
                        order_->begin() + static_cast<std::ptrdiff_t>(orderCount_));
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
    position_.resize(bundles_.size());
    for (std::size_t k = 0; k < orderCount_; ++k)
        position_[static_cast<std::size_t>((*order_)[k])] = static_cast<int>(k);
    // A beam mostly holds few crossings: then a stable insertion sort, without the buffer a
    // library stable sort takes from the heap.
    const auto earlier = [](const Crossing& a, const Crossing& b) { return a.t < b.t; };
    if (crossings_.size() > 32) {
        std::stable_sort(crossings_.begin(), crossings_.end(), earlier);
    } else {
        for (std::size_t k = 1; k < crossings_.size(); ++k) {
            const Crossing c = crossings_[k];
            std::size_t p = k;
            while (p > 0 && earlier(c, crossings_[p - 1])) {
                crossings_[p] = crossings_[p - 1];
                --p;
            }
            crossings_[p] = c;
        }
    }
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
    ClipRay rays[6] = {
        {0, false, -2, -1, &horizontalSink_},    {l.flips, false, l.rep, -1, &l.open},
        {r.flips, false, r.rep, -1, &r.open},    {0, true, -2, -1, nullptr},
        {l.flips, true, l.rep, l.open, nullptr}, {r.flips, true, r.rep, r.open, nullptr}};
    classifyRays<6>(x, y, static_cast<ClipParity>(leftParity ^ l.flips ^ r.flips), inside_, rays,
                    nodes_);

    const int pl = position_[static_cast<std::size_t>(c.left)];
    const int pr = position_[static_cast<std::size_t>(c.right)];
    (*order_)[static_cast<std::size_t>(pl)] = c.right;
    (*order_)[static_cast<std::size_t>(pr)] = c.left;
    position_[static_cast<std::size_t>(c.left)] = pr;
    position_[static_cast<std::size_t>(c.right)] = pl;
    r.left = leftParity;
    l.left = static_cast<ClipParity>(leftParity ^ r.flips);
}

} // namespace plicato
