// Face creation from glyph contours, and the segment-length rule of the text dialog.
#include "text/text_shapes.h"

#include "editing/move_scale.h"
#include "editing/selection.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"

#include <algorithm>
#include <cstdio>

namespace plicato {

namespace {

// Consecutive curve records repeat their junction point and the closing piece repeats the
// start; points this close to the one kept before them are dropped, as for a drawn outline.
constexpr double duplicateDistance = 0.01;

void dropNearDuplicates(std::vector<DrawPoint>& pts) {
    std::vector<DrawPoint> kept;
    kept.reserve(pts.size());
    for (const DrawPoint& p : pts)
        if (kept.empty() || distance3(kept.back().space, p.space) >= duplicateDistance)
            kept.push_back(p);
    while (kept.size() > 1 && distance3(kept.back().space, kept.front().space) < duplicateDistance)
        kept.pop_back();
    pts = std::move(kept);
}

void addSelectedFace(CardModel& model) {
    dropNearDuplicates(model.drawPoints);
    const std::size_t before = model.userFaces.size();
    if (model.drawPoints.size() >= 3)
        createFaceFromOutline(model, EditMode::PolygonFace);
    if (model.userFaces.size() > before)
        model.userFaces.back()->isSelected = true;
    model.drawPoints.clear();
}

} // namespace

std::string segmentLengthMessage() {
    char text[160];
    std::snprintf(text, sizeof text, "曲線部の分割線分長には、%0.2fから5の値を指定してください",
                  minSegmentLength);
    return text;
}

bool checkSegmentLength(double length, MessageSink& sink) {
    if (length >= minSegmentLength && length <= maxSegmentLength)
        return true;
    sink.show(segmentLengthMessage());
    return false;
}

double buildTextShapes(CardModel& model, const GlyphSource& glyphs, const std::u32string& text,
                       double segmentLength) {
    CoreState& state = coreState();
    const int savedMode = state.editMode;
    const FacePlane savedPlane = model.editPlane;
    model.drawPoints.clear();
    // The faces are added as in the face-operation mode, which defers the rebuild of the built
    // faces to one pass at the end.
    state.editMode = int(EditMode::FaceOperation);
    double x = 0.0;
    GlyphOutline glyph;
    for (const char32_t code : text) {
        if (!glyphs.glyph(code, glyph))
            continue;
        const std::vector<Contour> contours = contourFromOutline(glyph, x, segmentLength);
        const std::vector<bool> holes = classifyHoles(contours);
        const std::vector<int> depths = nestingDepths(contours);
        std::vector<std::size_t> order(contours.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        // Outer boundaries, then their holes, then islands inside the holes, and so on: later
        // faces cover earlier ones, so each level lies over the one around it.
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return depths[a] < depths[b]; });
        const double d = model.editOffset;
        for (const std::size_t i : order) {
            if (holes[i]) {
                // A hole lies on the base and flattens onto its own outline: a cut-out.
                model.editPlane = FacePlane::Horizontal;
                model.editOffset = 0.0;
                for (const Point2& p : contours[i]) {
                    const Point3 space{p.x, d - p.y, 0.0};
                    model.drawPoints.push_back({space, flatten(space)});
                }
            } else {
                model.editPlane = FacePlane::Vertical;
                model.editOffset = d;
                for (const Point2& p : contours[i]) {
                    const Point3 space{p.x, d, p.y};
                    model.drawPoints.push_back({space, flatten(space)});
                }
            }
            addSelectedFace(model);
        }
        model.editOffset = d;
        x += glyph.advance;
    }
    state.editMode = savedMode;
    rebuildSelection(model);
    moveSelection(model, -x / 2.0, 0.0, 0.0);
    rebuildBuiltFaces(model);
    updateSelectionBox(model);
    model.editPlane = savedPlane;
    return x;
}

} // namespace plicato
