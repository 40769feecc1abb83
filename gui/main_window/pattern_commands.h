// The pattern commands of the main window: save pattern, copy pattern, print, print preview,
// printer set-up and the cut on the plotter.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace plicato {

class CMainFrame;
class PlotterHandOff;

class PatternCommands : public QObject {
    Q_OBJECT
public:
    explicit PatternCommands(CMainFrame& frame);
    ~PatternCommands() override;

    void savePattern();
    void copyPattern();
    void print();
    void printPreview();
    void printSetup();
    void cutPattern();

    // The print settings dialog over the process-wide output settings; false on Cancel.
    bool showPrintSettings();

    // The printer of printing and preview, kept for the run so its set-up is offered again.
    QPrinter& printer() { return *pagePrinter; }
    PlotterHandOff& plotter() { return *handOff; }
    // The chosen printer's name; a seam for machines that have no plotter's printer installed.
    std::function<QString(const QPrinter&)> printerNameOf;

    // The save-pattern dialog's filter.
    static QString patternFilter();

private:
    bool paintPage(QPrinter& target);

    CMainFrame& frame;
    std::unique_ptr<QPrinter> pagePrinter;
    std::unique_ptr<QPrinter> plotterPrinter; // the plotter's set-up, offered again next time
    PlotterHandOff* handOff = nullptr;
};

} // namespace plicato
