// The findings list of the design check.
#include "gui/view/check_dock.h"

#include "view/check_overlay.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace plicato {

namespace {

constexpr int pieceRole = Qt::UserRole;

QColor qColor(const Rgba& c) {
    return QColor::fromRgbF(c.r, c.g, c.b, c.a);
}

} // namespace

CCheckDock::CCheckDock(QWidget* parent)
    : QDockWidget(QStringLiteral("組み立てチェック"), parent), list_(new QListWidget),
      summary_(new QLabel) {
    setObjectName(QStringLiteral("designCheckDock"));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    setWidget(body);
    // Wide enough for the longest kind of line without cutting it.
    list_->setMinimumWidth(list_->fontMetrics().horizontalAdvance(QStringLiteral(
                               "閉じたカードからはみ出す  垂直面 35 mm  11 mm はみ出し")) +
                           48);
    connect(list_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item, QListWidgetItem*) {
                emit pieceChosen(item ? item->data(pieceRole).toLongLong() : -1);
            });
}

void CCheckDock::showResult(const CheckResult& result) {
    const QSignalBlocker quiet(list_); // a new result chooses nothing
    list_->clear();
    for (const Finding& f : result.findings) {
        auto* item = new QListWidgetItem(QString::fromStdString(findingLine(result, f)), list_);
        item->setData(pieceRole, qlonglong(f.piece));
        const QColor c = qColor(findingColor(int(f.kind)));
        item->setData(Qt::DecorationRole, c);
    }
    for (const Doubt& d : result.doubts) {
        auto* item = new QListWidgetItem(QString::fromStdString(doubtLine(d)), list_);
        item->setData(pieceRole, d.pieces.size() == 1 ? qlonglong(d.pieces[0]) : qlonglong(-1));
        item->setForeground(Qt::darkGray);
    }
    summary_->setText(result.findings.empty()
                          ? QStringLiteral("指摘はありません（立つことの保証ではありません）")
                          : QStringLiteral("指摘 %1 件").arg(result.findings.size()));
}

} // namespace plicato
