// The BMP size dialog's fields and its range check.
#include "gui/dialogs/bmp_size_dialog.h"

#include "gui/dialogs/dialog_messages.h"
#include "output/pattern_drawing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

BmpSizeDialog::BmpSizeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "BMP画像の大きさ"));
    widthEdit = new QLineEdit(QString::number(defaultPatternImageWidth), this);
    widthEdit->setObjectName(QStringLiteral("width"));
    mirrorCheck = new QCheckBox(QCoreApplication::translate("PlicatoPRO", "左右反転する"), this);
    mirrorCheck->setObjectName(QStringLiteral("mirror"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QCoreApplication::translate("PlicatoPRO", "サイズ(横幅)"), this);
    label->setBuddy(widthEdit);
    row->addWidget(label);
    row->addWidget(widthEdit);
    row->addWidget(new QLabel(QStringLiteral("pix"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BmpSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BmpSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(mirrorCheck);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("PlicatoPRO", "※ 縦幅は横幅を基準に自動的に決められます"),
        this));
    layout->addWidget(buttons);
}

void BmpSizeDialog::accept() {
    const auto value =
        integerInRange(widthEdit->text(), minPatternImageWidth, maxPatternImageWidth);
    if (!value) {
        showDialogMessage(this, integerRangeMessage(minPatternImageWidth, maxPatternImageWidth));
        widthEdit->setFocus();
        widthEdit->selectAll();
        return;
    }
    width = *value;
    mirrored = mirrorCheck->isChecked();
    QDialog::accept();
}

} // namespace plicato
