// ScaleFacesDialog: "選択面の拡大縮小", the percentage by which the selected faces are scaled.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace plicato {

class ScaleFacesDialog : public QDialog {
    Q_OBJECT
public:
    // Starts at 100 %. OK is enabled while the box holds a whole number.
    explicit ScaleFacesDialog(QWidget* parent = nullptr);

    // The entered percentage (meaningful once accepted).
    int percent() const;
    QLineEdit* percentEdit() const { return edit; }
    QPushButton* okButton() const { return ok; }

private:
    void updateOk();
    QLineEdit* edit;
    QPushButton* ok;
};

} // namespace plicato
