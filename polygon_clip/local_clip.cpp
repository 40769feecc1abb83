// Local clipping: the subject trimmed to the clip's window, clipped, and its runs put back.
#include "polygon_clip/local_clip.h"

#include "polygon_clip/boxed_clip.h"
#include "polygon_clip/contour_assembly.h"
#include "polygon_clip/contour_boxes.h"
#include "polygon_clip/window_trim.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory_resource>
#include <vector>

namespace plicato {

namespace {

// A chord of the trimmed subject: the edge from p to q stands for the input contour's vertices
// strictly between `from` and `to`.
struct Chord {
    ClipVertex p, q;
    int source, from, to;
    int seen = 0;
};

bool lowerStart(const ClipVertex& a, const ClipVertex& b) {
    return a.y < b.y || (a.y == b.y && a.x < b.x);
}

// Rings laid end to end in one array, each given by where it starts and how long it is.
struct Rings {
    explicit Rings(std::pmr::memory_resource* arena) : points(arena), spans(arena) {}
    struct Span {
        std::size_t begin, size, low; // low: its lowest vertex, leftmost among equals
    };
    std::pmr::vector<ClipVertex> points;
    std::pmr::vector<Span> spans;

    void start() { spans.push_back({points.size(), 0, 0}); }
    void end() { spans.back().size = points.size() - spans.back().begin; }
};

// The rings in the engine's order, as a freshly allocated polygon: each from its lowest vertex,
// in the order of those vertices.
ClipPolygon engineOrdered(Rings& rings) {
    for (auto& r : rings.spans) {
        const ClipVertex* first = rings.points.data() + r.begin;
        r.low =
            static_cast<std::size_t>(std::min_element(first, first + r.size, lowerStart) - first);
    }
    const auto lowOf = [&](const Rings::Span& r) { return rings.points[r.begin + r.low]; };
    std::stable_sort(rings.spans.begin(), rings.spans.end(),
                     [&](const auto& a, const auto& b) { return lowerStart(lowOf(a), lowOf(b)); });
    ClipPolygon out;
    allocateClipContours(out, static_cast<int>(rings.spans.size()));
    for (std::size_t i = 0; i < rings.spans.size(); ++i) {
        const Rings::Span& r = rings.spans[i];
        ClipContour& c = out.contours[i];
        allocateClipVertices(c, static_cast<int>(r.size));
        const ClipVertex* first = rings.points.data() + r.begin;
        std::memcpy(c.vertices, first + r.low, (r.size - r.low) * sizeof(ClipVertex));
        std::memcpy(c.vertices + (r.size - r.low), first, r.low * sizeof(ClipVertex));
        out.holeFlags[i] = clipDoubledArea(c.vertices, r.size) < 0.0 ? 1 : 0;
    }
    return out;
}

// The local clip of a subject by a measured clip (a difference or a union).
ClipPolygon clipLocally(ClipOp op, const ClipPolygon& subject, const MeasuredClip& measured) {
    const ClipPolygon& clip = measured.polygon();
    const std::pmr::vector<ClipBox>& clipBoxes = measured.boxes();
    const std::pmr::vector<char>& clipUse = measured.use();
    const ClipChunkBoxes* clipChunks = &measured.chunks();
    // Working storage for the whole call: small cases never reach the heap.
    alignas(std::max_align_t) std::byte initial[8 * 1024];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    std::pmr::vector<char> use(&arena);
    ClipChunkBoxes subjectChunks(&arena);
    const std::pmr::vector<ClipBox> subjectBoxes = clipContourBoxes(subject, use, &subjectChunks);
    ClipBox subjectBox{};
    if (!measured.anyUsable() || !unionOfBoxes(subjectBoxes, use, subjectBox))
        return clipPolygons(op, subject, clip);
    const ClipBox& clipBox = measured.box();
    // Worth it only when most of the subject lies beyond the clip's window.
    const ClipBox w = grownWindow(clipBox);
    if (shareInside(subjectBox, w) > 0.5)
        return clipPolygonsBoxed(op, subject, subjectBoxes, use, clip, clipBoxes, clipUse,
                                 clipChunks);

    TrimmedClipPolygon trimmed(&arena);
    trimToWindow(subject, use, w, trimmed, &subjectBoxes, &subjectChunks);
    std::vector<Chord> chords;
    for (int k = 0; k < trimmed.view.contourCount; ++k) {
        const ClipContour& c = trimmed.view.contours[k];
        const int source = trimmed.sources[static_cast<std::size_t>(k)];
        const int n = subject.contours[source].vertexCount;
        const int* origin = trimmed.origins.data() + (c.vertices - trimmed.vertices.data());
        for (int j = 0; j < c.vertexCount; ++j) {
            const int next = j + 1 == c.vertexCount ? 0 : j + 1;
            if ((origin[j] + 1 == n ? 0 : origin[j] + 1) != origin[next])
                chords.push_back(
                    {c.vertices[j], c.vertices[next], source, origin[j], origin[next]});
        }
    }
    if (chords.empty() && trimmed.dropped.empty())
        return clipPolygonsBoxed(op, subject, subjectBoxes, use, clip, clipBoxes, clipUse,
                                 clipChunks);
    std::sort(chords.begin(), chords.end(),
              [](const Chord& a, const Chord& b) { return lowerStart(a.p, b.p); });

    // The clip as it was measured above; the trimmed subject measured anew.
    std::pmr::vector<char> trimmedUse(&arena);
    const std::pmr::vector<ClipBox> trimmedBoxes = clipContourBoxes(trimmed.view, trimmedUse);
    ClipPolygon near_ = clipPolygonsBoxed(op, trimmed.view, trimmedBoxes, trimmedUse, clip,
                                          clipBoxes, clipUse, clipChunks);
    // Room for every ring at once: the near result's vertices and every vertex of the subject
    // bound the rings put together.
    Rings rings(&arena);
    std::size_t room = 0;
    for (int k = 0; k < near_.contourCount; ++k)
        room += static_cast<std::size_t>(near_.contours[k].vertexCount);
    for (std::size_t c = 0; c < use.size(); ++c)
        room += use[c] ? static_cast<std::size_t>(subject.contours[c].vertexCount) : 0;
    rings.points.reserve(room);
    rings.spans.reserve(static_cast<std::size_t>(near_.contourCount) + trimmed.dropped.size());
    auto& ring = rings.points;
    for (int k = 0; k < near_.contourCount; ++k) {
        const ClipContour& c = near_.contours[k];
        rings.start();
        for (int j = 0; j < c.vertexCount; ++j) {
            const ClipVertex& p = c.vertices[j];
            const ClipVertex& q = c.vertices[j + 1 == c.vertexCount ? 0 : j + 1];
            ring.push_back(p);
            auto it = std::lower_bound(
                chords.begin(), chords.end(), p,
                [](const Chord& a, const ClipVertex& v) { return lowerStart(a.p, v); });
            for (; it != chords.end() && it->p.x == p.x && it->p.y == p.y; ++it) {
                if (it->q.x != q.x || it->q.y != q.y)
                    continue;
                ++it->seen;
                const ClipContour& s = subject.contours[it->source];
                // The run: the vertices after `from` up to `to`, wrapping round the contour's end.
                const int n = s.vertexCount;
                const int from = it->from + 1 == n ? 0 : it->from + 1;
                if (from <= it->to) {
                    ring.insert(ring.end(), s.vertices + from, s.vertices + it->to);
                } else {
                    ring.insert(ring.end(), s.vertices + from, s.vertices + n);
                    ring.insert(ring.end(), s.vertices, s.vertices + it->to);
                }
                break;
            }
        }
        rings.end();
    }
    freeClipPolygon(near_);
    // Every chord must have come through whole, once: then nothing met it, and putting its run
    // back gives what the whole subject would have.
    if (std::any_of(chords.begin(), chords.end(), [](const Chord& c) { return c.seen != 1; }))
        return clipPolygonsBoxed(op, subject, subjectBoxes, use, clip, clipBoxes, clipUse,
                                 clipChunks);
    for (const int d : trimmed.dropped) {
        const ClipContour& s = subject.contours[d];
        rings.start();
        ring.insert(ring.end(), s.vertices, s.vertices + s.vertexCount);
        rings.end();
    }
    return engineOrdered(rings);
}

} // namespace

MeasuredClip::MeasuredClip(const ClipPolygon& clip, std::pmr::memory_resource* arena)
    : clip_(clip), use_(arena), chunks_(arena), boxes_(clipContourBoxes(clip, use_, &chunks_)) {
    anyUsable_ = unionOfBoxes(boxes_, use_, box_);
}

ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const MeasuredClip& clip) {
    if (op != ClipOp::Difference && op != ClipOp::Union)
        return clipPolygons(op, subject, clip.polygon());
    return clipLocally(op, subject, clip);
}

ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip) {
    if (op != ClipOp::Difference && op != ClipOp::Union)
        return clipPolygons(op, subject, clip);
    // The clip's boxes on the stack: measured for this call alone.
    alignas(std::max_align_t) std::byte initial[2 * 1024];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    return clipLocally(op, subject, MeasuredClip(clip, &arena));
}

} // namespace plicato
