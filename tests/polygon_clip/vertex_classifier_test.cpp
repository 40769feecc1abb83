// The fixed-count classifiers give what the general one gives for the same rays: the same new
// vertices, links and open segments, on random fans of rays and every inside mask.
#include "polygon_clip/vertex_classifier.h"

#include <gtest/gtest.h>

#include <random>

namespace plicato {
namespace {

struct Outcome {
    std::vector<ClipNode> nodes;
    std::vector<int> opened; // what each opening ray received
};

template <int Count>
Outcome classifyWith(bool fixed, const ClipRay (&given)[Count], ClipParity start,
                     ClipInsideMask inside) {
    std::pmr::vector<ClipNode> nodes(3); // earlier vertices the closing rays may refer to
    Outcome o;
    o.opened.assign(Count, -7);
    ClipRay rays[Count];
    for (int r = 0; r < Count; ++r) {
        rays[r] = given[r];
        if (!rays[r].closing)
            rays[r].openOut = &o.opened[static_cast<std::size_t>(r)];
    }
    if (fixed)
        classifyRays<Count>(1.5, 2.5, start, inside, rays, nodes);
    else
        classifyClipVertex(1.5, 2.5, start, inside, rays, Count, nodes);
    o.nodes.assign(nodes.begin(), nodes.end());
    return o;
}

template <int Count> void expectSameAsGeneral(std::mt19937& rng) {
    for (int trial = 0; trial < 2000; ++trial) {
        ClipRay rays[Count];
        for (ClipRay& ray : rays)
            ray = {ClipParity(rng() % 4), rng() % 2 == 0, int(rng() % 3) - 1, int(rng() % 4) - 1,
                   nullptr};
        const ClipParity start = ClipParity(rng() % 4);
        const ClipInsideMask inside = rng() % 16;
        const Outcome general = classifyWith(false, rays, start, inside);
        const Outcome fixed = classifyWith(true, rays, start, inside);
        ASSERT_EQ(general.opened, fixed.opened) << "trial " << trial;
        ASSERT_EQ(general.nodes.size(), fixed.nodes.size()) << "trial " << trial;
        for (std::size_t k = 0; k < general.nodes.size(); ++k)
            ASSERT_EQ(general.nodes[k].next, fixed.nodes[k].next) << "trial " << trial;
    }
}

TEST(VertexClassifier, FixedCountsMatchTheGeneralClassifier) {
    std::mt19937 rng(5);
    expectSameAsGeneral<4>(rng);
    expectSameAsGeneral<6>(rng);
}

} // namespace
} // namespace plicato
