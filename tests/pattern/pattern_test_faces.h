// Built faces made by hand for the pattern tests: outlines with a matching triangle fill, so the
// pattern can be checked without running the pop-up construction.
#pragma once

#include "model/card_model.h"

#include <initializer_list>
#include <memory>

namespace plicato::testing {

struct Rect {
    double x1, y1, x2, y2; // x1 < x2, y1 < y2
};

// Triangles of a rectangle, clockwise with y up, as the pop-up construction stores them.
inline void addRectTriangles(Face& face, const Rect& r) {
    const Point2 tl{r.x1, r.y2}, tr{r.x2, r.y2}, br{r.x2, r.y1}, bl{r.x1, r.y1};
    face.triangles.push_back({{tl, tr, br}});
    face.triangles.push_back({{tl, br, bl}});
}

// A face with one outer loop through `outline` and a fill made of `fill` rectangles.
inline Face& addFace(CardModel& model, FacePlane plane, double offset,
                     std::initializer_list<Point2> outline, std::initializer_list<Rect> fill) {
    auto face = std::make_unique<Face>(plane, offset);
    auto loop = std::make_unique<Loop>();
    for (const Point2& p : outline)
        loop->addPoint(p);
    face->polygon.addLoop(std::move(loop));
    for (const Rect& r : fill)
        addRectTriangles(*face, r);
    model.builtFaces.push_back(std::move(face));
    return *model.builtFaces.back();
}

// A rectangular face, outline clockwise from the top-left corner.
inline Face& addRectFace(CardModel& model, FacePlane plane, double offset, const Rect& r) {
    return addFace(model, plane, offset, {{r.x1, r.y2}, {r.x2, r.y2}, {r.x2, r.y1}, {r.x1, r.y1}},
                   {r});
}

// The two halves of a card of width w and half-height h, in the order of a new card.
inline void addSheet(CardModel& model, double w, double h) {
    model.cardWidth = int(w);
    model.cardHeight = int(h);
    addFace(model, FacePlane::Horizontal, 0, {{-w / 2, 0}, {-w / 2, -h}, {w / 2, -h}, {w / 2, 0}},
            {{-w / 2, -h, w / 2, 0}});
    addFace(model, FacePlane::Vertical, 0, {{-w / 2, 0}, {w / 2, 0}, {w / 2, h}, {-w / 2, h}},
            {{-w / 2, 0, w / 2, h}});
}

} // namespace plicato::testing
