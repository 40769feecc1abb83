// Contour boxes in one pass with the usability test, their union, and the grown window.
#include "polygon_clip/contour_boxes.h"

#include <algorithm>
#include <cmath>

namespace plicato {

namespace {

// The box of `count` vertices; a NaN or an infinity among them makes `poison` a NaN (a zero
// times either is one, and the sum keeps it).
ClipBox boxOfRun(const ClipVertex* v, int count, double& poison) {
    ClipBox b{v[0].x, v[0].y, v[0].x, v[0].y};
    for (int i = 0; i < count; ++i) {
        b.x0 = std::min(b.x0, v[i].x);
        b.x1 = std::max(b.x1, v[i].x);
        b.y0 = std::min(b.y0, v[i].y);
        b.y1 = std::max(b.y1, v[i].y);
        poison += v[i].x * 0.0 + v[i].y * 0.0;
    }
    return b;
}

} // namespace

std::pmr::vector<ClipBox> clipContourBoxes(const ClipPolygon& p, std::pmr::vector<char>& usable,
                                           ClipChunkBoxes* chunks) {
    const int n = p.contourCount > 0 && p.contours != nullptr ? p.contourCount : 0;
    std::pmr::vector<ClipBox> boxes(static_cast<std::size_t>(n), ClipBox{0, 0, 0, 0},
                                    usable.get_allocator().resource());
    usable.assign(static_cast<std::size_t>(n), 0);
    if (chunks) {
        // Room for every run at once, so that each is written in place.
        std::size_t runs = 0;
        for (int c = 0; c < n; ++c)
            runs += static_cast<std::size_t>(std::max(0, p.contours[c].vertexCount) +
                                             ClipChunkBoxes::span - 1) /
                    ClipChunkBoxes::span;
        chunks->boxes.resize(runs);
        chunks->first.resize(static_cast<std::size_t>(n));
    }
    std::size_t nextRun = 0;
    for (int c = 0; c < n; ++c) {
        const ClipContour& contour = p.contours[c];
        if (chunks)
            chunks->first[static_cast<std::size_t>(c)] = static_cast<int>(nextRun);
        if (contour.vertexCount < 3 || contour.vertices == nullptr)
            continue;
        double poison = 0.0;
        ClipBox b{};
        if (chunks) {
            constexpr int span = ClipChunkBoxes::span;
            ClipBox* out = chunks->boxes.data() + nextRun;
            b = boxOfRun(contour.vertices, std::min(span, contour.vertexCount), poison);
            out[0] = b;
            for (int i = span, r = 1; i < contour.vertexCount; i += span, ++r) {
                const ClipBox box =
                    boxOfRun(contour.vertices + i, std::min(span, contour.vertexCount - i), poison);
                out[r] = box;
                b = {std::min(b.x0, box.x0), std::min(b.y0, box.y0), std::max(b.x1, box.x1),
                     std::max(b.y1, box.y1)};
            }
            nextRun += static_cast<std::size_t>(contour.vertexCount + span - 1) / span;
        } else {
            b = boxOfRun(contour.vertices, contour.vertexCount, poison);
        }
        if (poison != 0.0)
            continue;
        usable[static_cast<std::size_t>(c)] = 1;
        boxes[static_cast<std::size_t>(c)] = b;
    }
    return boxes;
}

bool unionOfBoxes(const std::pmr::vector<ClipBox>& boxes, const std::pmr::vector<char>& use,
                  ClipBox& out) {
    bool any = false;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!use[i])
            continue;
        const ClipBox& b = boxes[i];
        out = any ? ClipBox{std::min(out.x0, b.x0), std::min(out.y0, b.y0), std::max(out.x1, b.x1),
                            std::max(out.y1, b.y1)}
                  : b;
        any = true;
    }
    return any;
}

ClipBox grownWindow(const ClipBox& w) {
    const double size =
        std::max({std::fabs(w.x0), std::fabs(w.y0), std::fabs(w.x1), std::fabs(w.y1)});
    const double margin = 1e-3 + 1e-6 * size;
    return {w.x0 - margin, w.y0 - margin, w.x1 + margin, w.y1 + margin};
}

double shareInside(const ClipBox& b, const ClipBox& w) {
    const double area = (b.x1 - b.x0) * (b.y1 - b.y0);
    const double inside = std::max(0.0, std::min(b.x1, w.x1) - std::max(b.x0, w.x0)) *
                          std::max(0.0, std::min(b.y1, w.y1) - std::max(b.y0, w.y0));
    return area > 0.0 ? inside / area : 1.0;
}

} // namespace plicato
