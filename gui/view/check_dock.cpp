// The findings list of the design check and its pattern preview.
#include "gui/view/check_dock.h"

#include "gui/output/painter_canvas.h"
#include "output/pattern_drawing.h"
#include "view/color_table.h"
#include "view/number_text.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QVBoxLayout>

#include <cmath>

namespace plicato {

namespace {

constexpr int pieceRole = Qt::UserRole;
constexpr int previewMargin = 6;

QColor qColor(const Rgba& c) {
    return QColor::fromRgbF(c.r, c.g, c.b, c.a);
}

// Tenths of a millimetre, what a ruler shows; whole numbers without a fraction.
QString millimetres(double v) {
    const double r = std::round(v * 10.0) / 10.0;
    return QString::fromStdString(formatDecimal(r == 0.0 ? 0.0 : r));
}

QString pieceText(const PieceCheck& p) {
    if (!p.face)
        return {};
    return p.face->plane == FacePlane::Vertical
               ? QCoreApplication::translate("PlicatoPRO", "垂直面 %1 mm")
                     .arg(millimetres(p.face->offset))
               : QCoreApplication::translate("PlicatoPRO", "水平面 %1 mm")
                     .arg(millimetres(p.face->offset));
}

} // namespace

CCheckPatternView::CCheckPatternView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("designCheckPattern"));
    setMinimumSize(120, 140);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::PointingHandCursor);
}

void CCheckPatternView::showPieces(int cardWidth, int cardHeight, std::vector<SheetPiece> pieces,
                                   PatternLineList lines) {
    cardWidth_ = cardWidth;
    cardHeight_ = cardHeight;
    pieces_ = std::move(pieces);
    lines_ = std::move(lines);
    chosen_ = -1;
    update();
}

void CCheckPatternView::setChosen(long piece) {
    chosen_ = piece;
    update();
}

SheetFit CCheckPatternView::fit() const {
    return fitSheet(cardWidth_, cardHeight_, width(), height(), previewMargin);
}

QPointF CCheckPatternView::pixelOf(const Point2& p) const {
    const Point2 q = fit().toPixel(p);
    return {q.x, q.y};
}

void CCheckPatternView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const SheetFit f = fit();
    if (f.scale <= 0)
        return;
    const Point2 topLeft = f.toPixel({-double(cardWidth_ / 2), double(cardHeight_)});
    painter.fillRect(QRectF(topLeft.x, topLeft.y, cardWidth_ * f.scale, 2 * cardHeight_ * f.scale),
                     Qt::white);
    painter.setPen(Qt::NoPen);
    const QColor frame(225, 225, 225);
    const QColor selected = qColor(colorTable().rgba(ColorTable::SelectedFace));
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const SheetPiece& piece = pieces_[i];
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const std::vector<Point2>& loop : piece.loops) {
            if (loop.size() < 3)
                continue;
            QPolygonF polygon;
            for (const Point2& p : loop) {
                const Point2 q = f.toPixel(p);
                polygon << QPointF(q.x, q.y);
            }
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        painter.setBrush(long(i) == chosen_ ? selected
                         : piece.frame      ? frame
                                            : qColor(findingColor(piece.leading)));
        painter.drawPath(path);
    }
    // The lines as the pattern image draws them, with the drawing's own placement.
    PainterCanvas canvas(painter);
    const double left = f.originX - (cardWidth_ / 2) * f.scale;
    const double top = f.originY - cardHeight_ * f.scale;
    drawPattern(canvas, lines_, cardWidth_, cardHeight_, left / f.scale, top / f.scale,
                f.scale * 10, f.scale * 10, 1.0, false, false);
}

void CCheckPatternView::mousePressEvent(QMouseEvent* event) {
    const SheetFit f = fit();
    if (event->button() != Qt::LeftButton || f.scale <= 0)
        return QWidget::mousePressEvent(event);
    const QPointF at = event->position();
    emit pieceClicked(pieceAt(pieces_, f.toSheet({at.x(), at.y()})));
}

CCheckDock::CCheckDock(QWidget* parent)
    : QDockWidget(QCoreApplication::translate("PlicatoPRO", "組み立てチェック"), parent),
      list_(new QListWidget), summary_(new QLabel), pattern_(new CCheckPatternView) {
    setObjectName(QStringLiteral("designCheckDock"));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(pattern_);
    split->addWidget(list_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split);
    setWidget(body);
    // Wide enough for the longest kind of line without cutting it.
    const Finding sample{FindingKind::SticksOut, 0, 11.0};
    list_->setMinimumWidth(
        list_->fontMetrics().horizontalAdvance(
            findingName(sample.kind) +
            QCoreApplication::translate("PlicatoPRO", "垂直面 %1 mm").arg(35) +
            QCoreApplication::translate("PlicatoPRO", "%1 mm はみ出し").arg(11)) +
        64);
    connect(list_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item, QListWidgetItem*) {
                const long piece = item ? long(item->data(pieceRole).toLongLong()) : -1;
                pattern_->setChosen(piece);
                emit pieceChosen(piece);
            });
    connect(pattern_, &CCheckPatternView::pieceClicked, this, &CCheckDock::choosePiece);
}

// A piece clicked in the preview: its first line in the list becomes current (which tells the
// view), or, for a piece without findings, the list lets go and the piece is chosen directly.
void CCheckDock::choosePiece(long piece) {
    for (int row = 0; row < list_->count(); ++row)
        if (piece >= 0 && list_->item(row)->data(pieceRole).toLongLong() == piece) {
            list_->setCurrentRow(row);
            return;
        }
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(-1);
    }
    pattern_->setChosen(piece);
    emit pieceChosen(piece);
}

QString CCheckDock::findingName(FindingKind kind) {
    switch (kind) {
    case FindingKind::FallsOut:
        return QCoreApplication::translate("PlicatoPRO", "抜け落ちる");
    case FindingKind::Flap:
        return QCoreApplication::translate("PlicatoPRO", "フラップ（蝶番で動く）");
    case FindingKind::SticksOut:
        return QCoreApplication::translate("PlicatoPRO", "閉じたカードからはみ出す");
    case FindingKind::TooThin:
        return QCoreApplication::translate("PlicatoPRO", "細すぎる");
    }
    return {};
}

QString CCheckDock::findingLine(const CheckResult& result, const Finding& finding) {
    QString line = findingName(finding.kind);
    if (finding.piece < result.pieces.size())
        line += QStringLiteral("  ") + pieceText(result.pieces[finding.piece]);
    if (finding.kind == FindingKind::SticksOut)
        line += QStringLiteral("  ") + QCoreApplication::translate("PlicatoPRO", "%1 mm はみ出し")
                                           .arg(millimetres(finding.amount));
    else if (finding.kind == FindingKind::TooThin)
        line +=
            QStringLiteral("  ") +
            QCoreApplication::translate("PlicatoPRO", "幅 %1 mm").arg(millimetres(finding.amount));
    return line;
}

QString CCheckDock::doubtLine(const Doubt& doubt) {
    switch (doubt.kind) {
    case DoubtKind::Linkage:
        return QCoreApplication::translate(
                   "PlicatoPRO",
                   "確定できません: %1 個の部品が平行な折り線でつながり、動く可能性があります "
                   "(自由度 %2)")
            .arg(doubt.pieces.size())
            .arg(millimetres(doubt.value));
    case DoubtKind::FlapBeyond:
        return QCoreApplication::translate(
                   "PlicatoPRO",
                   "確定できません: フラップが閉じたカードから %1 mm 出る位置に描かれています")
            .arg(millimetres(doubt.value));
    case DoubtKind::ShortHold:
        return QCoreApplication::translate("PlicatoPRO",
                                           "確定できません: 折り線が %1 mm しかありません")
            .arg(millimetres(doubt.value));
    }
    return {};
}

bool CCheckDock::showResult(const CardModel& model, const CheckResult& result) {
    if (!checkIsCurrent(model, result))
        return false; // its faces are gone: the check of the new ones follows with the next frame
    const QSignalBlocker quiet(list_); // a new result chooses nothing
    list_->clear();
    for (const Finding& f : result.findings) {
        auto* item = new QListWidgetItem(findingLine(result, f), list_);
        item->setData(pieceRole, qlonglong(f.piece));
        item->setData(Qt::DecorationRole, qColor(findingColor(int(f.kind))));
    }
    for (const Doubt& d : result.doubts) {
        auto* item = new QListWidgetItem(doubtLine(d), list_);
        item->setData(pieceRole, d.pieces.size() == 1 ? qlonglong(d.pieces[0]) : qlonglong(-1));
        item->setForeground(Qt::darkGray);
    }
    summary_->setText(
        result.findings.empty()
            ? QCoreApplication::translate("PlicatoPRO",
                                          "指摘はありません（立つことの保証ではありません）")
            : QCoreApplication::translate("PlicatoPRO", "指摘 %1 件").arg(result.findings.size()));
    PatternLineList lines;
    collectPatternLines(model, lines);
    pattern_->showPieces(model.cardWidth, model.cardHeight, sheetPieces(model, result),
                         std::move(lines));
    return true;
}

} // namespace plicato
