// Allocation and release of the engine's polygon form (malloc/free, so any party can release).
#include "polygon_clip/clip_polygon.h"

#include <cstdlib>
#include <new>

namespace plicato {

void allocateClipContours(ClipPolygon& polygon, int count) {
    freeClipPolygon(polygon);
    if (count <= 0)
        return;
    const auto n = static_cast<std::size_t>(count);
    polygon.holeFlags = static_cast<int*>(std::calloc(n, sizeof(int)));
    polygon.contours = static_cast<ClipContour*>(std::calloc(n, sizeof(ClipContour)));
    if (!polygon.holeFlags || !polygon.contours) {
        freeClipPolygon(polygon);
        throw std::bad_alloc();
    }
    polygon.contourCount = count;
}

void allocateClipVertices(ClipContour& contour, int count) {
    std::free(contour.vertices);
    contour.vertices = nullptr;
    contour.vertexCount = 0;
    if (count <= 0)
        return;
    contour.vertices =
        static_cast<ClipVertex*>(std::malloc(static_cast<std::size_t>(count) * sizeof(ClipVertex)));
    if (!contour.vertices)
        throw std::bad_alloc();
    contour.vertexCount = count;
}

void freeClipPolygon(ClipPolygon& polygon) {
    for (int i = 0; i < polygon.contourCount; ++i)
        std::free(polygon.contours[i].vertices);
    std::free(polygon.contours);
    std::free(polygon.holeFlags);
    polygon = ClipPolygon{};
}

} // namespace plicato
