// The modeless underlay tool window: front or top view, keep aspect and snap to grid, open a
// picture, move it to the bottom centre, reset its fit, delete it, close.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace plicato {

struct DisplayState;

class UnderlayDialog : public QDialog {
    Q_OBJECT
public:
    // `imageFolder` is the remembered default image folder, updated when a file is opened.
    UnderlayDialog(DisplayState& state, std::string& imageFolder, QWidget* parent = nullptr);

    // The underlay command: front mode, the fields from the flags and the mode, shown.
    void showTool();

    QRadioButton* frontButton() const { return front_; }
    QRadioButton* topButton() const { return top_; }
    QCheckBox* keepAspectBox() const { return keepAspect_; }
    QCheckBox* snapBox() const { return snap_; }

    // Asks for a picture file (empty when cancelled); by default the platform's file dialog.
    std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>
        chooseFile;
    // The folder a file dialog starts in when no image folder is remembered.
    QString programFolder;

    static QString fileFilter();

    // The buttons' actions.
    void openFile();
    void moveToBottomCentre();
    void resetFit();
    void deleteUnderlay();
    void reject() override; // "閉じる" and the close box

signals:
    void viewsChanged();

private:
    void setMode(bool top);

    DisplayState& state_;
    std::string& imageFolder_;
    QRadioButton* front_;
    QRadioButton* top_;
    QCheckBox* keepAspect_;
    QCheckBox* snap_;
};

} // namespace plicato
