// Mode and display commands, undo and redo through the view, and the scale command.
#include "gui/main_window/design_commands.h"

#include "editing/editing.h"
#include "gui/dialogs/scale_faces_dialog.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/user_prompts.h"
#include "gui/view/dave3v_view.h"
#include "model_file/model_file_reader.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>

namespace plicato {

void bindDesignCommands(CMainFrame& frame, CDave3vView* view) {
    using namespace cmd;
    frame.setCommand(
        ScaleFaces, [&frame] { scaleSelectedFaces(frame); },
        [] { return currentModel() && canScale(*currentModel()); });
    if (QAction* redo = frame.action(Redo))
        redo->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    frame.setCommand(
        Redo,
        [&frame, view] {
            if (view)
                view->onRedo();
            else if (CardModel* m = currentModel())
                redo(*m);
            frame.updateAllViews();
        },
        [] { return currentModel() && canRedo(*currentModel()); });
    if (!view)
        return;
    CDave3vView* v = view;
    const std::pair<int, EditMode> modes[] = {
        {PolygonFace, EditMode::PolygonFace},
        {Rectangle3, EditMode::Rectangle3},
        {CutOut, EditMode::CutOut},
        {FaceOperation, EditMode::FaceOperation},
        {OutlineEdit, EditMode::OutlineEdit},
        {Subdivide, EditMode::Subdivide},
        {UnderlayFront, EditMode::UnderlayFront},
        {UnderlayTop, EditMode::UnderlayTop},
    };
    for (const auto& [id, mode] : modes) {
        const EditMode m = mode;
        std::function<bool()> enabled;
        if (m == EditMode::UnderlayFront)
            enabled = [] { return currentModel() && currentModel()->frontImage.isPresent(); };
        else if (m == EditMode::UnderlayTop)
            enabled = [] { return currentModel() && currentModel()->topImage.isPresent(); };
        frame.setCommand(
            id,
            [&frame, v, m] {
                v->onEditMode(m);
                frame.updateAllViews();
            },
            enabled, [v, m] { return v->isEditMode(m); });
    }
    frame.setCommand(
        InputDisplay,
        [&frame, v] {
            v->onInputDisplay();
            frame.updateAllViews();
        },
        {}, [v] { return v->isInputDisplay(); });
    frame.setCommand(
        PopupDisplay,
        [&frame, v] {
            v->onPopupDisplay();
            frame.updateAllViews();
        },
        {}, [v] { return !v->isInputDisplay(); });
    frame.setCommand(
        MirrorEdit,
        [&frame, v] {
            v->onMirrorEdit();
            frame.updateAllViews();
        },
        [v] { return !v->isEditMode(EditMode::FaceOperation); }, [v] { return v->isMirrorEdit(); });
    frame.setCommand(
        ShowUnderlay,
        [&frame, v] {
            v->onShowUnderlay();
            frame.updateAllViews();
        },
        [] {
            const CardModel* m = currentModel();
            return m && (m->frontImage.isPresent() || m->topImage.isPresent());
        },
        [v] { return v->isUnderlayShown(); });
    frame.setCommand(
        AntiAlias,
        [&frame, v] {
            v->onAntiAlias();
            frame.updateAllViews();
        },
        {}, [v] { return v->isAntiAlias(); });

    frame.setCommand(
        Undo,
        [&frame, v] {
            v->onUndo();
            frame.updateAllViews();
        },
        [] { return currentModel() && canUndo(*currentModel()); });
}

bool scaleSelectedFaces(CMainFrame& frame) {
    CardModel* model = currentModel();
    if (!model || model->selectedFaces.empty())
        return false;
    ScaleFacesDialog dialog(&frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return false;
    const double factor = dialog.percent() * 0.01;
    // Two large scalings would otherwise make a design that can no longer be saved.
    if (!scaleStaysWithin(*model, factor, maxModelCoordinate)) {
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO",
                                                "この拡大率では面が大きくなりすぎて保存で"
                                                "きなくなります。拡大率を小さくしてください。"));
        return false;
    }
    scaleSelection(*model, factor);
    frame.updateAllViews();
    return true;
}

QString idleHintFor(EditMode mode) {
    switch (mode) {
    case EditMode::FaceOperation:
        return QCoreApplication::translate(
            "PlicatoPRO", "左ｸﾘｯｸ:面選択 | Shift:追加選択 | 左ﾄﾞﾗｯｸﾞ:範囲選択 | 矢印ﾄﾞﾗｯｸﾞ:移動 | "
                          "←→↑↓ PageUp/Down:移動 | Delete:削除");
    case EditMode::OutlineEdit:
        return QCoreApplication::translate(
            "PlicatoPRO", "頂点を左ﾄﾞﾗｯｸﾞ:移動 | Ctrl+左ﾄﾞﾗｯｸﾞ:頂点の追加 | 右ﾄﾞﾗｯｸﾞ:回転 | "
                          "ﾎｲｰﾙ:ｽﾞｰﾑ");
    case EditMode::Subdivide:
        return QCoreApplication::translate("PlicatoPRO",
                                           "同じ面の頂点を2つ左ｸﾘｯｸ:間を細分割 | 右ｸﾘｯｸ:選び直し | "
                                           "右ﾄﾞﾗｯｸﾞ:回転 | ﾎｲｰﾙ:ｽﾞｰﾑ");
    default:
        return QString();
    }
}

} // namespace plicato
