// The page layout of printing and the plotter job, and the plotter's printer and command-line
// rules.
#include "output/print_layout.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

TEST(LayoutPage, FitToPaperEnlargesAndShrinksAndOffKeepsTheTrueSize) {
    const struct {
        double pageW, pageH;
        int cardW, cardH;
        bool fit;
        double margin;
        double factor;
    } rows[] = {
        {200, 287, 150, 100, true, 15, 170.0 / 150}, // enlarged: sx 1.1333 < sy 1.285
        {200, 287, 150, 100, false, 15, 1.0},        // true size
        {200, 287, 300, 100, true, 15, 170.0 / 300}, // shrunk by the width
        {200, 287, 100, 200, true, 15, 257.0 / 400}, // shrunk by the height
        {200, 287, 170, 128, true, 15, 1.0},         // sx exactly 1 < sy 257 / 256
        {200, 287, 150, 100, true, 50, 100.0 / 150},
        {20, 20, 150, 100, true, 15, 1.0}, // no room inside the margins
        {200, 287, 0, 100, true, 15, 1.0}, // no card
    };
    for (const auto& r : rows) {
        OutputSettings s;
        s.fitToPaper = r.fit;
        s.marginX = s.marginY = r.margin;
        const PageLayout l = layoutPage(600, 600, r.pageW, r.pageH, r.cardW, r.cardH, s);
        EXPECT_NEAR(l.sizeFactor, r.factor, 1e-12) << r.cardW << " x " << r.cardH;
    }
}

TEST(LayoutPage, DeviceUnitsPerCentimetreAndTheMarginShift) {
    OutputSettings s;
    s.marginX = 15.9;
    s.marginY = 5.0;
    const PageLayout l = layoutPage(600, 1200, 200, 287, 150, 100, s);
    EXPECT_NEAR(l.dpcmX, 600 / 2.54, 1e-9);
    EXPECT_NEAR(l.dpcmY, 1200 / 2.54, 1e-9);
    EXPECT_EQ(l.originShiftX, -15);
    EXPECT_EQ(l.originShiftY, -5);
    EXPECT_EQ(outputSettings().marginX, 15.0); // the defaults of a fresh run
    EXPECT_TRUE(outputSettings().fitToPaper);
    EXPECT_FALSE(outputSettings().mirrorPattern);
}

TEST(Plotter, PrinterNameCheckUsesTheFirstNineteenCharactersIgnoringCase) {
    const struct {
        const char* name;
        bool ok;
    } rows[] = {{"Graphtec Craft ROBO", true},
                {"graphtec craft robo Pro", true},
                {"GRAPHTEC CRAFT ROBO-S (USB)", true},
                {"Graphtec Craft", false}, // the first 14 characters only
                {"Graphtec Craft ROB", false},
                {"Graphtec  Craft ROBO", false},
                {"", false},
                {"Brother HL-L2350DW", false}};
    for (const auto& r : rows)
        EXPECT_EQ(isCraftRoboPrinter(r.name), r.ok) << r.name;
}

TEST(Plotter, CommandLine) {
    EXPECT_EQ(plotterCommandLine(true, 1234), "/FN1 /CUTMODE /NOTRM /OWNER1234");
    EXPECT_EQ(plotterCommandLine(false, 94371843), "/FN0 /CUTMODE /NOTRM /OWNER94371843");
}

} // namespace
} // namespace plicato
