// The display-colour dialog's buttons, chooser and reset.
#include "gui/dialogs/color_settings_dialog.h"

#include "gui/dialogs/color_button.h"
#include "view/color_table.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace plicato {

ColorSettingsDialog::ColorSettingsDialog(ColorTable& table, QWidget* parent)
    : QDialog(parent), table_(table) {
    setWindowTitle(QCoreApplication::translate("PlicatoPRO", "表示色の設定"));
    // The platform's chooser, starting from black as the colour dialog always did.
    chooser_ = [](QWidget* p, int) -> std::optional<int> {
        const QColor c = QColorDialog::getColor(Qt::black, p);
        if (!c.isValid())
            return std::nullopt;
        return colorNumber(c.red(), c.green(), c.blue());
    };
    const struct {
        const char* label;
        int entry;
    } rows[4] = {{QT_TRANSLATE_NOOP("PlicatoPRO", "背景色(上方)"), ColorTable::BackgroundTop},
                 {QT_TRANSLATE_NOOP("PlicatoPRO", "背景色(下方)"), ColorTable::BackgroundBottom},
                 {QT_TRANSLATE_NOOP("PlicatoPRO", "水平面"), ColorTable::HorizontalPlane},
                 {QT_TRANSLATE_NOOP("PlicatoPRO", "垂直面"), ColorTable::VerticalPlane}};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* button = new CColorButton(this);
        button->setObjectName(QStringLiteral("color%1").arg(rows[i].entry));
        slots_[i] = {rows[i].entry, button};
        grid->addWidget(new QLabel(QCoreApplication::translate("PlicatoPRO", rows[i].label), this),
                        i, 0);
        grid->addWidget(button, i, 1);
        const int entry = rows[i].entry;
        connect(button, &QPushButton::clicked, this, [this, entry] { chooseColor(entry); });
    }
    reset_ = new QPushButton(QCoreApplication::translate("PlicatoPRO", "初期設定に戻す"), this);
    connect(reset_, &QPushButton::clicked, this, &ColorSettingsDialog::resetColors);
    // No Cancel: closing the window is the cancel, and colours chosen stay chosen.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(reset_);
    layout->addWidget(buttons);
    loadButtons();
}

CColorButton* ColorSettingsDialog::buttonFor(int entry) const {
    for (const Slot& s : slots_)
        if (s.entry == entry)
            return s.button;
    return nullptr;
}

void ColorSettingsDialog::loadButtons() {
    for (const Slot& s : slots_)
        s.button->setColor(table_.get(s.entry));
}

void ColorSettingsDialog::chooseColor(int entry) {
    CColorButton* button = buttonFor(entry);
    if (!button || !chooser_)
        return;
    const auto chosen = chooser_(this, 0);
    if (!chosen)
        return;
    button->setColor(*chosen);
    table_.set(entry, *chosen);
}

void ColorSettingsDialog::resetColors() {
    table_.resetToDefaults();
    loadButtons();
    update();
}

} // namespace plicato
