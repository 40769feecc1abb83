// Grid-size dialog: the field and its 2..20 check.
#include "gui/dialogs/grid_size_dialog.h"

#include "gui/dialogs/dialog_messages.h"
#include "gui/dialogs/field_reading.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

GridSizeDialog::GridSizeDialog(double initialGrid, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "グリッドサイズの設定"));
    field_ = new QLineEdit(QString::number(static_cast<int>(initialGrid)), this);
    field_->setObjectName(QStringLiteral("gridSize"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "グリッドサイズ"), this));
    row->addWidget(field_);
    row->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", "mm  (2～20)"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &GridSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GridSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    field_->selectAll();
}

void GridSizeDialog::accept() {
    const auto value = readIntegerField(field_, 2, 20, this);
    if (!value)
        return;
    value_ = *value;
    QDialog::accept();
}

} // namespace plicato
