// Local clipping: the subject trimmed to the clip's window, clipped, and its runs put back.
#include "polygon_clip/local_clip.h"

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

// The rings in the engine's order, as a freshly allocated polygon.
ClipPolygon engineOrdered(std::vector<std::vector<ClipVertex>>& rings) {
    for (auto& r : rings) {
        const auto low = std::min_element(r.begin(), r.end(), lowerStart);
        std::rotate(r.begin(), low, r.end());
    }
    std::stable_sort(rings.begin(), rings.end(),
                     [](const auto& a, const auto& b) { return lowerStart(a[0], b[0]); });
    ClipPolygon out;
    allocateClipContours(out, static_cast<int>(rings.size()));
    for (std::size_t i = 0; i < rings.size(); ++i) {
        out.holeFlags[i] = clipDoubledArea(rings[i].data(), rings[i].size()) < 0.0 ? 1 : 0;
        allocateClipVertices(out.contours[i], static_cast<int>(rings[i].size()));
        std::memcpy(out.contours[i].vertices, rings[i].data(),
                    rings[i].size() * sizeof(ClipVertex));
    }
    return out;
}

} // namespace

ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip) {
    if (op != ClipOp::Difference && op != ClipOp::Union)
        return clipPolygons(op, subject, clip);
    std::pmr::monotonic_buffer_resource arena;
    std::pmr::vector<char> clipUse(&arena), use(&arena);
    const std::pmr::vector<ClipBox> clipBoxes = clipContourBoxes(clip, clipUse);
    const std::pmr::vector<ClipBox> subjectBoxes = clipContourBoxes(subject, use);
    ClipBox clipBox{}, subjectBox{};
    if (!unionOfBoxes(clipBoxes, clipUse, clipBox) || !unionOfBoxes(subjectBoxes, use, subjectBox))
        return clipPolygons(op, subject, clip);
    // Worth it only when most of the subject lies beyond the clip's window.
    const ClipBox w = grownWindow(clipBox);
    if (shareInside(subjectBox, w) > 0.5)
        return clipPolygons(op, subject, clip);

    TrimmedClipPolygon trimmed(&arena);
    trimToWindow(subject, use, w, trimmed);
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
        return clipPolygons(op, subject, clip);
    std::sort(chords.begin(), chords.end(),
              [](const Chord& a, const Chord& b) { return lowerStart(a.p, b.p); });

    ClipPolygon near_ = clipPolygons(op, trimmed.view, clip);
    std::vector<std::vector<ClipVertex>> rings;
    rings.reserve(static_cast<std::size_t>(near_.contourCount) + trimmed.dropped.size());
    for (int k = 0; k < near_.contourCount; ++k) {
        const ClipContour& c = near_.contours[k];
        std::vector<ClipVertex>& ring = rings.emplace_back();
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
                for (int i = (it->from + 1) % s.vertexCount; i != it->to;
                     i = (i + 1) % s.vertexCount)
                    ring.push_back(s.vertices[i]);
                break;
            }
        }
    }
    freeClipPolygon(near_);
    // Every chord must have come through whole, once: then nothing met it, and putting its run
    // back gives what the whole subject would have.
    if (std::any_of(chords.begin(), chords.end(), [](const Chord& c) { return c.seen != 1; }))
        return clipPolygons(op, subject, clip);
    for (const int d : trimmed.dropped) {
        const ClipContour& s = subject.contours[d];
        rings.emplace_back(s.vertices, s.vertices + s.vertexCount);
    }
    return engineOrdered(rings);
}

} // namespace plicato
