// The design check: every piece of paper of the card (built face) classified against the frame,
// the pieces holding the sheet's four corners, before the paper is cut.
#pragma once

#include "model/card_model.h"

#include <cstddef>
#include <limits>
#include <vector>

namespace plicato {

struct CheckOptions {
    double minPaperWidth = 0.5; // millimetres; narrower paper tears when it is cut
};

enum class FindingKind : int {
    FallsOut = 0,  // joined to the frame through no chain of folds
    Flap = 1,      // every fold on one straight line: swings on a hinge
    SticksOut = 2, // lies beyond the edge of the closed card
    TooThin = 3,   // narrower than the minimum paper width somewhere
};
constexpr int findingKindCount = 4;

// What the check knows of one piece; `frame` pieces are never flagged.
struct PieceCheck {
    const Face* face = nullptr; // not owned; the built face, stale after the next rebuild
    bool frame = false;
    bool fallsOut = false;
    bool flap = false;
    double sticksOutBy = 0.0; // millimetres beyond the closed card, 0 when it closes inside
    double width = std::numeric_limits<double>::infinity(); // narrowest width below the minimum
    Point2 narrowFrom, narrowTo; // across the narrowest place, on the sheet
    Point2 farthest;             // the sheet point that lies farthest out when closed
    double area = 0.0;           // on the sheet, holes taken off
    Point2 boxMin, boxMax;       // bounding box on the sheet
    double foldLength = 0.0;     // total length of its folds
    int foldLines = 0;           // distinct straight lines its folds lie on
};

struct Finding {
    FindingKind kind = FindingKind::FallsOut;
    std::size_t piece = 0; // index into CheckResult::pieces and the model's builtFaces
    double amount = 0.0;   // SticksOut: millimetres beyond; TooThin: the width; else 0
};

// Where a rule cannot be sure, the check says so instead of guessing.
enum class DoubtKind : int {
    // Pieces joined by folds on several parallel lines form a linkage; counting bodies and
    // hinges (3 per piece, 2 per hinge) leaves `value` degrees of freedom, so it may move. The
    // count cannot tell either way for special shapes (parallelograms, collinear hinges).
    Linkage = 0,
    // A flap whose drawn position lies `value` mm beyond the closed card: where it goes when
    // the card closes depends on how it swings.
    FlapBeyond = 1,
    // A piece held by only `value` mm of fold, less than the minimum paper width: the fold
    // itself may tear.
    ShortHold = 2,
};

struct Doubt {
    DoubtKind kind = DoubtKind::Linkage;
    std::vector<std::size_t> pieces;
    double value = 0.0;
};

struct CheckResult {
    std::vector<PieceCheck> pieces; // one per built face, in builtFaces order
    std::vector<Finding> findings;  // by piece, then in FindingKind order
    std::vector<Doubt> doubts;
    double halfHeight = 0.0; // the closed card's reach from the central fold
};

// Checks the built faces with the fold links that the pattern builder attached to them (the
// links must be current: run buildPattern after every rebuild of the built faces).
CheckResult checkDesign(const CardModel& model, const CheckOptions& options = {});

// Builds the pattern links, then checks.
CheckResult buildAndCheckDesign(CardModel& model, const CheckOptions& options = {});

// The finding that decides a piece's colour: the one that most changes what the user must do.
// Returns -1 for the frame and for a piece without findings.
int leadingFinding(const PieceCheck& piece);

} // namespace plicato
