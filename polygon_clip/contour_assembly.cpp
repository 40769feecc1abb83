// Assembly of the sweep's linked boundary vertices into result contours with hole flags.
#include "polygon_clip/contour_assembly.h"

#include <cstddef>
#include <cstring>

namespace plicato {

// About the first vertex, to keep the products small.
double clipDoubledArea(const ClipVertex* pts, std::size_t n) {
    double sum = 0.0;
    const double ox = pts[0].x;
    const double oy = pts[0].y;
    for (std::size_t i = 1; i + 1 < n; ++i)
        sum += (pts[i].x - ox) * (pts[i + 1].y - oy) - (pts[i + 1].x - ox) * (pts[i].y - oy);
    return sum;
}

namespace {

struct Span {
    std::size_t begin;
    std::size_t count;
    bool hole;
};

} // namespace

ClipPolygon assembleClipContours(const std::pmr::vector<ClipNode>& nodes) {
    std::pmr::memory_resource* arena = nodes.get_allocator().resource();
    const int n = static_cast<int>(nodes.size());
    // The walk that reached each node (-1: none yet): one walk per chain, and a walk that comes
    // back to its own start has closed its chain.
    std::pmr::vector<int> walkOf(nodes.size(), -1, arena);
    std::pmr::vector<ClipVertex> points(arena); // every kept contour, one after the other
    std::pmr::vector<Span> spans(arena);
    points.reserve(nodes.size());
    for (int start = 0; start < n; ++start) {
        if (walkOf[static_cast<std::size_t>(start)] >= 0)
            continue;
        const std::size_t begin = points.size();
        int cur = start;
        while (cur >= 0 && cur < n && walkOf[static_cast<std::size_t>(cur)] < 0) {
            walkOf[static_cast<std::size_t>(cur)] = start;
            const ClipNode& node = nodes[static_cast<std::size_t>(cur)];
            if (points.size() == begin || points.back().x != node.x || points.back().y != node.y) {
                // Field by field: a braced temporary goes through the stack and stalls the load.
                ClipVertex& v = points.emplace_back();
                v.x = node.x;
                v.y = node.y;
            }
            cur = node.next;
        }
        const bool closed = cur == start;
        while (points.size() > begin + 1 && points.back().x == points[begin].x &&
               points.back().y == points[begin].y)
            points.pop_back();
        const std::size_t count = points.size() - begin;
        // A broken chain cannot bound anything; nor can fewer than three points or no area.
        const double area =
            closed && count >= 3 ? clipDoubledArea(points.data() + begin, count) : 0.0;
        if (area == 0.0) {
            points.resize(begin);
            continue;
        }
        spans.push_back({begin, count, area < 0.0});
    }
    ClipPolygon result;
    if (spans.empty())
        return result;
    allocateClipContours(result, static_cast<int>(spans.size()));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        result.holeFlags[i] = spans[i].hole ? 1 : 0;
        ClipContour& out = result.contours[i];
        allocateClipVertices(out, static_cast<int>(spans[i].count));
        std::memcpy(out.vertices, points.data() + spans[i].begin,
                    spans[i].count * sizeof(ClipVertex));
    }
    return result;
}

} // namespace plicato
