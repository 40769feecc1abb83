// Vertex classification by the inside state of the sectors between the rays at a vertex.
#include "polygon_clip/vertex_classifier.h"

namespace plicato {

namespace {

struct BoundaryRay {
    int index;
    bool outgoing; // the inside lies counter-clockwise of the ray
};

// The classification, with room in `boundary` for `count` rays. Inlined into every caller, so
// that with a fixed count the first loop unrolls.
[[gnu::always_inline]] inline void classify(double x, double y, ClipParity startParity,
                                            ClipInsideMask inside, ClipRay* rays, int count,
                                            BoundaryRay* boundary,
                                            std::pmr::vector<ClipNode>& nodes) {
    int boundaryCount = 0;
    ClipParity parity = startParity;
#pragma GCC unroll 6
    for (int r = 0; r < count; ++r) {
        ClipRay& ray = rays[r];
        if (!ray.closing && ray.openOut)
            *ray.openOut = -1;
        const bool before = (inside >> parity) & 1u;
        parity = static_cast<ClipParity>(parity ^ ray.flips);
        const bool after = (inside >> parity) & 1u;
        if (before != after)
            boundary[boundaryCount++] = {r, after};
    }
    if (boundaryCount < 2)
        return;
    int first = 0;
    while (first < boundaryCount && !boundary[first].outgoing)
        ++first;
    if (first == boundaryCount)
        return;
    // Indices wrap at most once (first and k are both below the count): a subtraction, not a
    // division, at every vertex.
    const auto wrapped = [boundaryCount](int i) {
        return i < boundaryCount ? i : i - boundaryCount;
    };
    for (int k = 0; k + 1 < boundaryCount; k += 2) {
        const BoundaryRay& outB = boundary[wrapped(first + k)];
        const BoundaryRay& inB = boundary[wrapped(first + k + 1)];
        if (!outB.outgoing || inB.outgoing)
            continue; // cannot happen with consistent parities; never link nonsense
        ClipRay& out = rays[outB.index];
        ClipRay& in = rays[inB.index];
        if (in.closing != out.closing && in.line == out.line) {
            // The boundary runs straight through: hand the open segment on, no vertex needed.
            ClipRay& closing = in.closing ? in : out;
            ClipRay& opening = in.closing ? out : in;
            if (opening.openOut)
                *opening.openOut = closing.open;
            continue;
        }
        const int node = static_cast<int>(nodes.size());
        ClipNode& added = nodes.emplace_back(); // in place: no stack temporary to reload
        added.x = x;
        added.y = y;
        if (in.closing) {
            if (in.open >= 0)
                nodes[static_cast<std::size_t>(in.open)].next = node;
        } else if (in.openOut) {
            *in.openOut = node;
        }
        if (out.closing) {
            nodes[static_cast<std::size_t>(node)].next = out.open;
        } else if (out.openOut) {
            *out.openOut = node;
        }
    }
}

} // namespace

void classifyClipVertex(double x, double y, ClipParity startParity, ClipInsideMask inside,
                        ClipRay* rays, int count, std::pmr::vector<ClipNode>& nodes) {
    BoundaryRay stackBuffer[16];
    std::vector<BoundaryRay> heapBuffer;
    BoundaryRay* boundary = stackBuffer;
    if (count > 16) {
        heapBuffer.resize(static_cast<std::size_t>(count));
        boundary = heapBuffer.data();
    }
    classify(x, y, startParity, inside, rays, count, boundary, nodes);
}

template <int Count>
void classifyRays(double x, double y, ClipParity startParity, ClipInsideMask inside, ClipRay* rays,
                  std::pmr::vector<ClipNode>& nodes) {
    BoundaryRay boundary[Count];
    classify(x, y, startParity, inside, rays, Count, boundary, nodes);
}

template void classifyRays<4>(double, double, ClipParity, ClipInsideMask, ClipRay*,
                              std::pmr::vector<ClipNode>&);
template void classifyRays<6>(double, double, ClipParity, ClipInsideMask, ClipRay*,
                              std::pmr::vector<ClipNode>&);

} // namespace plicato
