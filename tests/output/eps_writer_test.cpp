// The EPS text byte for byte: header, bounding box, origin and scale, dash lines, the filter.
#include "output/eps_writer.h"

#include <gtest/gtest.h>

#include <clocale>

namespace plicato {
namespace {

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

TEST(PatternEps, EmptyPatternIsTheTwoHeaderLines) {
    EXPECT_EQ(patternEpsText({}, 100, 100, allLineKinds),
              "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox:0 0 311 595\n");
}

TEST(PatternEps, OneCutLineOnASquareCard) {
    EXPECT_EQ(patternEpsText({line(0, 0, 0, 100, LineKind::Cut)}, 100, 100, allLineKinds),
              "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox:0 0 311 595\n"
              "\n[] 0 setdash"
              "\n155.905512 297.637795 moveto"
              "\n155.905512 581.102362 lineto"
              "\nstroke");
}

TEST(PatternEps, EveryLineGetsItsOwnDashSettingAndTheFilterSkipsKinds) {
    const PatternLineList lines = {
        line(-10, 0, 10, 0, LineKind::Valley), line(-10, 5, 10, 5, LineKind::Valley),
        line(-10, 9, 10, 9, LineKind::Mountain), line(-10, -5, 10, -5, LineKind::Cut)};
    const std::string all = patternEpsText(lines, 60, 40, allLineKinds);
    std::size_t valleyDashes = 0;
    for (std::size_t at = all.find("\n[8 4 4 4] 0 setdash\n"); at != std::string::npos;
         at = all.find("\n[8 4 4 4] 0 setdash\n", at + 1))
        ++valleyDashes;
    EXPECT_EQ(valleyDashes, 2u);
    EXPECT_NE(all.find("\n[3 ] 0 setdash\n"), std::string::npos);
    EXPECT_NE(all.find("\n[] 0 setdash\n"), std::string::npos);
    EXPECT_EQ(all.substr(all.size() - 7), "\nstroke");

    const std::string mountainsOnly = patternEpsText(lines, 60, 40, MountainLines);
    EXPECT_EQ(mountainsOnly, "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox:0 0 198 255\n"
                             "\n[3 ] 0 setdash"
                             "\n70.866142 153.070866 moveto"
                             "\n127.559055 153.070866 lineto"
                             "\nstroke");
    EXPECT_EQ(patternEpsText(lines, 60, 40, CutLines | ValleyLines).find("[3 ]"),
              std::string::npos);
}

TEST(PatternEps, OddWidthKeepsTheHalfMillimetreAndNegativeNumbersPrint) {
    // W = 151: the card's left edge x = -75.5 lands on the 5 mm border exactly.
    const std::string text =
        patternEpsText({line(-75.5, -10, -80, -10, LineKind::Cut)}, 151, 10, CutLines);
    EXPECT_NE(text.find("\n14.173228 14.173228 moveto\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n1.417323 14.173228 lineto\n"), std::string::npos) << text;
    const std::string outside =
        patternEpsText({line(-90, -20, -75.5, -10, LineKind::Cut)}, 151, 10, CutLines);
    EXPECT_NE(outside.find("\n-26.929134 -14.173228 moveto\n"), std::string::npos) << outside;
}

TEST(PatternEps, KindsOutsideTheThreeAreWrittenWithoutADashSetting) {
    PatternLineList lines = {line(0, 0, 1, 0, LineKind::Cut)};
    lines[0].kind = 7;
    const std::string text = patternEpsText(lines, 100, 100, 0);
    EXPECT_EQ(text.find("setdash"), std::string::npos);
    EXPECT_NE(text.find("moveto"), std::string::npos);
}

TEST(PatternEps, NumbersIgnoreTheUsersLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_ALL, name)) {
            comma = true;
            break;
        }
    }
    const std::string text =
        patternEpsText({line(0, 0, 0, 100, LineKind::Cut)}, 100, 100, allLineKinds);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_NE(text.find("155.905512 297.637795 moveto"), std::string::npos);
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(PatternEps, FormatFixed6IsPrintfFixed) {
    EXPECT_EQ(formatFixed6(0.0), "0.000000");
    EXPECT_EQ(formatFixed6(2.5), "2.500000");
    EXPECT_EQ(formatFixed6(-1.0000005), "-1.000001");
    EXPECT_EQ(formatFixed6(1234567.1234564), "1234567.123456");
    char expected[64];
    for (double v : {155.905512, 1.0 / 3.0, -2.8346456692913384 * 17.3, 1e7 + 0.5})
        EXPECT_EQ(formatFixed6(v), (std::snprintf(expected, sizeof expected, "%f", v), expected));
}

} // namespace
} // namespace plicato
