// Independent geometry for checking the polygon engine: slab areas, ray-cast membership.
#include "clip_test_support.h"

#include <algorithm>
#include <cmath>

namespace plicato {

OwnedClip::OwnedClip(const Rings& rings, const std::vector<int>& holes) {
    allocateClipContours(p_, static_cast<int>(rings.size()));
    for (std::size_t i = 0; i < rings.size(); ++i) {
        allocateClipVertices(p_.contours[i], static_cast<int>(rings[i].size()));
        for (std::size_t k = 0; k < rings[i].size(); ++k)
            p_.contours[i].vertices[k] = rings[i][k];
        p_.holeFlags[i] = i < holes.size() ? holes[i] : 0;
    }
}

Rings OwnedClip::rings() const {
    Rings out;
    for (int i = 0; i < p_.contourCount; ++i)
        out.emplace_back(p_.contours[i].vertices,
                         p_.contours[i].vertices + p_.contours[i].vertexCount);
    return out;
}

int OwnedClip::holeCount() const {
    int n = 0;
    for (int i = 0; i < p_.contourCount; ++i)
        n += p_.holeFlags[i] != 0;
    return n;
}

int OwnedClip::outerCount() const {
    return p_.contourCount - holeCount();
}

OwnedClip runClip(ClipOp op, const OwnedClip& a, const OwnedClip& b) {
    return OwnedClip(clipPolygons(op, a.get(), b.get()));
}

Ring rect(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

namespace {

struct Seg {
    ClipVertex a, b;
};

std::vector<Seg> segments(const Rings& rings) {
    std::vector<Seg> s;
    for (const Ring& r : rings)
        for (std::size_t i = 0; i < r.size(); ++i)
            s.push_back({r[i], r[(i + 1) % r.size()]});
    return s;
}

double cross(const ClipVertex& o, const ClipVertex& a, const ClipVertex& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

} // namespace

double evenOddArea(const Rings& rings) {
    std::vector<Seg> segs = segments(rings);
    std::vector<double> ys;
    for (const Seg& s : segs)
        ys.push_back(s.a.y);
    for (std::size_t i = 0; i < segs.size(); ++i) {
        for (std::size_t j = i + 1; j < segs.size(); ++j) {
            const Seg& p = segs[i];
            const Seg& q = segs[j];
            const double d = (p.b.x - p.a.x) * (q.b.y - q.a.y) - (p.b.y - p.a.y) * (q.b.x - q.a.x);
            if (d == 0.0)
                continue;
            const double t =
                ((q.a.x - p.a.x) * (q.b.y - q.a.y) - (q.a.y - p.a.y) * (q.b.x - q.a.x)) / d;
            const double u =
                ((q.a.x - p.a.x) * (p.b.y - p.a.y) - (q.a.y - p.a.y) * (p.b.x - p.a.x)) / d;
            if (t > 0 && t < 1 && u > 0 && u < 1)
                ys.push_back(p.a.y + t * (p.b.y - p.a.y));
        }
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    double area = 0.0;
    std::vector<double> xs;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const double ym = 0.5 * (ys[k] + ys[k + 1]);
        xs.clear();
        for (const Seg& s : segs) {
            if ((s.a.y < ym) != (s.b.y < ym))
                xs.push_back(s.a.x + (ym - s.a.y) * (s.b.x - s.a.x) / (s.b.y - s.a.y));
        }
        std::sort(xs.begin(), xs.end());
        double len = 0.0;
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            len += xs[i + 1] - xs[i];
        area += len * (ys[k + 1] - ys[k]);
    }
    return area;
}

double flaggedArea(const ClipPolygon& p) {
    double total = 0.0;
    for (int i = 0; i < p.contourCount; ++i) {
        const ClipContour& c = p.contours[i];
        double a = 0.0;
        for (int k = 0; k < c.vertexCount; ++k) {
            const ClipVertex& u = c.vertices[k];
            const ClipVertex& v = c.vertices[(k + 1) % c.vertexCount];
            a += u.x * v.y - v.x * u.y;
        }
        total += (p.holeFlags[i] ? -0.5 : 0.5) * std::fabs(a);
    }
    return total;
}

bool insideEvenOdd(const Rings& rings, double x, double y) {
    bool in = false;
    for (const Ring& r : rings) {
        for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
            if ((r[i].y > y) != (r[j].y > y) &&
                x < (r[j].x - r[i].x) * (y - r[i].y) / (r[j].y - r[i].y) + r[i].x)
                in = !in;
        }
    }
    return in;
}

double distanceToEdges(const Rings& rings, double x, double y) {
    double best = 1e300;
    for (const Seg& s : segments(rings)) {
        const double dx = s.b.x - s.a.x;
        const double dy = s.b.y - s.a.y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - s.a.x) * dx + (y - s.a.y) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(x - (s.a.x + t * dx), y - (s.a.y + t * dy)));
    }
    return best;
}

bool contoursCross(const Rings& rings) {
    std::vector<Seg> segs = segments(rings);
    for (std::size_t i = 0; i < segs.size(); ++i) {
        for (std::size_t j = i + 1; j < segs.size(); ++j) {
            const Seg& p = segs[i];
            const Seg& q = segs[j];
            const double d1 = cross(p.a, p.b, q.a);
            const double d2 = cross(p.a, p.b, q.b);
            const double d3 = cross(q.a, q.b, p.a);
            const double d4 = cross(q.a, q.b, p.b);
            // Proper crossings only: strictly on opposite sides both ways, with some margin.
            const double scale = 1e-9;
            if (((d1 > scale && d2 < -scale) || (d1 < -scale && d2 > scale)) &&
                ((d3 > scale && d4 < -scale) || (d3 < -scale && d4 > scale)))
                return true;
        }
    }
    return false;
}

RingBounds ringBounds(const Rings& rings) {
    RingBounds b;
    for (const Ring& r : rings)
        for (const ClipVertex& v : r) {
            b.x0 = std::min(b.x0, v.x), b.x1 = std::max(b.x1, v.x);
            b.y0 = std::min(b.y0, v.y), b.y1 = std::max(b.y1, v.y);
        }
    return b;
}

double stripArea(const std::vector<TriangleStrip>& strips) {
    double total = 0.0;
    for (const TriangleStrip& s : strips)
        for (std::size_t k = 0; k + 2 < s.size(); ++k)
            total += 0.5 * std::fabs(cross(s[k], s[k + 1], s[k + 2]));
    return total;
}

int stripCoverCount(const std::vector<TriangleStrip>& strips, double x, double y) {
    int n = 0;
    const ClipVertex q{x, y};
    for (const TriangleStrip& s : strips) {
        for (std::size_t k = 0; k + 2 < s.size(); ++k) {
            const double c0 = cross(s[k], s[k + 1], q);
            const double c1 = cross(s[k + 1], s[k + 2], q);
            const double c2 = cross(s[k + 2], s[k], q);
            if (cross(s[k], s[k + 1], s[k + 2]) == 0.0)
                continue;
            if ((c0 > 0 && c1 > 0 && c2 > 0) || (c0 < 0 && c1 < 0 && c2 < 0))
                ++n;
        }
    }
    return n;
}

bool insideForOp(ClipOp op, bool inA, bool inB) {
    switch (op) {
    case ClipOp::Difference:
        return inA && !inB;
    case ClipOp::Intersection:
        return inA && inB;
    case ClipOp::ExclusiveOr:
        return inA != inB;
    case ClipOp::Union:
        return inA || inB;
    }
    return false;
}

Ring combRing(int teeth, bool upright) {
    const double len = 2.0 * teeth + 2;
    Ring ring{{0, -2}, {2.0 * teeth - 1, -2}};
    for (int i = teeth - 1; i >= 0; --i) {
        ring.push_back({2.0 * i + 1, len});
        ring.push_back({2.0 * i, len});
        if (i > 0) {
            ring.push_back({2.0 * i, 0});
            ring.push_back({2.0 * i - 1, 0});
        }
    }
    if (!upright)
        for (ClipVertex& v : ring)
            v = {v.y - 1, v.x + 1};
    return ring;
}

} // namespace plicato
