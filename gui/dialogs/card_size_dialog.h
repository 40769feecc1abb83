// The modeless card-size dialog: width and height lists of 5..20 cm, a live preview of the new
// size in the view while it is shown, the shrink question and the resize on OK.
#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;

namespace plicato {

class CardModel;
struct DisplayState;

class CardSizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CardSizeDialog(DisplayState& state, QWidget* parent = nullptr);

    // The card-size command: selections from the model's size, preview on, shown.
    void showFor(const CardModel& model);

    QComboBox* widthList() const { return width_; }
    QComboBox* heightList() const { return height_; }
    QPushButton* okButton() const { return ok_; }
    // Asked before the card gets smaller; true for Yes. By default a Yes/No message box.
    std::function<bool(QWidget* parent, const QString& text)> askShrink;

    // The shrink question's text.
    static QString shrinkQuestion();

    void accept() override;
    void reject() override;

signals:
    // The preview or the card changed: every view should redraw.
    void viewsChanged();

private:
    void previewSelection();
    void endPreview();

    DisplayState& state_;
    QComboBox* width_;
    QComboBox* height_;
    QPushButton* ok_;
};

} // namespace plicato
