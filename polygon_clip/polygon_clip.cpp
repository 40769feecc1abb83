// Entry points of the polygon engine: trivial results, the bounding-box pre-test, and the sweep.
#include "polygon_clip/polygon_clip.h"

#include "polygon_clip/edge_table.h"
#include "polygon_clip/scan_beam_sweep.h"
#include "polygon_clip/trapezoid_strips.h"

#include <algorithm>
#include <cstddef>
#include <memory_resource>

namespace plicato {

namespace {

constexpr std::size_t kArenaBytes = std::size_t{24} * 1024;

struct Box {
    double x0, y0, x1, y1;
};

int contourCountOf(const ClipPolygon& p) {
    return p.contourCount > 0 && p.contours != nullptr ? p.contourCount : 0;
}

std::pmr::vector<Box> contourBoxes(const ClipPolygon& p, std::pmr::vector<char>& usable) {
    const int n = contourCountOf(p);
    std::pmr::vector<Box> boxes(static_cast<std::size_t>(n), Box{0, 0, 0, 0},
                                usable.get_allocator().resource());
    usable.assign(static_cast<std::size_t>(n), 0);
    for (int c = 0; c < n; ++c) {
        const ClipContour& contour = p.contours[c];
        if (!clipContourUsable(contour))
            continue;
        usable[static_cast<std::size_t>(c)] = 1;
        Box b{contour.vertices[0].x, contour.vertices[0].y, contour.vertices[0].x,
              contour.vertices[0].y};
        for (int i = 1; i < contour.vertexCount; ++i) {
            b.x0 = std::min(b.x0, contour.vertices[i].x);
            b.x1 = std::max(b.x1, contour.vertices[i].x);
            b.y0 = std::min(b.y0, contour.vertices[i].y);
            b.y1 = std::max(b.y1, contour.vertices[i].y);
        }
        boxes[static_cast<std::size_t>(c)] = b;
    }
    return boxes;
}

std::size_t vertexTotal(const ClipPolygon& p, const std::pmr::vector<char>& use) {
    std::size_t total = 0;
    for (std::size_t c = 0; c < use.size(); ++c)
        if (use[c])
            total += static_cast<std::size_t>(p.contours[c].vertexCount);
    return total;
}

bool overlaps(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

// Keeps only the contours of `keep` whose box overlaps some usable contour's box of `other`.
void dropIsolated(const std::pmr::vector<Box>& keepBoxes, std::pmr::vector<char>& keep,
                  const std::pmr::vector<Box>& otherBoxes,
                  const std::pmr::vector<char>& otherUsable) {
    for (std::size_t i = 0; i < keep.size(); ++i) {
        if (!keep[i])
            continue;
        bool any = false;
        for (std::size_t j = 0; j < otherBoxes.size() && !any; ++j)
            any = otherUsable[j] && overlaps(keepBoxes[i], otherBoxes[j]);
        keep[i] = any ? 1 : 0;
    }
}

// Inside states of the result per operation, one bit per parity (bit 0 subject, bit 1 clip).
ClipInsideMask insideMask(ClipOp op) {
    switch (op) {
    case ClipOp::Difference:
        return 1u << 1; // subject only
    case ClipOp::Intersection:
        return 1u << 3;
    case ClipOp::ExclusiveOr:
        return (1u << 1) | (1u << 2);
    case ClipOp::Union:
        return (1u << 1) | (1u << 2) | (1u << 3);
    }
    return 0;
}

} // namespace

ClipPolygon clipPolygons(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip) {
    const int subjectCount = contourCountOf(subject);
    const int clipCount = contourCountOf(clip);
    const bool cutting = op == ClipOp::Intersection || op == ClipOp::Difference;
    if (subjectCount == 0 && clipCount == 0)
        return {};
    if (subjectCount == 0 && cutting)
        return {};
    if (clipCount == 0 && op == ClipOp::Intersection)
        return {};
    const ClipInsideMask inside = insideMask(op);
    if (inside == 0)
        return {};

    // Working storage for the whole operation: small cases never reach the heap.
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    std::pmr::vector<char> useSubject(&arena);
    std::pmr::vector<char> useClip(&arena);
    const std::pmr::vector<Box> subjectBoxes = contourBoxes(subject, useSubject);
    const std::pmr::vector<Box> clipBoxes = contourBoxes(clip, useClip);
    if (cutting && subjectCount > 0 && clipCount > 0) {
        // A contour far from everything of the other polygon cannot change the result.
        const std::pmr::vector<char> subjectUsable(useSubject, &arena);
        dropIsolated(clipBoxes, useClip, subjectBoxes, subjectUsable);
        if (op == ClipOp::Intersection)
            dropIsolated(subjectBoxes, useSubject, clipBoxes, useClip);
    }

    ClipEdgeTable table(&arena);
    table.edges.reserve(vertexTotal(subject, useSubject) + vertexTotal(clip, useClip));
    addClipEdges(table, subject, 0, &useSubject);
    addClipEdges(table, clip, 1, &useClip);
    buildLocalMinima(table);
    ScanBeamSweep sweep(table, inside);
    sweep.run();
    return assembleClipContours(sweep.nodes());
}

std::vector<TriangleStrip> polygonToStrips(const ClipPolygon& polygon) {
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    ClipEdgeTable table(&arena);
    addClipEdges(table, polygon, 0, nullptr);
    sortEdgesForSlabs(table);
    return buildTrapezoidStrips(table);
}

} // namespace plicato
