// The refusal messages of the pattern dialogs and the integer check behind them.
#include "gui/dialogs/dialog_messages.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace plicato {

namespace {
DialogMessageHandler& handler() {
    static DialogMessageHandler installed;
    return installed;
}
} // namespace

void setDialogMessageHandler(DialogMessageHandler h) {
    handler() = std::move(h);
}

void showDialogMessage(QWidget* parent, const QString& text) {
    if (handler()) {
        handler()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("PlicatoPRO"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

QString integerRangeMessage(int lo, int hi) {
    return QCoreApplication::translate("PlicatoPRO", "%1 から %2 までの整数を入力してください。")
        .arg(lo)
        .arg(hi);
}

std::optional<int> integerInRange(const QString& text, int lo, int hi) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < lo || value > hi)
        return std::nullopt;
    return value;
}

} // namespace plicato
