// Bytes become small lattice polygons (some vertices nudged below the bundling tolerance); all
// four boolean operations, the triangle strips and the monotone triangles must keep the area
// identities and hole flags.
#include "polygon_clip/monotone_triangles.h"
#include "polygon_clip/polygon_clip.h"
#include "tests/polygon_clip/clip_test_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace plicato;

struct ByteReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    bool more() const { return pos < size; }
    std::uint8_t next() { return pos < size ? data[pos++] : 0; }
};

Rings readRings(ByteReader& in, int contours) {
    Rings rings;
    for (int c = 0; c < contours && in.more(); ++c) {
        const int n = 3 + in.next() % 10;
        Ring ring;
        for (int k = 0; k < n && in.more(); ++k) {
            const std::uint8_t bx = in.next();
            const std::uint8_t by = in.next();
            // Low five bits pick a lattice point; the top bit nudges it by less than the
            // bundling tolerance so near-coincident edges appear.
            ClipVertex v{double(bx & 31), double(by & 31)};
            if (bx & 0x80)
                v.x += 3e-7;
            if (by & 0x80)
                v.y -= 3e-7;
            ring.push_back(v);
        }
        rings.push_back(ring);
    }
    return rings;
}

void fail(const char* what, double got, double want);

// Monotone triangles may refuse an input, but what they accept they must fill exactly.
void checkMonotone(const ClipPolygon& p, double area) {
    std::vector<ClipVertex> corners;
    if (!monotoneTriangles(p, corners))
        return;
    double sum = 0;
    for (std::size_t k = 0; k + 2 < corners.size(); k += 3) {
        const ClipVertex &a = corners[k], &b = corners[k + 1], &c = corners[k + 2];
        const double twice = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (!(twice > 0))
            fail("monotone triangle not counter-clockwise", twice, 1);
        sum += twice / 2;
    }
    if (!(std::fabs(sum - area) <= 1e-9 * (1 + area)))
        fail("monotone triangle area", sum, area);
}

void fail(const char* what, double got, double want) {
    std::fprintf(stderr, "polygon engine check failed: %s: got %.17g, want %.17g\n", what, got,
                 want);
    std::abort();
}

void expectNear(const char* what, double got, double want, double tol) {
    if (!(std::fabs(got - want) <= tol))
        fail(what, got, want);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in{data, size};
    const std::uint8_t head = in.next();
    const Rings ra = readRings(in, 1 + (head & 3));
    const Rings rb = readRings(in, (head >> 2) & 3);
    const OwnedClip a(ra);
    const OwnedClip b(rb);
    // Nudged vertices may be bundled with their neighbours: allow the area that moves.
    const double tol = 1e-3;
    const double areaA = evenOddArea(ra);
    const double areaB = evenOddArea(rb);
    const ClipOp ops[] = {ClipOp::Difference, ClipOp::Intersection, ClipOp::ExclusiveOr,
                          ClipOp::Union};
    double area[4];
    for (int o = 0; o < 4; ++o) {
        const OwnedClip r = runClip(ops[o], a, b);
        const ClipPolygon& p = r.get();
        for (int i = 0; i < p.contourCount; ++i) {
            if (p.contours[i].vertexCount < 3)
                fail("contour with fewer than three vertices", p.contours[i].vertexCount, 3);
        }
        area[o] = evenOddArea(r.rings());
        expectNear("hole flags", flaggedArea(p), area[o], tol);
        checkMonotone(p, area[o]);
    }
    expectNear("|A|+|B| = |A or B|+|A and B|", areaA + areaB, area[3] + area[1], tol);
    expectNear("|A xor B| = |A or B|-|A and B|", area[2], area[3] - area[1], tol);
    expectNear("|A-B| = |A or B|-|B|", area[0], area[3] - areaB, tol);
    expectNear("strip area", stripArea(polygonToStrips(a.get())), areaA, tol);
    checkMonotone(a.get(), areaA);
    return 0;
}
