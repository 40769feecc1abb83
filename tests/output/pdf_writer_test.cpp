// PDF output: the tile plan against worked cases and coverage properties, tile labels, and the
// file's own structure (cross-reference offsets, stream lengths, pages, clipping, dashes).
#include "output/pdf_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

namespace plicato {
namespace {

struct PlanRow {
    double width, height;
    PaperSize paper;
    int columns, rows;
    bool landscape;
};

TEST(PdfTilePlan, WorkedCases) {
    const PlanRow rows[] = {
        {160, 160, PaperSize::A4, 1, 1, false},
        {190, 277, PaperSize::A4, 1, 1, false},   // exactly the content area
        {250, 150, PaperSize::A4, 1, 1, true},    // fits only when turned
        {190.1, 277, PaperSize::A4, 2, 1, false}, // a tie goes to portrait
        {400, 300, PaperSize::A4, 2, 2, true},    // 3 x 2 upright, 2 x 2 turned
        {400, 300, PaperSize::A3, 2, 1, false},   // 2 x 1 either way
        {195.9, 259.4, PaperSize::Letter, 1, 1, false},
        {196, 259.4, PaperSize::Letter, 2, 1, false},
        {196, 195, PaperSize::Letter, 1, 1, true},
        {1000, 100, PaperSize::A4, 4, 1, true}, // 277 + 3 x 267 >= 1000
        {100, 1000, PaperSize::A4, 1, 4, false},
    };
    for (const PlanRow& r : rows) {
        const PdfTilePlan plan = planPdfTiles(r.width, r.height, r.paper);
        EXPECT_EQ(plan.columns, r.columns) << r.width << " x " << r.height;
        EXPECT_EQ(plan.rows, r.rows) << r.width << " x " << r.height;
        EXPECT_EQ(plan.landscape, r.landscape) << r.width << " x " << r.height;
    }
}

TEST(PdfTilePlan, TilesCoverTheCardWithNoTileToSpareAndOverlapByTenMillimetres) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> size(20.0, 1500.0);
    for (int i = 0; i < 2000; ++i) {
        const double w = size(random), h = size(random);
        const PaperSize paper = PaperSize(i % 3);
        const PdfTilePlan plan = planPdfTiles(w, h, paper);
        const PaperDimensions d = paperDimensions(paper);
        EXPECT_DOUBLE_EQ(plan.pageWidth, plan.landscape ? d.height : d.width);
        EXPECT_DOUBLE_EQ(plan.contentWidth, plan.pageWidth - 2 * pdfPageMargin);
        EXPECT_DOUBLE_EQ(plan.stepX, plan.contentWidth - pdfTileOverlap);
        EXPECT_DOUBLE_EQ(plan.stepY, plan.contentHeight - pdfTileOverlap);
        // Covered: the last tile reaches the card's far edge; minimal: one tile fewer would not.
        EXPECT_GE((plan.columns - 1) * plan.stepX + plan.contentWidth, w - 1e-9);
        EXPECT_GE((plan.rows - 1) * plan.stepY + plan.contentHeight, h - 1e-9);
        if (plan.columns > 1) {
            EXPECT_LT((plan.columns - 2) * plan.stepX + plan.contentWidth, w);
        }
        if (plan.rows > 1) {
            EXPECT_LT((plan.rows - 2) * plan.stepY + plan.contentHeight, h);
        }
        if (plan.pageCount() == 1) {
            EXPECT_GE(plan.offsetX, 0.0);
            EXPECT_GE(plan.offsetY, 0.0);
            EXPECT_NEAR(2 * plan.offsetX + w, plan.contentWidth, 1e-9);
        } else {
            EXPECT_EQ(plan.offsetX, 0.0);
        }
        // The other orientation never needs fewer pages.
        const PdfTilePlan turned = planPdfTiles(h, w, paper);
        EXPECT_EQ(turned.pageCount(), plan.pageCount()) << w << " x " << h;
    }
}

TEST(PdfTilePlan, LabelsRunByRowLetterAndColumnNumber) {
    const struct {
        int row, column;
        const char* label;
    } rows[] = {{0, 0, "A1"},   {0, 1, "A2"},    {1, 0, "B1"},   {25, 2, "Z3"},
                {26, 0, "AA1"}, {27, 9, "AB10"}, {51, 0, "AZ1"}, {52, 0, "BA1"}};
    for (const auto& r : rows)
        EXPECT_EQ(tileLabel(r.row, r.column), r.label);
}

TEST(PdfTilePlan, PaperNames) {
    EXPECT_EQ(paperFromName("a4"), PaperSize::A4);
    EXPECT_EQ(paperFromName("LETTER"), PaperSize::Letter);
    EXPECT_EQ(paperFromName("A3"), PaperSize::A3);
    for (const char* bad : {"", "a5", "a4 ", "legal"})
        EXPECT_FALSE(paperFromName(bad).has_value()) << bad;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Checks what a PDF reader relies on: every xref entry points at its object, every stream is as
// long as it says, the trailer points at the xref. Returns the number of pages.
int checkStructure(const std::string& pdf) {
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const std::size_t startxref = pdf.rfind("startxref\n");
    EXPECT_NE(startxref, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
    EXPECT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    const std::size_t firstLine = pdf.find('\n', xref + 5);
    const int objects = std::stoi(pdf.substr(xref + 7, firstLine - xref - 7));
    for (int i = 1; i < objects; ++i) {
        const std::string entry = pdf.substr(firstLine + 1 + 20 * std::size_t(i), 20);
        EXPECT_EQ(entry.substr(10), " 00000 n \n") << i;
        const std::size_t at = std::stoul(entry.substr(0, 10));
        EXPECT_EQ(pdf.compare(at, std::to_string(i).size() + 6, std::to_string(i) + " 0 obj"), 0)
            << "object " << i;
    }
    const std::regex stream(R"(/Length (\d+) >>\nstream\n)");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), stream);
         it != std::sregex_iterator(); ++it) {
        const std::size_t begin = std::size_t(it->position(0) + it->length(0));
        const std::size_t length = std::stoul((*it)[1]);
        EXPECT_EQ(pdf.compare(begin + length, 9, "endstream"), 0);
    }
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    return int(count(pdf, "/Type /Page "));
}

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

TEST(PatternPdf, OnePageCentredAtTrueSizeWithDashedFolds) {
    const PatternLineList lines = {
        line(-50, -100, 50, -100, LineKind::Cut), line(-50, 0, 50, 0, LineKind::Valley),
        line(0, 0, 0, 50, LineKind::Mountain), line(-20, 10, 20, 10, LineKind::Cut)};
    const std::string pdf = patternPdfText(lines, 100, 100, PaperSize::A4);
    EXPECT_EQ(checkStructure(pdf), 1);
    EXPECT_NE(pdf.find("/MediaBox [0 0 595.276 841.89]"), std::string::npos);
    EXPECT_NE(pdf.find("0.45 w [3 3] 0 d"), std::string::npos);
    EXPECT_NE(pdf.find("0.45 w [8 4 4 4] 0 d"), std::string::npos);
    // The card (100 x 200) centred in the content area: left edge at 10 + 45 mm = 155.906 pt,
    // bottom at 10 + 38.5 mm = 137.48 pt; the outline once, as a rectangle.
    EXPECT_NE(pdf.find("155.906 137.48 283.465 566.929 re"), std::string::npos) << pdf;
    EXPECT_EQ(count(pdf, " re\n"), 1u);
    // The cut on the outline is drawn by the rectangle; the inner cut by its own line.
    EXPECT_EQ(count(pdf, " m "), 3u);
    EXPECT_NE(pdf.find("240.945 449.291 m 354.331 449.291 l"), std::string::npos);
    EXPECT_EQ(pdf.find("(A1"), std::string::npos); // a single page carries no tile label
}

TEST(PatternPdf, TiledPagesEachClipTheirPieceAndCarryLabelsAndCropMarks) {
    const PatternLineList lines = {line(-200, 0, 200, 0, LineKind::Valley)};
    const std::string pdf = patternPdfText(lines, 400, 150, PaperSize::A4);
    EXPECT_EQ(checkStructure(pdf), 4);
    EXPECT_EQ(count(pdf, "/MediaBox [0 0 841.89 595.276]"), 4u);
    for (const char* label : {"(A1  (1/4))", "(A2  (2/4))", "(B1  (3/4))", "(B2  (4/4))"})
        EXPECT_EQ(count(pdf, label), 1u) << label;
    EXPECT_EQ(count(pdf, "re W n"), 4u);
    EXPECT_EQ(count(pdf, " re\n"), 4u); // the outline on every page
    // Eight crop-mark strokes a page, after the clipped drawing.
    EXPECT_EQ(count(pdf, " l\n"), 4u * 8u + 4u);
    // Tile A2 starts 267 mm into the card: the card's left edge lies 257 mm left of the page.
    EXPECT_NE(pdf.find("-728.504 "), std::string::npos);
}

} // namespace
} // namespace plicato
