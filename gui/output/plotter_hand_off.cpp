// Starting and watching the plotter controller, and printing the cut-mode job.
#include "gui/output/plotter_hand_off.h"

#include "gui/output/pattern_printing.h"
#include "model/card_model.h"
#include "pattern/pattern_builder.h"
#include "settings/profile_store.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

namespace plicato {

std::optional<QString> plotterControllerPath() {
    const QByteArray env = qgetenv("PLICATO_REGISTRY");
    ProfileStore registry(env.isEmpty() ? std::string(plotterRegistryDefaultPath)
                                        : env.toStdString());
    if (!registry.load())
        return std::nullopt;
    const auto value = registry.getString(plotterRegistrySection, plotterRegistryKey);
    if (!value || value->empty())
        return std::nullopt;
    return QString::fromStdString(*value);
}

PlotterHandOff::PlotterHandOff(QObject* parent) : QObject(parent) {
    watch.setInterval(500);
    connect(&watch, &QTimer::timeout, this, &PlotterHandOff::tick);
}

PlotterHandOff::~PlotterHandOff() {
    if (process)
        process->disconnect(this); // no reports into a half-destroyed hand-off
}

void PlotterHandOff::start(const QString& program, const QString& commandLine,
                           std::unique_ptr<QPrinter> jobPrinter) {
    printer = std::move(jobPrinter);
    process = new QProcess(this);
    process->setProgram(program);
    process->setArguments(commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // A controller that cannot be started is told at once instead of waited for.
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || !process)
            return;
        if (message)
            message(QCoreApplication::translate("PlicatoPRO",
                                                "Craft ROBO コントローラーを起動できません"));
        endHandOff(-1, false);
    });
    process->start();
    if (process)
        watch.start();
}

void PlotterHandOff::setPrinter(std::unique_ptr<QPrinter> jobPrinter) {
    printer = std::move(jobPrinter);
}

void PlotterHandOff::tick() {
    if (!process || process->state() != QProcess::NotRunning)
        return;
    const bool normal = process->exitStatus() == QProcess::NormalExit;
    endHandOff(normal ? process->exitCode() : -1, normal && process->exitCode() == plotterCutNow);
}

void PlotterHandOff::endHandOff(int exitCode, bool cut) {
    watch.stop();
    if (process) {
        process->disconnect(this);
        process->deleteLater();
        process = nullptr;
    }
    const bool printed = cut && runPlotterJob();
    printer.reset(); // the printer is forgotten after the job, or when there is none
    emit handOffEnded(exitCode, printed);
}

bool PlotterHandOff::runPlotterJob() {
    CardModel* model = currentModel();
    if (!printer || !model)
        return false;
    printer->setDocName(QStringLiteral("Craft ROBO Plicato"));
    printer->setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(printer.get())) {
        if (message)
            message(QCoreApplication::translate("PlicatoPRO", "プリンターの初期化に失敗しました"));
        return false;
    }
    buildPattern(*model);
    drawPatternPage(painter, *printer, *model, outputSettings(), true);
    return painter.end();
}

} // namespace plicato
