// The scale dialog's one edit box and its OK rule.
#include "gui/dialogs/scale_faces_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

ScaleFacesDialog::ScaleFacesDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "選択面の拡大縮小"));
    edit = new QLineEdit(QStringLiteral("100"), this);
    edit->setObjectName(QStringLiteral("percent"));
    edit->setValidator(new QIntValidator(edit));
    auto* label = new QLabel(QCoreApplication::translate("PlicatoPRO", "拡大率"), this);
    label->setBuddy(edit);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit);
    row->addWidget(new QLabel(QStringLiteral("%"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit, &QLineEdit::textChanged, this, &ScaleFacesDialog::updateOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    edit->selectAll();
    updateOk();
}

int ScaleFacesDialog::percent() const {
    return edit->text().toInt();
}

void ScaleFacesDialog::updateOk() {
    bool number = false;
    edit->text().toInt(&number);
    ok->setEnabled(number);
}

} // namespace plicato
