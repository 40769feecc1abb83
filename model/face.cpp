// Face operations: placement in space, triangulation through the polygon engine, clean-up of a
// clicked outline, and splitting a merged face into one face per outer outline.
#include "model/face.h"

#include "model/clip_holder.h"
#include "model/core_state.h"
#include "polygon_clip/monotone_triangles.h"
#include "polygon_clip/polygon_clip.h"

#include <cmath>

namespace plicato {

namespace {

constexpr double degreesToRadians = 0.017453292519943278;

} // namespace

Face::Face(const Face& other)
    : triangles(other.triangles), polygon(other.polygon), plane(other.plane), offset(other.offset),
      isSelected(other.isSelected), isBase(other.isBase) {}

Point3 Face::toSpace(const Point2& p) const {
    return toSpace(p, coreState().openAngle);
}

Point3 Face::toSpace(const Point2& p, int openAngle) const {
    const double t = openAngle * degreesToRadians;
    const double d = offset;
    if (plane == FacePlane::Vertical) {
        const double r = p.y + d;
        return {p.x, d + r * std::cos(t), r * std::sin(t)};
    }
    return {p.x, (d - p.y) + d * std::cos(t), d * std::sin(t)};
}

void appendStripTriangles(const TriangleStrip& strip, std::vector<Triangle>& out) {
    const std::size_t n = strip.size();
    for (std::size_t k = 2; k < n; ++k) {
        const Point2 a{strip[k - 2].x, strip[k - 2].y};
        const Point2 b{strip[k - 1].x, strip[k - 1].y};
        const Point2 c{strip[k].x, strip[k].y};
        // Consecutive triangles of a strip alternate in winding; swapping on odd k undoes that.
        if (k % 2 == 0)
            out.push_back(Triangle{{a, b, c}});
        else
            out.push_back(Triangle{{a, c, b}});
    }
}

void Face::triangulate() {
    triangles = std::vector<Triangle>();
    std::vector<ClipVertex> corners;
    std::vector<TriangleStrip> strips;
    {
        ClipHolder clip;
        polygon.toClipPolygon(clip.p);
        // Monotone pieces give about half the triangles of trapezoids, for less work; outlines
        // that cross or touch themselves take the strips, which handle any input.
        if (!monotoneTriangles(clip.p, corners))
            strips = polygonToStrips(clip.p);
    }
    // Sized exactly: faces keep their fill for as long as they live, in every undo snapshot too.
    std::size_t count = corners.size() / 3;
    for (const TriangleStrip& strip : strips)
        count += strip.size() >= 3 ? strip.size() - 2 : 0;
    triangles.reserve(count);
    for (std::size_t k = 0; k + 2 < corners.size(); k += 3)
        triangles.push_back(Triangle{{Point2{corners[k].x, corners[k].y},
                                      Point2{corners[k + 1].x, corners[k + 1].y},
                                      Point2{corners[k + 2].x, corners[k + 2].y}}});
    for (const TriangleStrip& strip : strips)
        appendStripTriangles(strip, triangles);
}

void Face::removeNearDuplicates() {
    if (polygon.loops.empty())
        return;
    std::vector<Point2>& pts = polygon.loops.front()->points;
    const std::vector<Point2> source = pts;
    pts.clear();
    for (const Point2& p : source) {
        if (!pts.empty() && distance2(p.x, p.y, pts.back().x, pts.back().y) < 0.01)
            continue;
        pts.push_back(p);
    }
}

void Face::splitByOuterLoops(std::vector<std::unique_ptr<Face>>& out) const {
    std::vector<const Loop*> holes;
    FaceList parts;
    for (const auto& loop : polygon.loops) {
        if (loop->isHole) {
            holes.push_back(loop.get());
            continue;
        }
        auto part = std::make_unique<Face>(plane, offset);
        part->polygon.addLoop(std::make_unique<Loop>(*loop));
        parts.push_back(std::move(part));
    }
    for (auto& part : parts) {
        for (const Loop* hole : holes) {
            ClipHolder subject, clip;
            part->polygon.toClipPolygon(subject.p);
            hole->toClipPolygon(clip.p);
            ClipHolder result(clipPolygons(ClipOp::Difference, subject.p, clip.p));
            // An outer outline lying inside a hole (an island) would vanish entirely; the hole
            // belongs to an enclosing outline, so the island keeps its paper.
            if (result.p.contourCount <= 0)
                continue;
            part->polygon.assignFromClipPolygon(result.p);
        }
        part->triangulate();
        out.push_back(std::move(part));
    }
}

} // namespace plicato
