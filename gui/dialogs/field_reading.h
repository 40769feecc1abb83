// Reading the number fields of the settings and text dialogs with the standard refusal texts.
#pragma once

#include <optional>

class QLineEdit;
class QWidget;

namespace plicato {

// The field as an integer within lo..hi; otherwise the range message is shown, the field is
// selected for correction, and nothing is returned.
std::optional<int> readIntegerField(QLineEdit* field, int lo, int hi, QWidget* parent);
// The field as a decimal number; otherwise "数字を入力してください。" as above.
std::optional<double> readDecimalField(QLineEdit* field, QWidget* parent);

} // namespace plicato
