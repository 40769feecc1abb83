// The polygon form exchanged with the polygon engine: contours of double vertices with hole
// flags, arrays allocated with malloc so that freeClipPolygon can release any instance.
#pragma once

#include <vector>

namespace plicato {

struct ClipVertex {
    double x = 0.0;
    double y = 0.0;
};

struct ClipContour {
    int vertexCount = 0;
    ClipVertex* vertices = nullptr;
};

// Zero-initialised means empty; that is how callers prepare output arguments.
struct ClipPolygon {
    int contourCount = 0;
    int* holeFlags = nullptr;
    ClipContour* contours = nullptr;
};

enum class ClipOp : int { Difference = 0, Intersection = 1, ExclusiveOr = 2, Union = 3 };

// Vertices k, k+1, k+2 form a triangle for every k.
using TriangleStrip = std::vector<ClipVertex>;

// Allocates `count` contours (all empty) and their hole flags; the polygon must be empty.
void allocateClipContours(ClipPolygon& polygon, int count);
// Allocates the vertex array of one contour; the contour must be empty.
void allocateClipVertices(ClipContour& contour, int count);
// Releases all arrays and leaves the polygon empty.
void freeClipPolygon(ClipPolygon& polygon);

} // namespace plicato
