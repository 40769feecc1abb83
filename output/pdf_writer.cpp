// Writing the PDF: the tile plan, then one uncompressed content stream of clipped vector lines
// per page, the objects and the cross-reference table with their byte offsets.
#include "output/pdf_writer.h"

#include "model/card_model.h"
#include "output/file_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plicato {

namespace {

constexpr double pointsPerMm = 2.8346456692913384;
constexpr double cropMarkLength = 6.0; // millimetres, in the margin
constexpr double cropMarkGap = 1.5;    // between a crop mark and the content corner
constexpr double outlineEps = 0.0001;

// Short, locale-free numbers: three decimals at most, trailing zeros dropped, no "-0".
std::string num(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

// Tiles needed to cover `length` with pieces of `content` overlapping by the tile overlap.
int tilesFor(double length, double content) {
    if (length <= content + 1e-9)
        return 1;
    const double step = content - pdfTileOverlap;
    return 1 + int(std::ceil((length - content) / step - 1e-9));
}

PdfTilePlan planFor(double cardWidth, double cardHeight, double pageWidth, double pageHeight,
                    bool landscape) {
    PdfTilePlan plan;
    plan.landscape = landscape;
    plan.pageWidth = pageWidth;
    plan.pageHeight = pageHeight;
    plan.contentWidth = pageWidth - 2 * pdfPageMargin;
    plan.contentHeight = pageHeight - 2 * pdfPageMargin;
    plan.stepX = plan.contentWidth - pdfTileOverlap;
    plan.stepY = plan.contentHeight - pdfTileOverlap;
    plan.columns = tilesFor(cardWidth, plan.contentWidth);
    plan.rows = tilesFor(cardHeight, plan.contentHeight);
    if (plan.pageCount() == 1) {
        plan.offsetX = (plan.contentWidth - cardWidth) / 2;
        plan.offsetY = (plan.contentHeight - cardHeight) / 2;
    }
    return plan;
}

bool onOutline(const PatternLine& line, double halfW, double h) {
    const auto both = [](double a, double b, double v) {
        return std::fabs(a - v) < outlineEps && std::fabs(b - v) < outlineEps;
    };
    return both(line.x1, line.x2, -halfW) || both(line.x1, line.x2, halfW) ||
           both(line.y1, line.y2, -h) || both(line.y1, line.y2, h);
}

// The content stream of one page.
std::string pageContent(const PatternLineList& lines, int cardWidth, int cardHeight,
                        const PdfTilePlan& plan, int row, int column) {
    const double halfW = cardWidth * 0.5, h = cardHeight;
    const double left = pdfPageMargin + plan.offsetX - column * plan.stepX;
    const double top = pdfPageMargin + plan.offsetY - row * plan.stepY;
    // Pattern millimetres to PDF points (origin at the page's lower-left corner).
    const auto px = [&](double x) { return num((left + x + halfW) * pointsPerMm); };
    const auto py = [&](double y) { return num((plan.pageHeight - top - (h - y)) * pointsPerMm); };
    const auto pt = [](double mm) { return num(mm * pointsPerMm); };

    std::string out = "q\n";
    out += pt(pdfPageMargin) + " " + pt(pdfPageMargin) + " " + pt(plan.contentWidth) + " " +
           pt(plan.contentHeight) + " re W n\n";
    out += "1 J 1 j 0 0 0 RG\n";
    struct Style {
        LineKind kind;
        const char* setup;
    };
    const Style styles[3] = {{LineKind::Cut, "0.6 w [] 0 d\n"},
                             {LineKind::Mountain, "0.45 w [3 3] 0 d\n"},
                             {LineKind::Valley, "0.45 w [8 4 4 4] 0 d\n"}};
    for (const Style& style : styles) {
        out += style.setup;
        std::string path;
        if (style.kind == LineKind::Cut) // the outline on every page lines the tiles up
            path += px(-halfW) + " " + py(-h) + " " + pt(cardWidth) + " " + pt(2.0 * h) + " re\n";
        for (const PatternLine& line : lines) {
            if (line.kind != int(style.kind) ||
                (style.kind == LineKind::Cut && onOutline(line, halfW, h)))
                continue;
            path +=
                px(line.x1) + " " + py(line.y1) + " m " + px(line.x2) + " " + py(line.y2) + " l\n";
        }
        if (!path.empty())
            out += path + "S\n";
    }
    out += "Q\n";
    if (plan.pageCount() == 1)
        return out;

    // Crop marks in the margin at the corners of the content area, and the tile's label.
    out += "0.3 w [] 0 d\n";
    const double x0 = pdfPageMargin, x1 = plan.pageWidth - pdfPageMargin;
    const double y0 = pdfPageMargin, y1 = plan.pageHeight - pdfPageMargin;
    for (const double cx : {x0, x1}) {
        const double outX = cx == x0 ? -1.0 : 1.0;
        for (const double cy : {y0, y1}) {
            const double outY = cy == y0 ? -1.0 : 1.0;
            const double hx = cx + outX * cropMarkGap, vy = cy + outY * cropMarkGap;
            out += pt(hx) + " " + pt(cy) + " m " + pt(hx + outX * cropMarkLength) + " " + pt(cy) +
                   " l\n";
            out += pt(cx) + " " + pt(vy) + " m " + pt(cx) + " " + pt(vy + outY * cropMarkLength) +
                   " l\n";
        }
    }
    out += "S\n";
    const int page = row * plan.columns + column + 1;
    const std::string label = tileLabel(row, column) + "  (" + std::to_string(page) + "/" +
                              std::to_string(plan.pageCount()) + ")";
    out += "BT /F1 9 Tf " + pt(pdfPageMargin + cropMarkLength + 4) + " " + pt(3.5) + " Td (" +
           label + ") Tj ET\n";
    return out;
}

} // namespace

PaperDimensions paperDimensions(PaperSize paper) {
    switch (paper) {
    case PaperSize::Letter:
        return {215.9, 279.4};
    case PaperSize::A3:
        return {297.0, 420.0};
    case PaperSize::A4:
        break;
    }
    return {210.0, 297.0};
}

std::optional<PaperSize> paperFromName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (lower == "a4")
        return PaperSize::A4;
    if (lower == "letter")
        return PaperSize::Letter;
    if (lower == "a3")
        return PaperSize::A3;
    return std::nullopt;
}

PdfTilePlan planPdfTiles(double cardWidth, double cardHeight, PaperSize paper) {
    const PaperDimensions d = paperDimensions(paper);
    const PdfTilePlan portrait = planFor(cardWidth, cardHeight, d.width, d.height, false);
    const PdfTilePlan landscape = planFor(cardWidth, cardHeight, d.height, d.width, true);
    if (portrait.pageCount() == 1)
        return portrait;
    return landscape.pageCount() < portrait.pageCount() ? landscape : portrait;
}

std::string tileLabel(int row, int column) {
    std::string letters;
    for (int r = row + 1; r > 0; r = (r - 1) / 26)
        letters.insert(letters.begin(), char('A' + (r - 1) % 26));
    return letters + std::to_string(column + 1);
}

std::string patternPdfText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           PaperSize paper) {
    const PdfTilePlan plan = planPdfTiles(cardWidth, 2.0 * cardHeight, paper);
    const int pages = plan.pageCount();
    // Objects: 1 catalog, 2 page tree, 3 font, then a page and its content for every tile.
    std::vector<std::string> objects;
    std::string kids;
    for (int i = 0; i < pages; ++i)
        kids += (i ? " " : "") + std::to_string(4 + 2 * i) + " 0 R";
    objects.emplace_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) +
                      " >>");
    objects.emplace_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    const std::string mediaBox = "[0 0 " + num(plan.pageWidth * pointsPerMm) + " " +
                                 num(plan.pageHeight * pointsPerMm) + "]";
    for (int row = 0; row < plan.rows; ++row) {
        for (int column = 0; column < plan.columns; ++column) {
            const int contentObject = 5 + 2 * (row * plan.columns + column);
            objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox +
                              " /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                              std::to_string(contentObject) + " 0 R >>");
            const std::string content =
                pageContent(lines, cardWidth, cardHeight, plan, row, column);
            objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                              content + "endstream");
        }
    }

    std::string out = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        std::string digits = std::to_string(offset);
        out += std::string(10 - std::min<std::size_t>(10, digits.size()), '0') + digits +
               " 00000 n \n";
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

bool writePatternPdf(const std::string& path, const CardModel& model, PaperSize paper,
                     std::string* error) {
    PatternLineList lines;
    collectPatternLines(model, lines);
    return writeFileReplacing(path, patternPdfText(lines, model.cardWidth, model.cardHeight, paper),
                              error);
}

} // namespace plicato
