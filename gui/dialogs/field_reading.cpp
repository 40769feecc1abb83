// Checked reading of integer and decimal dialog fields.
#include "gui/dialogs/field_reading.h"

#include "gui/dialogs/dialog_messages.h"
#include "view/number_text.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace plicato {

namespace {

void refuse(QLineEdit* field, QWidget* parent, const QString& text) {
    showDialogMessage(parent, text);
    field->setFocus();
    field->selectAll();
}

} // namespace

std::optional<int> readIntegerField(QLineEdit* field, int lo, int hi, QWidget* parent) {
    const auto value = integerInRange(field->text(), lo, hi);
    if (!value)
        refuse(field, parent, integerRangeMessage(lo, hi));
    return value;
}

std::optional<double> readDecimalField(QLineEdit* field, QWidget* parent) {
    const auto value = parseDecimal(field->text().toStdString());
    if (!value)
        refuse(field, parent,
               QCoreApplication::translate("PlicatoPRO", "数字を入力してください。"));
    return value;
}

} // namespace plicato
