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

// Appends the shortened contour to `out` and returns its vertex count (0: wholly beyond a side).
int trimContour(const ClipContour& c, const ClipBox& w, std::pmr::vector<ClipVertex>& out,
                std::pmr::vector<int>& origins) {
    const int n = c.vertexCount;
    const ClipVertex* v = c.vertices;
    // Start where a run must start anyway, so that no run is split at the seam; a contour whose
    // every vertex shares a side with the one before has no such place, and any start is safe.
    int start = 0;
    unsigned before = outCode(v[n - 1], w);
    for (int i = 0; i < n; ++i) {
        const unsigned code = outCode(v[i], w);
        if ((before & code) == 0) {
            start = i;
            break;
        }
        before = code;
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
    for (int k = 0, at = start; k < n; ++k, at = at + 1 == n ? 0 : at + 1) {
        const unsigned code = outCode(v[at], w);
        if (runLength > 0 && (runMask & code) != 0) {
            runMask &= code;
            runLast = at;
            ++runLength;
            continue;
        }
        flush();
        out.push_back(v[at]);
        origins.push_back(at);
        runMask = code;
        runLength = 1;
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
                  const std::pmr::vector<ClipBox>* boxes) {
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
        const int count = trimContour(polygon.contours[c], window, out.vertices, out.origins);
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
