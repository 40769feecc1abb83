// Seeded random designs for tests and benchmarks: rectangles, star polygons and glyph-like
// outlines with holes, on both plane kinds, overlapping and partly beyond the sheet edge.
#pragma once

#include "model/card_model.h"

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace plicato::testing {

struct RandomFace {
    std::unique_ptr<Face> face;
    bool cutOut = false; // add with addCutOutFace instead of addUserFace
};

struct RandomDesignOptions {
    int faceCount = 30;
    double textShare = 0.2;   // share of glyph-like outlines with holes
    double cutOutShare = 0.1; // share of faces added as cut-outs
    int glyphPoints = 240;    // points of a glyph-like outer outline (holes get fewer)
    bool gridOnly = false;    // every vertex on the 1 mm lattice
};

class RandomDesigner {
public:
    RandomDesigner(unsigned seed, int cardWidth, int cardHeight)
        : rng_(seed), w_(cardWidth), h_(cardHeight) {}

    std::vector<RandomFace> faces(const RandomDesignOptions& o) {
        std::vector<RandomFace> out;
        for (int i = 0; i < o.faceCount; ++i)
            out.push_back(next(o));
        return out;
    }

    RandomFace next(const RandomDesignOptions& o) {
        const FacePlane plane = chance(0.5) ? FacePlane::Vertical : FacePlane::Horizontal;
        // Whole-millimetre offsets make faces of one plane meet often; 0 shares the sheet's own.
        const double offset = chance(0.15) ? 0.0 : double(intIn(1, 40));
        RandomFace rf{std::make_unique<Face>(plane, offset), chance(o.cutOutShare)};
        // Centres range a little beyond the sheet so that some faces stick out of it.
        const double cx = realIn(-w_ / 2.0 - 10, w_ / 2.0 + 10);
        const double cy = realIn(-h_ - 10.0, h_ + 10.0);
        const double roll = uniform();
        if (roll < o.textShare)
            addGlyph(*rf.face, cx, cy, o);
        else if (roll < o.textShare + (1.0 - o.textShare) / 2)
            addRectangle(*rf.face, cx, cy);
        else
            addStar(*rf.face, cx, cy, o.gridOnly);
        return rf;
    }

private:
    bool chance(double p) { return uniform() < p; }
    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
    double realIn(double a, double b) { return a + (b - a) * uniform(); }
    int intIn(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    static double snap(double v, bool grid) { return grid ? std::round(v) : v; }

    void addRectangle(Face& f, double cx, double cy) {
        const double hw = intIn(2, 30), hh = intIn(2, 25);
        const double x0 = std::round(cx) - hw, y0 = std::round(cy) - hh;
        auto loop = std::make_unique<Loop>();
        loop->points = {{x0, y0}, {x0, y0 + 2 * hh}, {x0 + 2 * hw, y0 + 2 * hh}, {x0 + 2 * hw, y0}};
        f.polygon.addLoop(std::move(loop));
    }

    void addStar(Face& f, double cx, double cy, bool grid) {
        const int n = intIn(5, 14);
        const double r = realIn(6, 30);
        auto loop = std::make_unique<Loop>();
        for (int k = 0; k < n; ++k) {
            const double a = -2 * M_PI * (k + realIn(0.0, 0.6)) / n; // clockwise
            const double rr = r * realIn(0.35, 1.0);
            loop->points.push_back(
                {snap(cx + rr * std::cos(a), grid), snap(cy + rr * std::sin(a), grid)});
        }
        f.polygon.addLoop(std::move(loop));
    }

    // A closed letter-like stroke: a wobbly ring with one or two counters, sampled densely.
    void addGlyph(Face& f, double cx, double cy, const RandomDesignOptions& o) {
        const double rx = realIn(12, 30), ry = realIn(12, 30);
        const double phase = realIn(0, 2 * M_PI);
        auto ring = [&](double sx, double sy, double ox, double oy, int n, bool hole) {
            auto loop = std::make_unique<Loop>();
            loop->isHole = hole;
            for (int k = 0; k < n; ++k) {
                const double a = -2 * M_PI * k / n;
                const double wob = 1.0 + 0.08 * std::sin(5 * a + phase);
                loop->points.push_back({snap(cx + ox + sx * wob * std::cos(a), o.gridOnly),
                                        snap(cy + oy + sy * wob * std::sin(a), o.gridOnly)});
            }
            f.polygon.addLoop(std::move(loop));
        };
        ring(rx, ry, 0, 0, o.glyphPoints, false);
        if (chance(0.5)) {
            ring(rx * 0.55, ry * 0.55, 0, 0, o.glyphPoints / 2, true);
        } else {
            ring(rx * 0.35, ry * 0.3, 0, ry * 0.45, o.glyphPoints / 3, true);
            ring(rx * 0.35, ry * 0.3, 0, -ry * 0.45, o.glyphPoints / 3, true);
        }
    }

    std::mt19937 rng_;
    int w_;
    int h_;
};

} // namespace plicato::testing
