// DXF output: joining collinear lines (worked cases and a split-and-shuffle property) and the
// group structure of the file: sections, layers, LINE entities and their coordinates.
#include "output/dxf_writer.h"

#include "output/eps_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

namespace plicato {
namespace {

PatternLine line(double x1, double y1, double x2, double y2, LineKind k = LineKind::Cut) {
    return {x1, y1, x2, y2, int(k)};
}

// Ends in a fixed order so lines compare whatever their direction.
PatternLine normalised(PatternLine l) {
    if (std::tie(l.x2, l.y2) < std::tie(l.x1, l.y1)) {
        std::swap(l.x1, l.x2);
        std::swap(l.y1, l.y2);
    }
    return l;
}

bool sameLine(const PatternLine& a, const PatternLine& b, double eps = 1e-6) {
    const PatternLine p = normalised(a), q = normalised(b);
    return p.kind == q.kind && std::fabs(p.x1 - q.x1) < eps && std::fabs(p.y1 - q.y1) < eps &&
           std::fabs(p.x2 - q.x2) < eps && std::fabs(p.y2 - q.y2) < eps;
}

struct JoinRow {
    const char* what;
    PatternLineList in;
    PatternLineList out;
};

TEST(JoinCollinearLines, WorkedCases) {
    using K = LineKind;
    const JoinRow rows[] = {
        {"touching", {line(0, 0, 10, 0), line(10, 0, 20, 0)}, {line(0, 0, 20, 0)}},
        {"reversed", {line(0, 0, 10, 0), line(20, 0, 10, 0)}, {line(0, 0, 20, 0)}},
        {"overlapping", {line(0, 0, 12, 0), line(8, 0, 20, 0)}, {line(0, 0, 20, 0)}},
        {"contained", {line(0, 0, 20, 0), line(5, 0, 6, 0)}, {line(0, 0, 20, 0)}},
        {"gap",
         {line(0, 0, 10, 0), line(10.001, 0, 20, 0)},
         {line(0, 0, 10, 0), line(10.001, 0, 20, 0)}},
        {"within tolerance", {line(0, 0, 10, 0), line(10.00005, 0, 20, 0)}, {line(0, 0, 20, 0)}},
        {"corner",
         {line(0, 0, 10, 0), line(10, 0, 10, 10)},
         {line(0, 0, 10, 0), line(10, 0, 10, 10)}},
        {"parallel",
         {line(0, 0, 10, 0), line(10, 1, 20, 1)},
         {line(0, 0, 10, 0), line(10, 1, 20, 1)}},
        {"kinds apart",
         {line(0, 0, 10, 0, K::Valley), line(10, 0, 20, 0, K::Mountain)},
         {line(0, 0, 10, 0, K::Valley), line(10, 0, 20, 0, K::Mountain)}},
        {"bridged later",
         {line(0, 0, 10, 0), line(20, 0, 30, 0), line(10, 0, 20, 0)},
         {line(0, 0, 30, 0)}},
        {"diagonal", {line(0, 0, 3, 4), line(6, 8, 3, 4), line(9, 12, 6, 8)}, {line(0, 0, 9, 12)}},
        {"order of first appearance",
         {line(0, 5, 1, 5), line(0, 0, 10, 0), line(1, 5, 2, 5), line(10, 0, 20, 0)},
         {line(0, 5, 2, 5), line(0, 0, 20, 0)}},
        {"too short", {line(0, 0, 0.00001, 0), line(5, 5, 5, 5)}, {}},
    };
    for (const JoinRow& r : rows) {
        const PatternLineList got = joinCollinearLines(r.in);
        ASSERT_EQ(got.size(), r.out.size()) << r.what;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(sameLine(got[i], r.out[i], 1e-4)) << r.what << " line " << i;
    }
}

// Lines on distinct straight lines, cut into touching pieces and shuffled, join back into the
// lines they were cut from.
TEST(JoinCollinearLines, PiecesOfLinesJoinBackWhateverTheirOrderAndDirection) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 60; ++trial) {
        PatternLineList originals, pieces;
        const int count = 1 + trial % 12;
        for (int i = 0; i < count; ++i) {
            // Distinct directions through distinct points: no two originals share a line.
            const double angle = (i + unit(random) * 0.5) * 3.14159265358979 / count;
            const double ox = 100 * unit(random), oy = 100 * unit(random);
            const double len = 5 + 80 * unit(random);
            const PatternLine l{ox, oy, ox + len * std::cos(angle), oy + len * std::sin(angle),
                                int(random() % 3)};
            originals.push_back(l);
            std::vector<double> cuts{0.0, 1.0};
            for (int c = int(random() % 5); c > 0; --c)
                cuts.push_back(0.05 + 0.9 * unit(random));
            std::sort(cuts.begin(), cuts.end());
            // Pieces too short to keep are left out by merging their cuts.
            cuts.erase(std::unique(cuts.begin(), cuts.end(),
                                   [](double a, double b) { return b - a < 1e-3; }),
                       cuts.end());
            cuts.back() = 1.0;
            for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
                const auto at = [&l](double t) {
                    return Point2{l.x1 + t * (l.x2 - l.x1), l.y1 + t * (l.y2 - l.y1)};
                };
                const Point2 a = at(cuts[c]), b = at(cuts[c + 1]);
                pieces.push_back(random() % 2 ? PatternLine{a.x, a.y, b.x, b.y, l.kind}
                                              : PatternLine{b.x, b.y, a.x, a.y, l.kind});
            }
        }
        std::shuffle(pieces.begin(), pieces.end(), random);
        const PatternLineList joined = joinCollinearLines(pieces);
        ASSERT_EQ(joined.size(), originals.size()) << "trial " << trial;
        for (const PatternLine& o : originals)
            EXPECT_TRUE(std::any_of(joined.begin(), joined.end(),
                                    [&o](const PatternLine& j) { return sameLine(j, o, 1e-6); }))
                << "trial " << trial;
    }
}

// The DXF text as (code, value) pairs.
std::vector<std::pair<int, std::string>> groups(const std::string& dxf) {
    std::vector<std::pair<int, std::string>> out;
    std::istringstream in(dxf);
    std::string code, value;
    while (std::getline(in, code) && std::getline(in, value))
        out.emplace_back(std::stoi(code), value);
    return out;
}

TEST(PatternDxf, SectionsLayersAndLinesInCardMillimetres) {
    const PatternLineList lines = {line(-50, -100, 50, -100), line(-50, 0, 0, 0, LineKind::Valley),
                                   line(0, 0, 50, 0, LineKind::Valley),
                                   line(0, 0, 0, 50, LineKind::Mountain)};
    const std::string dxf = patternDxfText(lines, 100, 100, allLineKinds);
    const auto g = groups(dxf);
    ASSERT_FALSE(g.empty());
    // Every group is exactly two lines.
    EXPECT_EQ(std::count(dxf.begin(), dxf.end(), '\n'), 2 * long(g.size()));
    EXPECT_EQ(g.back(), std::make_pair(0, std::string("EOF")));
    std::vector<std::string> sections, layers;
    std::map<std::string, std::vector<std::vector<double>>> entities;
    for (std::size_t i = 0; i + 1 < g.size(); ++i) {
        if (g[i] == std::make_pair(0, std::string("SECTION")))
            sections.push_back(g[i + 1].second);
        if (g[i] == std::make_pair(0, std::string("LAYER")) && g[i + 1].first == 2)
            layers.push_back(g[i + 1].second);
        if (g[i] == std::make_pair(0, std::string("LINE"))) {
            ASSERT_EQ(g[i + 1].first, 8);
            std::vector<double> xy;
            for (std::size_t j = i + 2; j < i + 8; ++j)
                xy.push_back(std::stod(g[j].second));
            entities[g[i + 1].second].push_back(xy);
        }
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"HEADER", "TABLES", "ENTITIES"}));
    EXPECT_EQ(layers, (std::vector<std::string>{"CUT", "MOUNTAIN", "VALLEY"}));
    using V = std::vector<std::vector<double>>;
    EXPECT_EQ(entities["CUT"], (V{{0, 0, 0, 100, 0, 0}}));
    EXPECT_EQ(entities["VALLEY"], (V{{0, 100, 0, 100, 100, 0}})); // the two halves joined
    EXPECT_EQ(entities["MOUNTAIN"], (V{{50, 100, 0, 50, 150, 0}}));
    EXPECT_NE(dxf.find("$ACADVER\n1\nAC1009\n"), std::string::npos);

    const auto folds = groups(patternDxfText(lines, 100, 100, MountainLines | ValleyLines));
    EXPECT_EQ(std::count(folds.begin(), folds.end(), std::make_pair(8, std::string("CUT"))), 0);
    EXPECT_EQ(std::count(folds.begin(), folds.end(), std::make_pair(0, std::string("LINE"))), 2);
}

TEST(PatternDxf, NumbersIgnoreTheLocaleAndDropTrailingZeros) {
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may be missing; the check holds either way
    const std::string dxf =
        patternDxfText({line(-10.25, -3.5, 7.125, 2.0000001)}, 21, 10, allLineKinds);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_NE(dxf.find("10\n0.25\n20\n6.5\n30\n0\n11\n17.625\n21\n12\n"), std::string::npos) << dxf;
}

} // namespace
} // namespace plicato
