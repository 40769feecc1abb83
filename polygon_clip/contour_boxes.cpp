// Contour boxes in one pass with the usability test, their union, and the grown window.
#include "polygon_clip/contour_boxes.h"

#include <algorithm>
#include <cmath>

namespace plicato {

std::pmr::vector<ClipBox> clipContourBoxes(const ClipPolygon& p, std::pmr::vector<char>& usable) {
    const int n = p.contourCount > 0 && p.contours != nullptr ? p.contourCount : 0;
    std::pmr::vector<ClipBox> boxes(static_cast<std::size_t>(n), ClipBox{0, 0, 0, 0},
                                    usable.get_allocator().resource());
    usable.assign(static_cast<std::size_t>(n), 0);
    for (int c = 0; c < n; ++c) {
        const ClipContour& contour = p.contours[c];
        if (contour.vertexCount < 3 || contour.vertices == nullptr)
            continue;
        // One pass for the box and the usability test: a zero times an infinity or a NaN is
        // a NaN, which the sum keeps.
        ClipBox b{contour.vertices[0].x, contour.vertices[0].y, contour.vertices[0].x,
                  contour.vertices[0].y};
        double poison = 0.0;
        for (int i = 0; i < contour.vertexCount; ++i) {
            const ClipVertex& v = contour.vertices[i];
            b.x0 = std::min(b.x0, v.x);
            b.x1 = std::max(b.x1, v.x);
            b.y0 = std::min(b.y0, v.y);
            b.y1 = std::max(b.y1, v.y);
            poison += v.x * 0.0 + v.y * 0.0;
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
