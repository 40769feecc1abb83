// The display-colour dialog: four colour buttons bound to entries of the colour table, written
// at once when chosen, and a reset to the sixteen factory colours.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QPushButton;

namespace plicato {

class CColorButton;
class ColorTable;

class ColorSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Picks a colour starting from `initial` (a colour number); nothing when cancelled.
    using ColorChooser = std::function<std::optional<int>(QWidget* parent, int initial)>;

    ColorSettingsDialog(ColorTable& table, QWidget* parent = nullptr);

    // The button for table entry 12, 13, 1 or 0; nullptr for others.
    CColorButton* buttonFor(int entry) const;
    QPushButton* resetButton() const { return reset_; }
    void setColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

    // Clicking a colour button.
    void chooseColor(int entry);
    // "初期設定に戻す".
    void resetColors();

private:
    void loadButtons();

    ColorTable& table_;
    struct Slot {
        int entry;
        CColorButton* button;
    };
    Slot slots_[4];
    QPushButton* reset_;
    ColorChooser chooser_;
};

} // namespace plicato
