// LineSelectDialog: which line kinds go into a vector pattern file.
#pragma once

#include <QDialog>

class QCheckBox;

namespace plicato {

class LineSelectDialog : public QDialog {
    Q_OBJECT
public:
    // All three kinds are on each time the dialog opens.
    explicit LineSelectDialog(QWidget* parent = nullptr);

    // 0 cut lines, 1 mountain folds, 2 valley folds.
    QCheckBox* kindBox(int kind) const { return boxes[kind]; }
    // The accepted choice: bit 0 cuts, bit 1 mountain folds, bit 2 valley folds.
    int filter() const { return chosen; }

    // With no box on, asks for at least one kind and stays open.
    void accept() override;

private:
    QCheckBox* boxes[3];
    int chosen = 7;
};

} // namespace plicato
