// CCheckDock: the findings of the design check beside the view, a preview of the pattern with the
// pieces coloured by class above them; choosing a finding or clicking a piece in the preview
// picks the piece, which the view then draws selected.
#pragma once

#include "check/design_check.h"
#include "pattern/pattern_line.h"
#include "view/check_overlay.h"

#include <QDockWidget>
#include <QString>

class QListWidget;
class QLabel;

namespace plicato {

// The development pattern with every piece filled in the colour of its class (the frame in
// grey), the chosen piece in the colour of a selected face; a click picks the piece under it.
class CCheckPatternView : public QWidget {
    Q_OBJECT
public:
    explicit CCheckPatternView(QWidget* parent = nullptr);
    void showPieces(int cardWidth, int cardHeight, std::vector<SheetPiece> pieces,
                    PatternLineList lines);
    void setChosen(long piece);
    long chosen() const { return chosen_; }
    // Where sheet point `p` is drawn, in widget pixels (for tests that click a piece).
    QPointF pixelOf(const Point2& p) const;
    QSize sizeHint() const override { return {260, 300}; }

signals:
    void pieceClicked(long piece);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    SheetFit fit() const;

    int cardWidth_ = 0;
    int cardHeight_ = 0;
    std::vector<SheetPiece> pieces_;
    PatternLineList lines_;
    long chosen_ = -1;
};

class CCheckDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CCheckDock(QWidget* parent = nullptr);

    // Shows the findings and doubts of `result`, one line each, coloured like their pieces, and
    // the pieces on the pattern. Returns false, showing nothing new, when `result` is not a check
    // of `model`'s current built faces.
    bool showResult(const CardModel& model, const CheckResult& result);
    QListWidget* list() const { return list_; }
    QLabel* summary() const { return summary_; }
    CCheckPatternView* pattern() const { return pattern_; }

    // The list's texts, in the interface's language.
    static QString findingName(FindingKind kind);
    static QString findingLine(const CheckResult& result, const Finding& finding);
    static QString doubtLine(const Doubt& doubt);

signals:
    // The piece of the chosen line or the clicked piece (-1 for none).
    void pieceChosen(long piece);

private:
    void choosePiece(long piece);

    QListWidget* list_;
    QLabel* summary_;
    CCheckPatternView* pattern_;
};

} // namespace plicato
