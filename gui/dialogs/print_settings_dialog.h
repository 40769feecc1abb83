// PrintSettingsDialog: mirroring, fitting to the paper and the paper margin, shown before
// printing, previewing and cutting.
#pragma once

#include "output/print_layout.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace plicato {

class PrintSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Filled from `settings`; the margin shows the whole millimetres of marginX.
    explicit PrintSettingsDialog(const OutputSettings& settings, QWidget* parent = nullptr);

    QCheckBox* mirrorBox() const { return mirrorCheck; }
    QCheckBox* fitBox() const { return fitCheck; }
    QLineEdit* marginField() const { return marginEdit; }
    // The accepted settings: both flags, and both margins set to the entered integer.
    const OutputSettings& chosenSettings() const { return chosen; }

    // Refuses a margin that is not an integer from 5 to 50 with the range message.
    void accept() override;

private:
    QCheckBox* mirrorCheck;
    QCheckBox* fitCheck;
    QLineEdit* marginEdit;
    OutputSettings chosen;
};

} // namespace plicato
