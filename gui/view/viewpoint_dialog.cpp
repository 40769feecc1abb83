// The viewpoint dialog: decimal fields with the number check message, and a scale that must stay
// above zero.
#include "gui/view/viewpoint_dialog.h"

#include "view/number_text.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

ViewpointDialog::ViewpointDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "視点情報"));
    auto* form = new QFormLayout;
    const QString labels[3] = {QCoreApplication::translate("PlicatoPRO", "角度（縦）"),
                               QCoreApplication::translate("PlicatoPRO", "角度（横）"),
                               QCoreApplication::translate("PlicatoPRO", "スケール")};
    for (int i = 0; i < 3; ++i) {
        fields_[i] = new QLineEdit(this);
        form->addRow(labels[i], fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PlicatoPRO", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ViewpointDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ViewpointDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ViewpointDialog::setValues(double rotX, double rotY, double scale) {
    values_[0] = rotX;
    values_[1] = rotY;
    values_[2] = scale;
    // Rounded for reading; a field left as shown gives back the exact value, so OK without an
    // edit does not move the camera.
    for (int i = 0; i < 3; ++i) {
        shown_[i] = QString::fromStdString(formatRounded(values_[i]));
        fields_[i]->setText(shown_[i]);
    }
}

void ViewpointDialog::accept() {
    double read[3];
    for (int i = 0; i < 3; ++i) {
        if (fields_[i]->text() == shown_[i]) {
            read[i] = values_[i];
            continue;
        }
        const auto v = parseDecimal(fields_[i]->text().toStdString());
        if (!v) {
            emit numberRefused(i);
            QMessageBox::warning(
                this, QStringLiteral("PlicatoPRO"),
                QCoreApplication::translate("PlicatoPRO", "数字を入力してください。"));
            fields_[i]->setFocus();
            fields_[i]->selectAll();
            return;
        }
        read[i] = *v;
    }
    // At zero the card shrinks to a point and below it the view turns upside down; neither is a
    // view anyone asks for, so the scale is refused before anything changes.
    if (!(read[2] > 0)) {
        emit numberRefused(2);
        QMessageBox::warning(
            this, QStringLiteral("PlicatoPRO"),
            QCoreApplication::translate("PlicatoPRO", "0 より大きい数字を入力してください。"));
        fields_[2]->setFocus();
        fields_[2]->selectAll();
        return;
    }
    for (int i = 0; i < 3; ++i)
        values_[i] = read[i];
    QDialog::accept();
}

} // namespace plicato
