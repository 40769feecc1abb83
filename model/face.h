// One flat piece of the design: an outline set in sheet coordinates on a plane parallel to one
// half of the card, with its triangle fill.
#pragma once

#include "model/face_plane.h"
#include "model/geometry.h"
#include "model/polygon.h"
#include "polygon_clip/clip_polygon.h"

#include <memory>
#include <vector>

namespace plicato {

struct FaceLink;

class Face {
public:
    Face(FacePlane plane, double offset) : plane(plane), offset(offset) {}
    // Deep copy of plane, offset, isSelected, isBase, loops and triangles; links and the
    // scratch mark start empty.
    Face(const Face& other);
    Face& operator=(const Face&) = delete;
    virtual ~Face() = default;

    // Position in space of sheet point p at the process-wide opening angle.
    Point3 toSpace(const Point2& p) const;
    // Position in space of sheet point p at the given opening angle in degrees.
    Point3 toSpace(const Point2& p, int openAngle) const;
    // Rebuilds `triangles` from `polygon` through the polygon engine.
    void triangulate();
    // Drops points of the first loop closer than 0.01 mm to the point kept before them.
    void removeNearDuplicates();
    // Appends one triangulated face per outer loop, with the holes applied, to `out`.
    void splitByOuterLoops(std::vector<std::unique_ptr<Face>>& out) const;

    std::vector<Triangle> triangles;
    Polygon polygon;
    std::vector<FaceLink*> links; // not owned; filled by the pattern builder on built faces
    FacePlane plane = FacePlane::Vertical;
    double offset = 0.0;
    double rememberedOffset = 0.0; // taken at the start of a drag; not persisted, not copied
    bool isSelected = false;
    bool scratchMark = false; // used while re-ordering; not persisted, not copied
    bool isBase = false;
};

using FaceList = std::vector<std::unique_ptr<Face>>;

// Appends the triangles of one strip: (P[k-2], P[k-1], P[k]) for even k, (P[k-2], P[k], P[k-1])
// for odd k, so that every triangle of the strip keeps one orientation. Short strips add nothing.
void appendStripTriangles(const TriangleStrip& strip, std::vector<Triangle>& out);

} // namespace plicato
