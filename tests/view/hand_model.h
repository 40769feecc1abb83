// Small card models built by hand for the view tests: faces with their outline and a fan of
// triangles, so the tests need neither the polygon engine nor the pop-up construction.
#pragma once

#include "model/card_model.h"

#include <initializer_list>
#include <memory>

namespace plicato::testing {

inline std::unique_ptr<Face> handFace(FacePlane plane, double offset,
                                      std::initializer_list<Point2> outline) {
    auto face = std::make_unique<Face>(plane, offset);
    auto loop = std::make_unique<Loop>();
    loop->points = outline;
    for (std::size_t i = 2; i < loop->points.size(); ++i)
        face->triangles.push_back({{loop->points[0], loop->points[i - 1], loop->points[i]}});
    face->polygon.addLoop(std::move(loop));
    return face;
}

inline std::unique_ptr<Face> copyFace(const Face& f) {
    return std::make_unique<Face>(f);
}

// A card `width` x `height` with a 10 mm grid, its two base halves as user and built faces, and
// the vertical edit plane at `editOffset`.
inline std::unique_ptr<CardModel> handCard(int width = 160, int height = 80,
                                           double editOffset = 40) {
    auto m = std::make_unique<CardModel>();
    m->cardWidth = width;
    m->cardHeight = height;
    m->setGridSize(10.0);
    const double w = width / 2, h = height;
    auto base = handFace(FacePlane::Horizontal, 0, {{-w, 0}, {-w, -h}, {w, -h}, {w, 0}});
    base->isBase = true;
    auto upright = handFace(FacePlane::Vertical, 0, {{-w, 0}, {w, 0}, {w, h}, {-w, h}});
    upright->isBase = true;
    m->builtFaces.push_back(copyFace(*base));
    m->builtFaces.push_back(copyFace(*upright));
    m->userFaces.push_back(std::move(base));
    m->userFaces.push_back(std::move(upright));
    m->editPlane = FacePlane::Vertical;
    m->editOffset = editOffset;
    return m;
}

// Adds the face to both lists (user and built) and returns the built copy.
inline Face& addBoth(CardModel& m, std::unique_ptr<Face> face) {
    m.userFaces.push_back(copyFace(*face));
    m.builtFaces.push_back(std::move(face));
    return *m.builtFaces.back();
}

} // namespace plicato::testing
