// The grid-size dialog: one whole number of millimetres from 2 to 20.
#pragma once

#include <QDialog>

class QLineEdit;

namespace plicato {

class GridSizeDialog : public QDialog {
    Q_OBJECT
public:
    // Shows `initialGrid` truncated to whole millimetres.
    explicit GridSizeDialog(double initialGrid, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    int gridSize() const { return value_; } // valid after OK

    void accept() override;

private:
    QLineEdit* field_;
    int value_ = 0;
};

} // namespace plicato
