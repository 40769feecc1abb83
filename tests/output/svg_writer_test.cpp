// SVG output: chaining of lines into paths, layers and their styles, units and the outline.
#include "output/svg_writer.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(ChainPatternLines, ASquareInAnyOrderAndDirectionIsOneClosedChain) {
    const PatternLineList lines = {
        line(0, 0, 10, 0, LineKind::Cut), line(10, 10, 0, 10, LineKind::Cut),
        line(0, 10, 0, 0, LineKind::Cut), line(10, 10.00005, 10, 0, LineKind::Cut)};
    const auto chains = chainPatternLines(lines, LineKind::Cut);
    ASSERT_EQ(chains.size(), 1u);
    ASSERT_EQ(chains[0].size(), 5u);
    EXPECT_TRUE(samePoint2(chains[0].front(), chains[0].back(), 1e-4));
}

TEST(ChainPatternLines, GrowsBackwardsFromTheFirstLineAndKeepsKindsApart) {
    const PatternLineList lines = {
        line(10, 0, 20, 0, LineKind::Mountain), line(0, 0, 10, 0, LineKind::Mountain),
        line(20, 0, 30, 5, LineKind::Valley), line(20, 0, 20, 10, LineKind::Mountain)};
    const auto mountains = chainPatternLines(lines, LineKind::Mountain);
    ASSERT_EQ(mountains.size(), 1u);
    EXPECT_EQ(mountains[0], (std::vector<Point2>{{0, 0}, {10, 0}, {20, 0}, {20, 10}}));
    EXPECT_EQ(chainPatternLines(lines, LineKind::Valley).size(), 1u);
    EXPECT_TRUE(chainPatternLines(lines, LineKind::Cut).empty());
}

TEST(ChainPatternLines, EndsFurtherApartThanTheToleranceStayApart) {
    const PatternLineList lines = {
        line(0, 0, 10, 0, LineKind::Cut), line(10.0002, 0, 20, 0, LineKind::Cut),
        line(10, 0, 10, 5, LineKind::Cut), line(10, 0, 10, -5, LineKind::Cut)};
    // A junction of three lines: the first two join, the third starts its own chain.
    const auto chains = chainPatternLines(lines, LineKind::Cut);
    ASSERT_EQ(chains.size(), 3u);
    EXPECT_EQ(chains[0], (std::vector<Point2>{{0, 0}, {10, 0}, {10, 5}}));
}

TEST(PatternSvg, SizeInMillimetresWithTheBorderAndTheOutlineDrawnOnce) {
    const PatternLineList lines = {
        line(-50, -100, -50, 100, LineKind::Cut), line(50, -100, 50, 100, LineKind::Cut),
        line(-50, -100, 50, -100, LineKind::Cut), line(-50, 100, 50, 100, LineKind::Cut),
        line(-50, 0, 50, 0, LineKind::Valley)};
    const std::string svg = patternSvgText(lines, 100, 100, FoldStyle::Dashed);
    EXPECT_NE(svg.find("width=\"110mm\" height=\"210mm\" viewBox=\"0 0 110 210\""),
              std::string::npos);
    EXPECT_NE(svg.find("<path id=\"outline\" d=\"M 5 205 H 105 V 5 H 5 Z\"/>"), std::string::npos)
        << svg;
    EXPECT_EQ(count(svg, "<path"), 2u); // the outline and the fold
    EXPECT_NE(svg.find("<path d=\"M 5 105 L 105 105\"/>"), std::string::npos) << svg;
    EXPECT_EQ(svg.back(), '\n');
}

TEST(PatternSvg, LayersHaveTheirIdsLabelsColoursAndDashes) {
    const std::string svg = patternSvgText({}, 60, 40, FoldStyle::Dashed);
    EXPECT_NE(svg.find("id=\"cut\" inkscape:groupmode=\"layer\" inkscape:label=\"切断線\""),
              std::string::npos);
    EXPECT_NE(svg.find("id=\"mountain\" inkscape:groupmode=\"layer\" inkscape:label=\"山折り線\""),
              std::string::npos);
    EXPECT_NE(svg.find("id=\"valley\" inkscape:groupmode=\"layer\" inkscape:label=\"谷折り線\""),
              std::string::npos);
    EXPECT_EQ(count(svg, "stroke-width=\"0.2\""), 3u);
    EXPECT_NE(svg.find("stroke=\"#ff0000\" stroke-width=\"0.2\" stroke-linecap=\"round\" "
                       "stroke-linejoin=\"round\" stroke-dasharray=\"1.058333 1.058333\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("stroke-dasharray=\"2.822222 1.411111 1.411111 1.411111\""),
              std::string::npos);
    const std::string solid = patternSvgText({}, 60, 40, FoldStyle::Solid);
    EXPECT_EQ(solid.find("dasharray"), std::string::npos);
}

TEST(PatternSvg, YAxisPointsUpAndOddWidthsKeepTheHalfMillimetre) {
    const std::string svg =
        patternSvgText({line(-75.5, 10, 0, 10, LineKind::Mountain)}, 151, 20, FoldStyle::Solid);
    EXPECT_NE(svg.find("<path d=\"M 5 15 L 80.5 15\"/>"), std::string::npos) << svg;
}

TEST(PatternSvg, CutsOfAFaceRunningPastTheEdgeKeepTheirEndOnTheOutline) {
    // Card 100 x 100: the sheet spans x -50..50, y -100..100. Only a cut lying along the outline
    // is left to the outline path; a cut that merely ends on it is part of the design.
    struct Row {
        PatternLine cut;
        const char* path; // expected path, or nullptr when the outline draws it
    };
    const Row rows[] = {
        {line(0, 20, 50, 20, LineKind::Cut), "<path d=\"M 55 85 L 105 85\"/>"},
        {line(-50, 30, -20, 30, LineKind::Cut), "<path d=\"M 5 75 L 35 75\"/>"},
        {line(10, 100, 10, 60, LineKind::Cut), "<path d=\"M 65 5 L 65 45\"/>"},
        {line(-30, -60, -30, -100, LineKind::Cut), "<path d=\"M 25 165 L 25 205\"/>"},
        {line(-50, 100, 50, -100, LineKind::Cut), "<path d=\"M 5 5 L 105 205\"/>"},
        {line(50, 10, 50, 40, LineKind::Cut), nullptr},
        {line(-20, -100, 20, -100, LineKind::Cut), nullptr},
    };
    for (const Row& row : rows) {
        const std::string svg = patternSvgText({row.cut}, 100, 100, FoldStyle::Solid);
        if (row.path) {
            EXPECT_NE(svg.find(row.path), std::string::npos) << row.path << "\n" << svg;
        }
        EXPECT_EQ(count(svg, "<path"), row.path ? 2u : 1u) << svg;
    }
}

TEST(PatternSvg, ACutOutIsOneClosedPath) {
    const PatternLineList lines = {
        line(0, 0, 10, 0, LineKind::Cut), line(10, 0, 10, 10, LineKind::Cut),
        line(10, 10, 0, 10, LineKind::Cut), line(0, 10, 0, 0, LineKind::Cut)};
    const std::string svg = patternSvgText(lines, 100, 100, FoldStyle::Dashed);
    EXPECT_NE(svg.find("<path d=\"M 55 105 L 65 105 L 65 95 L 55 95 Z\"/>"), std::string::npos)
        << svg;
}

} // namespace
} // namespace plicato
