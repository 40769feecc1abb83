// Entry points of the polygon engine: trivial results, the bounding-box pre-test, and the sweep.
#include "polygon_clip/polygon_clip.h"

#include "polygon_clip/boxed_clip.h"
#include "polygon_clip/edge_table.h"
#include "polygon_clip/scan_beam_sweep.h"
#include "polygon_clip/trapezoid_strips.h"
#include "polygon_clip/window_trim.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory_resource>

namespace plicato {

namespace {

constexpr std::size_t kArenaBytes = std::size_t{24} * 1024;

using Box = ClipBox;

int contourCountOf(const ClipPolygon& p) {
    return p.contourCount > 0 && p.contours != nullptr ? p.contourCount : 0;
}

std::size_t vertexTotal(const ClipPolygon& p, const std::pmr::vector<char>& use) {
    std::size_t total = 0;
    for (std::size_t c = 0; c < use.size(); ++c)
        if (use[c])
            total += static_cast<std::size_t>(p.contours[c].vertexCount);
    return total;
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
            any = otherUsable[j] && boxesOverlap(keepBoxes[i], otherBoxes[j]);
        keep[i] = any ? 1 : 0;
    }
}

// Whether a good share of some contour's box lies beyond the window: only then does trimming
// save more than its own pass costs.
bool worthTrimming(const std::pmr::vector<Box>& boxes, const std::pmr::vector<char>& use,
                   const Box& w) {
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (use[i] && shareInside(boxes[i], w) < 0.75)
            return true;
    return false;
}

// The operand as the sweep should see it: trimmed to the window when that saves work.
const ClipPolygon* trimmedOperand(const ClipPolygon& p, const std::pmr::vector<Box>& boxes,
                                  std::pmr::vector<char>& use, const std::pmr::vector<Box>& other,
                                  const std::pmr::vector<char>& otherUse,
                                  TrimmedClipPolygon& trimmed, const ClipChunkBoxes* chunks) {
    Box around{};
    if (!unionOfBoxes(other, otherUse, around))
        return &p;
    const Box w = grownWindow(around);
    if (!worthTrimming(boxes, use, w))
        return &p;
    trimToWindow(p, use, w, trimmed, &boxes, chunks);
    use.assign(static_cast<std::size_t>(trimmed.view.contourCount), 1);
    return &trimmed.view;
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

// Whether the result is plainly empty, before any box is looked at.
bool plainlyEmpty(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip) {
    const int subjectCount = contourCountOf(subject);
    const int clipCount = contourCountOf(clip);
    const bool cutting = op == ClipOp::Intersection || op == ClipOp::Difference;
    return (subjectCount == 0 && clipCount == 0) || (subjectCount == 0 && cutting) ||
           (clipCount == 0 && op == ClipOp::Intersection) || insideMask(op) == 0;
}

// The operation proper, with each operand's contour boxes and usable flags; the flags are the
// operation's own to narrow.
ClipPolygon sweepOperands(ClipOp op, const ClipPolygon& subject,
                          const std::pmr::vector<Box>& subjectBoxes,
                          std::pmr::vector<char>& useSubject, const ClipPolygon& clip,
                          const std::pmr::vector<Box>& clipBoxes, std::pmr::vector<char>& useClip,
                          const ClipChunkBoxes* clipChunks, std::pmr::memory_resource& arena) {
    const bool cutting = op == ClipOp::Intersection || op == ClipOp::Difference;
    if (cutting && contourCountOf(subject) > 0 && contourCountOf(clip) > 0) {
        // A contour far from everything of the other polygon cannot change the result.
        const std::pmr::vector<char> subjectUsable(useSubject, &arena);
        dropIsolated(clipBoxes, useClip, subjectBoxes, subjectUsable);
        if (op == ClipOp::Intersection)
            dropIsolated(subjectBoxes, useSubject, clipBoxes, useClip);
    }

    // The result of a cutting operation lies inside the subject's box (and, intersecting, the
    // clip's): beyond it an operand only needs its parity, which far fewer vertices keep.
    const ClipPolygon* subjectIn = &subject;
    const ClipPolygon* clipIn = &clip;
    TrimmedClipPolygon trimmedSubject(&arena);
    TrimmedClipPolygon trimmedClip(&arena);
    if (cutting) {
        // Both windows come from the operands as given, before either is trimmed.
        const std::pmr::vector<char> subjectUse(useSubject, &arena);
        const std::pmr::vector<char> clipUse(useClip, &arena);
        clipIn = trimmedOperand(clip, clipBoxes, useClip, subjectBoxes, subjectUse, trimmedClip,
                                clipChunks);
        if (op == ClipOp::Intersection)
            subjectIn = trimmedOperand(subject, subjectBoxes, useSubject, clipBoxes, clipUse,
                                       trimmedSubject, nullptr);
    }

    ClipEdgeTable table(&arena);
    table.edges.reserve(vertexTotal(*subjectIn, useSubject) + vertexTotal(*clipIn, useClip));
    addClipEdges(table, *subjectIn, 0, &useSubject);
    addClipEdges(table, *clipIn, 1, &useClip);
    buildLocalMinima(table);
    ScanBeamSweep sweep(table, insideMask(op));
    sweep.run();
    return assembleClipContours(sweep.nodes());
}

} // namespace

ClipPolygon clipPolygons(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip) {
    if (plainlyEmpty(op, subject, clip))
        return {};
    // Working storage for the whole operation: small cases never reach the heap.
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    std::pmr::vector<char> useSubject(&arena);
    std::pmr::vector<char> useClip(&arena);
    const std::pmr::vector<Box> subjectBoxes = clipContourBoxes(subject, useSubject);
    const std::pmr::vector<Box> clipBoxes = clipContourBoxes(clip, useClip);
    return sweepOperands(op, subject, subjectBoxes, useSubject, clip, clipBoxes, useClip, nullptr,
                         arena);
}

ClipPolygon clipPolygonsBoxed(ClipOp op, const ClipPolygon& subject,
                              const std::pmr::vector<ClipBox>& subjectBoxes,
                              const std::pmr::vector<char>& subjectUse, const ClipPolygon& clip,
                              const std::pmr::vector<ClipBox>& clipBoxes,
                              const std::pmr::vector<char>& clipUse,
                              const ClipChunkBoxes* clipChunks) {
    if (plainlyEmpty(op, subject, clip))
        return {};
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    std::pmr::vector<char> useSubject(subjectUse, &arena);
    std::pmr::vector<char> useClip(clipUse, &arena);
    return sweepOperands(op, subject, subjectBoxes, useSubject, clip, clipBoxes, useClip,
                         clipChunks, arena);
}

std::vector<TriangleStrip> polygonToStrips(const ClipPolygon& polygon) {
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    ClipEdgeTable table(&arena);
    std::size_t vertices = 0;
    for (int c = 0; c < contourCountOf(polygon); ++c)
        vertices += static_cast<std::size_t>(std::max(0, polygon.contours[c].vertexCount));
    table.edges.reserve(vertices); // at most one edge a vertex: no regrowth in the arena
    addClipEdges(table, polygon, 0, nullptr);
    sortEdgesForSlabs(table);
    return buildTrapezoidStrips(table);
}

} // namespace plicato
