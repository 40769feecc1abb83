// Helpers for the polygon engine tests: building inputs, even-odd areas and point membership
// computed independently of the engine, and owning wrappers for results.
#pragma once

#include "polygon_clip/polygon_clip.h"

#include <utility>
#include <vector>

namespace plicato {

using Ring = std::vector<ClipVertex>;
using Rings = std::vector<Ring>;

// Owns a ClipPolygon and releases it.
class OwnedClip {
public:
    OwnedClip() = default;
    explicit OwnedClip(ClipPolygon p) : p_(p) {}
    explicit OwnedClip(const Rings& rings, const std::vector<int>& holes = {});
    OwnedClip(const OwnedClip&) = delete;
    OwnedClip& operator=(const OwnedClip&) = delete;
    OwnedClip(OwnedClip&& o) noexcept : p_(std::exchange(o.p_, ClipPolygon{})) {}
    OwnedClip& operator=(OwnedClip&& o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~OwnedClip() { freeClipPolygon(p_); }
    const ClipPolygon& get() const { return p_; }
    Rings rings() const;
    int holeCount() const;
    int outerCount() const;

private:
    ClipPolygon p_;
};

OwnedClip runClip(ClipOp op, const OwnedClip& a, const OwnedClip& b);

Ring rect(double x0, double y0, double x1, double y1);
// Teeth of width 1 every 2 units standing on a base; `upright` false mirrors it across the
// diagonal so that its teeth cross every tooth of the upright comb: 4 t^2 crossings.
Ring combRing(int teeth, bool upright);

// The box of every vertex of the rings.
struct RingBounds {
    double x0 = 1e300;
    double y0 = 1e300;
    double x1 = -1e300;
    double y1 = -1e300;
};
RingBounds ringBounds(const Rings& rings);

// Even-odd area of a set of rings (crossings allowed), by slabs cut at every vertex and crossing.
double evenOddArea(const Rings& rings);
// Area by the result's hole flags: outer contours add, holes subtract.
double flaggedArea(const ClipPolygon& p);
// Even-odd membership of a point.
bool insideEvenOdd(const Rings& rings, double x, double y);
// Distance from a point to the nearest edge of the rings.
double distanceToEdges(const Rings& rings, double x, double y);
// Whether the result's contours cross one another or themselves (touching is allowed).
bool contoursCross(const Rings& rings);

// Sum of the triangle areas (absolute) of the strips, and how many triangles of positive area
// cover the point.
double stripArea(const std::vector<TriangleStrip>& strips);
int stripCoverCount(const std::vector<TriangleStrip>& strips, double x, double y);

bool insideForOp(ClipOp op, bool inA, bool inB);

} // namespace plicato
