// The development pattern as a PDF at true size: one page when the card fits the paper, else
// tiles with an overlap, crop marks and labels that are taped together. Plain vector text.
#pragma once

#include "pattern/pattern_line.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plicato {

class CardModel;

enum class PaperSize : int { A4 = 0, Letter = 1, A3 = 2 };

struct PaperDimensions {
    double width = 0.0; // millimetres, portrait
    double height = 0.0;
};

PaperDimensions paperDimensions(PaperSize paper);
// "a4", "letter" or "a3" (any letter case); nothing for other names.
std::optional<PaperSize> paperFromName(std::string_view name);

// Printers cannot reach the paper's edge: nothing is drawn within this of it.
constexpr double pdfPageMargin = 10.0;
// Neighbouring tiles repeat this much of the card so the pieces can be laid over each other.
constexpr double pdfTileOverlap = 10.0;

// Where the card lands on the pages. The card is cardWidth by cardHeight (the whole sheet,
// both halves) millimetres; tile (row, column) shows the card from (column x stepX, row x
// stepY) measured from its top-left corner, over the content area of the page.
struct PdfTilePlan {
    bool landscape = false;
    double pageWidth = 0.0; // millimetres, as the page lies
    double pageHeight = 0.0;
    int columns = 1;
    int rows = 1;
    double contentWidth = 0.0; // the page less its margins
    double contentHeight = 0.0;
    double stepX = 0.0; // content less the overlap
    double stepY = 0.0;
    // Top-left corner of the card on a single page (centred); 0 when tiled.
    double offsetX = 0.0;
    double offsetY = 0.0;
    int pageCount() const { return columns * rows; }
};

// One page (portrait first, then landscape) when the card fits, else the orientation that
// needs fewer tiles (portrait on a tie).
PdfTilePlan planPdfTiles(double cardWidth, double cardHeight, PaperSize paper);

// The label of a tile: the row as a letter from the top (A, B, .., Z, AA, ..), the column as a
// number from the left: "A1", "A2", "B1".
std::string tileLabel(int row, int column);

// The whole PDF for the lines of a card of cardWidth by 2 * cardHeight mm. Folds are dashed
// (mountain) and dash-dotted (valley) with real line widths.
std::string patternPdfText(const PatternLineList& lines, int cardWidth, int cardHeight,
                           PaperSize paper);

// Writes the PDF of the model's current links (buildPattern must have run) safely.
bool writePatternPdf(const std::string& path, const CardModel& model, PaperSize paper,
                     std::string* error = nullptr);

} // namespace plicato
