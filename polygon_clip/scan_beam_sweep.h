// The scan-beam sweep behind the boolean operations: an active edge table of edge bundles,
// advanced scan line by scan line, with the crossings inside each beam taken in order of y.
#pragma once

#include "polygon_clip/contour_assembly.h"
#include "polygon_clip/edge_table.h"
#include "polygon_clip/vertex_classifier.h"

#include <utility>
#include <vector>

namespace plicato {

// Active edges that coincide within the bundling tolerance travel as one bundle; the bundle
// follows the line of its first edge.
struct ClipBundle {
    int rep = 0;   // edge whose line the bundle follows
    int first = 0; // members are edges memberEdges[first .. first + count)
    int count = 0;
    ClipParity flips = 0; // parity change across the bundle
    ClipParity left = 0;  // parity of the region just left of the bundle
    int open = -1;        // result vertex where the boundary segment on this bundle began
    double xBot = 0.0;    // x at the bottom and at the top of the current beam
    double xTop = 0.0;
    double yEnd = 0.0; // lowest top of its members: below it the bundle passes scan lines as is
};

class ScanBeamSweep {
public:
    // `quietStretches` false takes every scan line one at a time, for comparing the two.
    ScanBeamSweep(const ClipEdgeTable& table, ClipInsideMask inside, bool quietStretches = true);
    // Points into itself: neither copied nor moved.
    ScanBeamSweep(const ScanBeamSweep&) = delete;
    ScanBeamSweep& operator=(const ScanBeamSweep&) = delete;
    // Runs the sweep; the result boundary is left in nodes().
    void run();
    const std::pmr::vector<ClipNode>& nodes() const { return nodes_; }

private:
    struct AboveEdge {
        int edge = -1;
        double x;
    };
    // The edge on one side of the scan line at a point: its parity change and the open boundary
    // segment on it, below the line the one it carries in, above the line where to put the one
    // it takes out.
    struct LineSide {
        ClipParity flips = 0;
        int edge = -1;
        int open = -1;
        int* openOut = nullptr;
    };
    struct Crossing {
        int left; // bundle ids, left one at the bottom of the beam
        int right;
        double t; // fraction of the beam height
    };

    bool nextScanline(double& y);
    void processScanline(double y);
    double skipQuietStretch(double y);
    bool quietStretchEnd(double y0, int reach, double& end);
    void processPoint(double x, double y, int bundleBegin, int bundleEnd);
    void continueBound(ClipBundle& b, double x, double y);
    void crossLine(ClipBundle& b, double y);
    void classifyOnLine(double x, double y, const LineSide& below, const LineSide& above);
    std::size_t passUntouched(std::size_t i, double minX, double y);
    void processBeam(double yBot, double yTop);
    void processCrossing(const Crossing& c, double yBot, double yTop);
    void compact();

    const ClipEdgeTable& table_;
    ClipInsideMask inside_;
    std::size_t nextMinimum_ = 0;
    // Lowest top among the bundles set up for the beam above the current scan line: the next
    // scan line unless a local minimum comes first. Every live edge belongs to a live bundle,
    // and edges end only at their tops, so no table of tops is needed.
    double nextTop_ = 0.0;

    // Bundles by id, and the left-to-right order of the live ones. A bundle that passes a scan
    // line untouched, or whose one edge hands over to the next edge of its bound, keeps its id
    // and member slot; bundles ending at a point leave dead entries behind, swept out by
    // compact() once they outnumber the live ones.
    std::pmr::vector<ClipBundle> bundles_;
    std::pmr::vector<int> orderA_;
    std::pmr::vector<int> orderB_;
    // The live order, and the one built for the beam above the current scan line; they trade
    // places by pointer at every scan line (swapping the vectors costs a store-forwarding stall).
    std::pmr::vector<int>* order_ = &orderA_;
    std::pmr::vector<int>* nextOrder_ = &orderB_;
    std::size_t orderCount_ = 0; // entries of *order_ in use
    std::size_t nextCount_ = 0;  // entries of *nextOrder_ filled so far
    std::pmr::vector<int> position_;
    std::pmr::vector<int> memberEdges_;
    std::size_t liveMembers_ = 0;
    std::pmr::vector<ClipBundle> compactBundles_;
    std::pmr::vector<int> compactMembers_;

    // Scratch, reused across scan lines.
    std::pmr::vector<AboveEdge> pointAbove_; // edges leaving the current point upwards
    std::pmr::vector<ClipRay> rays_;
    std::pmr::vector<Crossing> crossings_;
    std::pmr::vector<int> sortScratch_;
    std::pmr::vector<std::pair<double, double>> chainSpan_; // lowest and highest x, by position

    ClipParity belowLeft_ = 0;
    ClipParity aboveLeft_ = 0;
    int pendingWest_ = -1;
    int horizontalSink_ = -1;
    // Scan lines left before the next look for a quiet stretch, and looks in a row that found
    // none.
    int quietWait_ = 0;
    int quietMisses_ = 0;

    std::pmr::vector<ClipNode> nodes_;
    bool quietStretches_ = true;
};

} // namespace plicato
