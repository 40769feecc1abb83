// The print settings dialog's controls and its margin check.
#include "gui/dialogs/print_settings_dialog.h"

#include "gui/dialogs/dialog_messages.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace plicato {

PrintSettingsDialog::PrintSettingsDialog(const OutputSettings& settings, QWidget* parent)
    : QDialog(parent), chosen(settings) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "印刷の設定"));
    mirrorCheck =
        new QCheckBox(QCoreApplication::translate("PlicatoPRO", "展開図を左右反転させる"), this);
    mirrorCheck->setObjectName(QStringLiteral("mirror"));
    mirrorCheck->setChecked(settings.mirrorPattern);
    fitCheck = new QCheckBox(
        QCoreApplication::translate("PlicatoPRO", "用紙にあわせて印刷サイズを自動調整する"), this);
    fitCheck->setObjectName(QStringLiteral("fit"));
    fitCheck->setChecked(settings.fitToPaper);
    marginEdit = new QLineEdit(QString::number(int(std::trunc(settings.marginX))), this);
    marginEdit->setObjectName(QStringLiteral("margin"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QCoreApplication::translate("PlicatoPRO", "用紙の余白"), this);
    label->setBuddy(marginEdit);
    row->addWidget(label);
    row->addWidget(marginEdit);
    row->addWidget(new QLabel(QStringLiteral("mm"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintSettingsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mirrorCheck);
    layout->addWidget(fitCheck);
    layout->addLayout(row);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("PlicatoPRO", "※ 用紙のサイズは[プリンタの設定]で指定できます"),
        this));
    layout->addWidget(buttons);
}

void PrintSettingsDialog::accept() {
    const auto margin = integerInRange(marginEdit->text(), minPrintMargin, maxPrintMargin);
    if (!margin) {
        showDialogMessage(this, integerRangeMessage(minPrintMargin, maxPrintMargin));
        marginEdit->setFocus();
        marginEdit->selectAll();
        return;
    }
    chosen.mirrorPattern = mirrorCheck->isChecked();
    chosen.fitToPaper = fitCheck->isChecked();
    chosen.marginX = chosen.marginY = *margin;
    QDialog::accept();
}

} // namespace plicato
