// The pattern commands: which dialogs they show, which writer they call and what a failure
// leaves behind (never a truncated or half-written pattern file).
#include "gui/main_window/pattern_commands.h"

#include "gui/dialogs/bmp_size_dialog.h"
#include "gui/dialogs/dialog_messages.h"
#include "gui/dialogs/line_select_dialog.h"
#include "gui/dialogs/print_settings_dialog.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/user_prompts.h"
#include "gui/output/pattern_printing.h"
#include "gui/output/plotter_hand_off.h"
#include "model/card_model.h"
#include "model/file_names.h"
#include "output/bitmap_file.h"
#include "output/dxf_writer.h"
#include "output/eps_writer.h"
#include "output/file_output.h"
#include "output/pdf_writer.h"
#include "output/svg_writer.h"
#include "pattern/pattern_builder.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace plicato {

namespace {

const char* const writeFailed = QT_TRANSLATE_NOOP("PlicatoPRO", "ファイルに書き込めません");

} // namespace

PatternCommands::PatternCommands(CMainFrame& frame)
    : QObject(&frame), frame(frame),
      pagePrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      handOff(new PlotterHandOff(this)) {
    setObjectName(QStringLiteral("patternCommands"));
    printerNameOf = [](const QPrinter& p) { return p.printerName(); };
    setDialogMessageHandler(
        [](QWidget* parent, const QString& text) { userPrompts().message(parent, text); });
    handOff->message = [this](const QString& text) { userPrompts().message(&this->frame, text); };
}

PatternCommands::~PatternCommands() {
    setDialogMessageHandler({});
}

QString PatternCommands::patternFilter() {
    return QCoreApplication::translate(
        "PlicatoPRO", "BMPファイル (*.bmp);;EPSファイル (*.eps);;SVGファイル (*.svg);;"
                      "PDFファイル (*.pdf);;DXFファイル (*.dxf)");
}

void PatternCommands::savePattern() {
    CardModel* model = currentModel();
    if (!model)
        return;
    QString folder = QString::fromStdString(frame.settings().defaultFileDir);
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    const QString modelPath = frame.document().modelPath();
    const QString preset = modelPath.isEmpty()
                               ? folder
                               : folder + QLatin1Char('/') +
                                     QString::fromStdString(fileTitle(modelPath.toStdString()));
    const QString path = userPrompts().saveFileName(&frame, preset, patternFilter());
    if (path.isEmpty())
        return;
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("emf"))
        return; // accepted, and nothing is written
    std::string why;
    if (ext == QLatin1String("bmp")) {
        BmpSizeDialog dialog(&frame);
        if (userPrompts().runDialog(dialog) != QDialog::Accepted)
            return;
        buildPattern(*model);
        const auto image = makePatternImage(*model, dialog.chosenWidth(), dialog.mirror());
        // The old file stays as it was unless the new one is written whole.
        if (!image || !writeBitmapFile(path.toStdString(), makeBitmapInfo(*image), *image, &why))
            userPrompts().message(&frame, QCoreApplication::translate("PlicatoPRO", writeFailed));
        return;
    }
    if (ext != QLatin1String("eps") && ext != QLatin1String("svg") && ext != QLatin1String("pdf") &&
        ext != QLatin1String("dxf")) {
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO", "ファイル形式が適切でありません"));
        return;
    }
    // The kinds are asked before anything touches the file, so Cancel leaves it as it was.
    LineSelectDialog dialog(&frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    buildPattern(*model);
    PatternLineList lines, chosen;
    collectPatternLines(*model, lines);
    const int filter = dialog.filter();
    for (const PatternLine& line : lines)
        if (line.kind < 0 || line.kind > 2 || (filter & (1 << line.kind)))
            chosen.push_back(line);
    std::string text;
    if (ext == QLatin1String("eps"))
        text = patternEpsText(lines, model->cardWidth, model->cardHeight, filter);
    else if (ext == QLatin1String("svg"))
        text = patternSvgText(chosen, model->cardWidth, model->cardHeight, FoldStyle::Dashed);
    else if (ext == QLatin1String("pdf"))
        text = patternPdfText(chosen, model->cardWidth, model->cardHeight, PaperSize::A4);
    else
        text = patternDxfText(chosen, model->cardWidth, model->cardHeight, filter);
    if (!writeFileReplacing(path.toStdString(), text, &why))
        userPrompts().message(
            &frame, ext == QLatin1String("eps")
                        ? QCoreApplication::translate("PlicatoPRO", "ファイルを開けません")
                        : QCoreApplication::translate("PlicatoPRO", writeFailed));
}

void PatternCommands::copyPattern() {
    CardModel* model = currentModel();
    if (!model)
        return;
    buildPattern(*model);
    BmpSizeDialog dialog(&frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    const auto image = makePatternImage(*model, dialog.chosenWidth(), dialog.mirror());
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO", "クリップボードを開けませんでした"));
        return;
    }
    clipboard->clear();
    // An old picture still there after emptying would be pasted in place of the new one.
    const QMimeData* left = clipboard->mimeData();
    if (left && left->hasImage()) {
        userPrompts().message(
            &frame, QCoreApplication::translate(
                        "PlicatoPRO", "既にあるクリップボード上のデータを削除できません"));
        return;
    }
    if (image)
        clipboard->setImage(toQImage(*image));
    if (!image || clipboard->image().isNull())
        userPrompts().message(
            &frame,
            QCoreApplication::translate("PlicatoPRO", "クリップボードにデータをセットできません"));
}

bool PatternCommands::showPrintSettings() {
    PrintSettingsDialog dialog(outputSettings(), &frame);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return false;
    outputSettings() = dialog.chosenSettings();
    return true;
}

bool PatternCommands::paintPage(QPrinter& target) {
    CardModel* model = currentModel();
    if (!model)
        return false;
    QPainter painter;
    if (!painter.begin(&target))
        return false;
    buildPattern(*model);
    drawPatternPage(painter, target, *model, outputSettings(), false);
    return painter.end();
}

void PatternCommands::print() {
    if (!showPrintSettings())
        return;
    pagePrinter->setFromTo(1, 1);
    QPrintDialog dialog(pagePrinter.get(), &frame);
    dialog.setMinMax(1, 1);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    if (!paintPage(*pagePrinter))
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO", "プリンターの初期化に失敗しました"));
}

void PatternCommands::printPreview() {
    if (!showPrintSettings())
        return;
    QPrintPreviewDialog dialog(pagePrinter.get(), &frame);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { paintPage(*target); });
    userPrompts().runDialog(dialog);
}

void PatternCommands::printSetup() {
    QPageSetupDialog dialog(pagePrinter.get(), &frame);
    userPrompts().runDialog(dialog);
}

void PatternCommands::cutPattern() {
    if (!showPrintSettings())
        return;
    // The plotter's printer: asked until it is the Craft ROBO or the user cancels.
    for (;;) {
        auto chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (plotterPrinter) {
            chosen->setPrinterName(plotterPrinter->printerName());
            chosen->setPageLayout(plotterPrinter->pageLayout());
            chosen->setOutputFileName(plotterPrinter->outputFileName());
        }
        QPrintDialog dialog(chosen.get(), &frame);
        dialog.setWindowTitle(QCoreApplication::translate("PlicatoPRO", "プリンタの設定"));
        dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
        if (userPrompts().runDialog(dialog) != QDialog::Accepted)
            return;
        plotterPrinter = std::move(chosen);
        if (isCraftRoboPrinter(printerNameOf(*plotterPrinter).toStdString()))
            break;
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO", "Craft ROBO を選択してください"));
    }
    const auto program = plotterControllerPath();
    if (!program) {
        userPrompts().message(
            &frame, QCoreApplication::translate(
                        "PlicatoPRO", "Craft ROBO コントローラーのインストール情報がありません"));
        return;
    }
    const bool portrait = plotterPrinter->pageLayout().orientation() == QPageLayout::Portrait;
    const QString commandLine =
        QString::fromStdString(plotterCommandLine(portrait, (long long)frame.winId()));
    auto jobPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    jobPrinter->setPrinterName(plotterPrinter->printerName());
    jobPrinter->setPageLayout(plotterPrinter->pageLayout());
    jobPrinter->setOutputFileName(plotterPrinter->outputFileName());
    if (handOff->isRunning()) {
        handOff->setPrinter(std::move(jobPrinter));
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO",
                                                "すでにCraft ROBO コントローラーが起動しています"));
        return;
    }
    handOff->start(*program, commandLine, std::move(jobPrinter));
}

} // namespace plicato
