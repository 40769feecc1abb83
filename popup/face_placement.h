// How two faces' regions lie to each other, found from their outlines without the polygon
// engine: apart, one within the other, or unknown (their outlines meet or come close).
#pragma once

#include "model/polygon.h"
#include "popup/face_box.h"

#include <cstddef>
#include <vector>

namespace plicato {

// The boxes of a polygon's runs of `span` consecutive segments, loop after loop, each with the
// vertex before the run too: walks over the segments near a window, or crossed by a ray, step
// over a run whose box lies beyond. Made once for a polygon that many such walks go over.
struct SegmentRuns {
    static constexpr std::size_t span = 16;
    std::vector<Box> boxes;
};

SegmentRuns segmentRuns(const Polygon& p);

struct Segment {
    Point2 a, b;
};

// A run of an outline's segments (by SegmentRuns) that reaches near the other outline.
struct WindowRun {
    const std::vector<Point2>* points;
    std::size_t first;
    Box box;
};

// Scratch room for placement, kept between calls to spare allocations.
struct PlacementScratch {
    std::vector<Segment> segments;
    std::vector<WindowRun> runs;
};

enum class Placement {
    Unknown,  // the outlines meet, come close, or finding out was not worth it
    Apart,    // the closed regions lie apart
    Within,   // b lies inside a
    Encloses, // a lies inside b, and no outline of b inside a
};

// How the regions of a and b lie to each other, with the margin to spare. Without a crossing or
// near approach of their outlines, each loop lies wholly inside or outside the other region, so
// one point per loop decides. `boxA` and `boxB` hold every point of a and b. `aRuns`, when
// given, are a's segment runs.
Placement placement(const Polygon& a, const Box& boxA, const Polygon& b, const Box& boxB,
                    PlacementScratch& scratch, const SegmentRuns* aRuns = nullptr);

} // namespace plicato
