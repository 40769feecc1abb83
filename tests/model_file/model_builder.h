// Small helpers to make faces and models for the model file tests and to compare two models
// field by field, bit for bit.
#pragma once

#include "model/card_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace plicato::test {

inline std::unique_ptr<Loop> makeLoop(std::vector<Point2> points, bool hole = false) {
    auto loop = std::make_unique<Loop>();
    loop->points = std::move(points);
    loop->isHole = hole;
    return loop;
}

inline std::unique_ptr<Face> makeFace(FacePlane plane, double offset,
                                      std::vector<std::unique_ptr<Loop>> loops) {
    auto face = std::make_unique<Face>(plane, offset);
    for (auto& l : loops)
        face->polygon.addLoop(std::move(l));
    return face;
}

inline std::vector<std::unique_ptr<Loop>> oneLoop(std::vector<Point2> points) {
    std::vector<std::unique_ptr<Loop>> loops;
    loops.push_back(makeLoop(std::move(points)));
    return loops;
}

inline bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Everything a model file carries must survive a round trip unchanged.
inline void expectSamePersistentData(const CardModel& a, const CardModel& b) {
    EXPECT_EQ(a.cardWidth, b.cardWidth);
    EXPECT_EQ(a.cardHeight, b.cardHeight);
    EXPECT_TRUE(sameBits(a.initGridSize, b.initGridSize));
    for (auto [x, y] : {std::pair{&a.frontImage, &b.frontImage}, {&a.topImage, &b.topImage}}) {
        EXPECT_EQ(x->isPresent(), y->isPresent());
        if (x->isPresent() && y->isPresent()) {
            EXPECT_EQ(x->path, y->path);
            EXPECT_TRUE(sameBits(x->centerX, y->centerX));
            EXPECT_TRUE(sameBits(x->bottom, y->bottom));
            EXPECT_TRUE(sameBits(x->width, y->width));
            EXPECT_TRUE(sameBits(x->height, y->height));
        }
    }
    ASSERT_EQ(a.userFaces.size(), b.userFaces.size());
    for (std::size_t f = 0; f < a.userFaces.size(); ++f) {
        const Face& fa = *a.userFaces[f];
        const Face& fb = *b.userFaces[f];
        EXPECT_EQ(fa.plane, fb.plane) << f;
        EXPECT_TRUE(sameBits(fa.offset, fb.offset)) << f;
        ASSERT_EQ(fa.polygon.loops.size(), fb.polygon.loops.size()) << f;
        for (std::size_t l = 0; l < fa.polygon.loops.size(); ++l) {
            const Loop& la = *fa.polygon.loops[l];
            const Loop& lb = *fb.polygon.loops[l];
            EXPECT_EQ(la.isHole, lb.isHole);
            ASSERT_EQ(la.points.size(), lb.points.size());
            for (std::size_t k = 0; k < la.points.size(); ++k) {
                EXPECT_TRUE(sameBits(la.points[k].x, lb.points[k].x)) << f << "/" << l << "/" << k;
                EXPECT_TRUE(sameBits(la.points[k].y, lb.points[k].y)) << f << "/" << l << "/" << k;
            }
        }
    }
}

} // namespace plicato::test
