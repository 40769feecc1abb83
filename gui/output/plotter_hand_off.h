// The hand-off to the cutting plotter's controller: where it is installed (the registry stand-in),
// its process watched by a 500 ms timer, and the one-page cut-mode job when it asks for the cut.
#pragma once

#include "output/print_layout.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace plicato {

// The controller's program from the "EXENAME" value of the registry stand-in: the INI file
// named by PLICATO_REGISTRY, else the system-wide one. Nothing when the file, the section or the
// value is missing or empty.
std::optional<QString> plotterControllerPath();

class PlotterHandOff : public QObject {
    Q_OBJECT
public:
    explicit PlotterHandOff(QObject* parent = nullptr);
    ~PlotterHandOff() override;

    // Whether a controller started by us has not yet been seen to end.
    bool isRunning() const { return process != nullptr; }
    // Starts `program` with the switches of `commandLine` and the timer. The printer (owned from
    // now on) receives the job if the controller ends asking for the cut.
    void start(const QString& program, const QString& commandLine,
               std::unique_ptr<QPrinter> jobPrinter);
    // Replaces the printer of the pending job (a new printer chosen while the controller runs).
    void setPrinter(std::unique_ptr<QPrinter> jobPrinter);
    // The job on the printer with the current model and output settings; false (after the
    // message) when the printer cannot be started.
    bool runPlotterJob();

    QTimer& timer() { return watch; }

    // What the user is told; tests collect the texts.
    std::function<void(const QString&)> message;

signals:
    // The controller ended (or could not start); `printed` says whether the job went out.
    void handOffEnded(int exitCode, bool printed);

private:
    void tick();
    void endHandOff(int exitCode, bool cut);

    QProcess* process = nullptr;
    QTimer watch;
    std::unique_ptr<QPrinter> printer;
};

} // namespace plicato
