// The New dialog: card width and height in centimetres and the initial grid in millimetres,
// each picked from "5".."20".
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace plicato {

class NewCardDialog : public QDialog {
    Q_OBJECT
public:
    // Starts with the width and height lists at `widthMm` / 10 and `heightMm` / 10 and the grid
    // at 10. A value that is not listed selects the first entry starting with its digits, or
    // nothing; OK stays disabled until all three lists have a selection.
    NewCardDialog(int widthMm, int heightMm, QWidget* parent = nullptr);

    QComboBox* widthList() const { return widthBox; }
    QComboBox* heightList() const { return heightBox; }
    QComboBox* gridList() const { return gridBox; }
    QPushButton* okButton() const { return ok; }

    // The chosen values (cm, cm, mm); 0 for a list without a selection.
    int chosenWidth() const;
    int chosenHeight() const;
    int chosenGrid() const;

    // Index of the entry for `value` by the rule above; -1 for none.
    static int initialIndex(int value);

private:
    void updateOk();
    QComboBox* widthBox;
    QComboBox* heightBox;
    QComboBox* gridBox;
    QPushButton* ok;
};

} // namespace plicato
