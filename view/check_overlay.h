// The design check as the view shows it: a colour for each class of piece, the pieces laid out
// on the sheet for the pattern preview, and the check kept current by re-running it only when
// the pieces changed. The texts of the findings list are the interface's (gui/view/check_dock).
#pragma once

#include "check/design_check.h"
#include "view/color_table.h"

#include <cstdint>
#include <vector>

namespace plicato {

// The colour of a held piece by its leading finding (-1: no finding). The frame keeps the
// colour of its plane.
Rgba findingColor(int leading);

// A piece as the pattern preview draws it: its outline on the sheet (holes included, filled
// even-odd) and its class. A copy, so the preview never reads faces a later rebuild freed.
struct SheetPiece {
    std::vector<std::vector<Point2>> loops;
    bool frame = false;
    int leading = -1; // leadingFinding of the piece
    double area = 0.0;
};
// Whether `result` is a check of the model's current built faces (its face pointers are then
// safe to follow).
bool checkIsCurrent(const CardModel& model, const CheckResult& result);
// The pieces of `result` on the sheet; empty when the result is not of the model's current built
// faces (a stale result colours nothing).
std::vector<SheetPiece> sheetPieces(const CardModel& model, const CheckResult& result);
// The piece under sheet point `p`: the smallest one whose outline holds it (pieces do not
// overlap, the smallest wins should rounding make them touch), -1 where there is none.
long pieceAt(const std::vector<SheetPiece>& pieces, const Point2& p);

// The sheet (cardWidth wide, 2 * cardHeight high, y up, the central fold at y = 0) fitted into
// a width x height pixel area inside a margin, with the pattern drawing's own placement of the
// card's left edge (the integer half width), so lines and fills agree.
struct SheetFit {
    double scale = 0.0;   // pixels per millimetre
    double originX = 0.0; // pixel position of sheet point (0, 0)
    double originY = 0.0;
    Point2 toPixel(const Point2& sheet) const {
        return {originX + sheet.x * scale, originY - sheet.y * scale};
    }
    Point2 toSheet(const Point2& pixel) const {
        return {(pixel.x - originX) / scale, (originY - pixel.y) / scale};
    }
};
// scale is 0 when the area or the card has no size.
SheetFit fitSheet(int cardWidth, int cardHeight, int width, int height, int margin);

// A digest of what the check reads: the built faces (identity, plane, offset, outline), the
// card size and the options. Equal keys give equal results.
std::uint64_t checkInputKey(const CardModel& model, const CheckOptions& options);

class DesignCheckRunner {
public:
    // The check of the model's current built faces. The pattern builder and the check run only
    // when the key changed since the last call; otherwise the last result is returned, so
    // calling this every frame costs one pass over the outlines.
    const CheckResult& update(CardModel& model, const CheckOptions& options);
    const CheckResult& result() const { return result_; }
    // How many times the check actually ran.
    int runs() const { return runs_; }
    void invalidate() { valid_ = false; }

private:
    CheckResult result_;
    std::uint64_t key_ = 0;
    bool valid_ = false;
    int runs_ = 0;
};

} // namespace plicato
