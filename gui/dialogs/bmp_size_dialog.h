// BmpSizeDialog: the width of the pattern image in pixels and whether it is mirrored.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace plicato {

class BmpSizeDialog : public QDialog {
    Q_OBJECT
public:
    // Always starts at 400 pixels, not mirrored: the last entries are not remembered.
    explicit BmpSizeDialog(QWidget* parent = nullptr);

    QLineEdit* widthField() const { return widthEdit; }
    QCheckBox* mirrorBox() const { return mirrorCheck; }
    // The accepted values.
    int chosenWidth() const { return width; }
    bool mirror() const { return mirrored; }

    // Refuses a width that is not an integer from 100 to 1600 with the range message.
    void accept() override;

private:
    QLineEdit* widthEdit;
    QCheckBox* mirrorCheck;
    int width = 400;
    bool mirrored = false;
};

} // namespace plicato
