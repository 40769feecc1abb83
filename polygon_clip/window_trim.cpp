// Shortening contours to a window: runs of vertices beyond one side become a single chord.
#include "polygon_clip/window_trim.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace plicato {

namespace {

// One bit per side of the window the vertex lies beyond.
unsigned outCode(const ClipVertex& v, const ClipBox& w) {
    return (v.x < w.x0 ? 1u : 0u) | (v.x > w.x1 ? 2u : 0u) | (v.y < w.y0 ? 4u : 0u) |
           (v.y > w.y1 ? 8u : 0u);
}

// The sides every vertex of a run lies beyond: those its box lies beyond.
unsigned sharedOutCode(const ClipBox& b, const ClipBox& w) {
    return (b.x1 < w.x0 ? 1u : 0u) | (b.x0 > w.x1 ? 2u : 0u) | (b.y1 < w.y0 ? 4u : 0u) |
           (b.y0 > w.y1 ? 8u : 0u);
}

// Appends the shortened contour to `out` and returns its vertex count (0: wholly beyond a side).
// `chunks`, when given, are the boxes of the contour's runs of ClipChunkBoxes::span vertices.
int trimContour(const ClipContour& c, const ClipBox& w, const ClipBox* chunks,
                std::pmr::vector<ClipVertex>& out, std::pmr::vector<int>& origins) {
    constexpr int span = ClipChunkBoxes::span;
    const int n = c.vertexCount;
    const ClipVertex* v = c.vertices;
    // Start where a run must start anyway, so that no run is split at the seam; a contour whose
    // every vertex shares a side with the one before has no such place, and any start is safe.
    // Within a run of vertices that all lie beyond one side there is no such place either.
    int start = 0;
    unsigned before = outCode(v[n - 1], w);
    for (int i = 0; i < n;) {
        const unsigned code = outCode(v[i], w);
        if ((before & code) == 0) {
            start = i;
            break;
        }
        const int end = std::min(n, (i / span + 1) * span);
        if (chunks && sharedOutCode(chunks[i / span], w) != 0) {
            before = outCode(v[end - 1], w);
            i = end;
            continue;
        }
        before = code;
        ++i;
    }
    const std::size_t first = out.size();
    unsigned runMask = 0;
    int runLength = 0;
    int runLast = 0;
    auto flush = [&] {
        if (runLength >= 2) {
            out.push_back(v[runLast]);
            origins.push_back(runLast);
        }
    };
    for (int k = 0, at = start; k < n;) {
        // A whole run of vertices beyond a side the run in hand shares, or beginning a run of
        // its own, goes into that run at once: the sides they all lie beyond are known. The run
        // that holds `start`, met again at the end, is never taken whole: either `start` is 0,
        // or it lies beyond no side that the vertex before it (in the same run) lies beyond.
        if (chunks && at % span == 0) {
            const int length = std::min(span, n - at);
            const unsigned shared = sharedOutCode(chunks[at / span], w);
            const unsigned code = shared != 0 ? outCode(v[at], w) : 0u;
            const bool joins = runLength > 0 && (runMask & shared) != 0;
            const bool begins = shared != 0 && (runLength == 0 || (runMask & code) == 0);
            if (joins || begins) {
                if (begins) {
                    flush();
                    out.push_back(v[at]);
                    origins.push_back(at);
                    runLength = 0;
                }
                runMask = begins ? shared : runMask & shared;
                runLength += length;
                runLast = at + length - 1;
                k += length;
                at = at + length == n ? 0 : at + length;
                continue;
            }
        }
        const unsigned code = outCode(v[at], w);
        if (runLength > 0 && (runMask & code) != 0) {
            runMask &= code;
            runLast = at;
            ++runLength;
        } else {
            flush();
            out.push_back(v[at]);
            origins.push_back(at);
            runMask = code;
            runLength = 1;
        }
        ++k;
        at = at + 1 == n ? 0 : at + 1;
    }
    if (runLength == n && runMask != 0) { // one run: the whole contour is beyond one side
        out.resize(first);
        origins.resize(first);
        return 0;
    }
    flush();
    return static_cast<int>(out.size() - first);
}

} // namespace

void trimToWindow(const ClipPolygon& polygon, const std::pmr::vector<char>& use,
                  const ClipBox& window, TrimmedClipPolygon& out,
                  const std::pmr::vector<ClipBox>* boxes, const ClipChunkBoxes* chunks) {
    std::size_t total = 0;
    for (std::size_t c = 0; c < use.size(); ++c)
        if (use[c])
            total += static_cast<std::size_t>(polygon.contours[c].vertexCount);
    out.vertices.clear();
    out.vertices.reserve(total); // no reallocation: contours point into it as they are added
    out.origins.clear();
    out.origins.reserve(total);
    out.contours.clear();
    out.holeFlags.clear();
    out.sources.clear();
    out.dropped.clear();
    for (std::size_t c = 0; c < use.size(); ++c) {
        if (!use[c])
            continue;
        if (boxes && !boxesOverlap((*boxes)[c], window)) {
            out.dropped.push_back(static_cast<int>(c));
            continue;
        }
        const std::size_t at = out.vertices.size();
        const ClipBox* runs = boxes && chunks ? chunks->boxes.data() + chunks->first[c] : nullptr;
        const int count = trimContour(polygon.contours[c], window, runs, out.vertices, out.origins);
        if (count < 3) {
            out.vertices.resize(at);
            out.origins.resize(at);
            out.dropped.push_back(static_cast<int>(c));
            continue;
        }
        out.sources.push_back(static_cast<int>(c));
        out.contours.push_back({count, out.vertices.data() + at});
        out.holeFlags.push_back(polygon.holeFlags ? polygon.holeFlags[c] : 0);
    }
    out.view.contourCount = static_cast<int>(out.contours.size());
    out.view.contours = out.contours.data();
    out.view.holeFlags = out.holeFlags.data();
}

} // namespace plicato
