// Handlers of the grid-size, colour, card-size and text-shape commands: each runs its dialog and
// hands the values to the core.
#include "gui/main_window/settings_commands.h"

#include "gui/dialogs/card_size_dialog.h"
#include "gui/dialogs/color_settings_dialog.h"
#include "gui/dialogs/grid_size_dialog.h"
#include "gui/dialogs/text_shape_dialog.h"
#include "gui/dialogs/underlay_dialog.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/user_prompts.h"
#include "model/card_model.h"
#include "text/font_list.h"
#include "text/text_shapes.h"
#include "underlay/underlay_loader.h"
#include "view/color_table.h"
#include "view/display_state.h"
#include "view/text_shape_command.h"

#include <QCoreApplication>

namespace plicato {

namespace {

// The text dialog's choices, remembered for the run only.
TextShapeSettings& textSettings() {
    static TextShapeSettings settings;
    return settings;
}

void runGridSize(CMainFrame& frame) {
    CardModel* model = currentModel();
    if (!model)
        return;
    GridSizeDialog dialog(model->initGridSize, &frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    model->setGridSize(dialog.gridSize());
    frame.updateAllViews();
}

void runColors(CMainFrame& frame) {
    ColorSettingsDialog dialog(colorTable(), &frame);
    const bool ok = userPrompts().runDialog(dialog) == QDialog::Accepted;
    // Colours chosen stay in the table even when the window is closed; only OK repaints the
    // pictures' borders.
    if (ok)
        if (CardModel* model = currentModel()) {
            paintBorder(model->frontImage, unsigned(colorTable().get(ColorTable::VerticalPlane)));
            paintBorder(model->topImage, unsigned(colorTable().get(ColorTable::HorizontalPlane)));
        }
    frame.updateAllViews();
}

void runTextShape(CMainFrame& frame) {
    CardModel* model = currentModel();
    if (!model)
        return;
    TextShapeSettings& remembered = textSettings();
    TextShapeDialog dialog(trueTypeFamilies(), QString::fromStdString(remembered.faceName),
                           remembered.size, &frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted || dialog.text().isEmpty())
        return;
    remembered.faceName = dialog.faceName().toStdString();
    remembered.size = dialog.size();
    QWidget* screenWidget = frame.viewWidget() ? frame.viewWidget() : &frame;
    PromptMessageSink sink(&frame);
    const TextShapeRequest request{dialog.text().toStdString(), remembered.faceName,
                                   remembered.size, dialog.segmentLength()};
    runTextShapeCommand(*model, displayState(), request, screenWidget->logicalDpiY(), sink);
    frame.updateAllViews();
}

} // namespace

void bindSettingsCommands(CMainFrame& frame) {
    auto* cardSize = new CardSizeDialog(displayState(), &frame);
    cardSize->setObjectName(QStringLiteral("cardSizeDialog"));
    cardSize->hide();
    QObject::connect(cardSize, &CardSizeDialog::viewsChanged, &frame,
                     [&frame] { frame.updateAllViews(); });
    frame.setCommand(cmd::GridSizeSettings, [&frame] { runGridSize(frame); });
    frame.setCommand(cmd::ColorSettings, [&frame] { runColors(frame); });
    frame.setCommand(cmd::CardSize, [cardSize] {
        if (CardModel* model = currentModel())
            cardSize->showFor(*model);
    });
    frame.setCommand(cmd::TextShape, [&frame] { runTextShape(frame); });

    auto* underlay = new UnderlayDialog(displayState(), frame.settings().defaultImageDir, &frame);
    underlay->setObjectName(QStringLiteral("underlayDialog"));
    underlay->programFolder = QCoreApplication::applicationDirPath();
    underlay->chooseFile = [](QWidget* parent, const QString& folder, const QString& filter) {
        return userPrompts().openFileName(parent, folder, filter);
    };
    underlay->hide();
    QObject::connect(underlay, &UnderlayDialog::viewsChanged, &frame,
                     [&frame] { frame.updateAllViews(); });
    frame.setCommand(cmd::UnderlaySettings, [underlay] { underlay->showTool(); });
}

} // namespace plicato
