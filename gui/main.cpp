// PlicatoPRO: the program's entry point.
#include "gui/main_window/card_app.h"
#include "gui/main_window/start_options.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // The view draws with the fixed-function pipeline.
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PlicatoPRO"));
    QApplication::setApplicationVersion(QStringLiteral("3.1.1"));
    QApplication::setDesktopFileName(QStringLiteral("plicatopro"));
    // The program's own texts are Japanese; Qt's buttons and dialogs follow them.
    plicato::installQtTranslations(application, QLocale(QLocale::Japanese, QLocale::Japan));

    QCommandLineParser parser;
    plicato::describeCommandLine(parser);
    switch (plicato::startRequest(parser, QApplication::arguments())) {
    case plicato::StartRequest::ShowHelp:
        parser.showHelp(0); // prints and ends the program
    case plicato::StartRequest::ShowVersion:
        parser.showVersion();
    case plicato::StartRequest::Run:
        break;
    }

    QStringList args = QApplication::arguments();
    args.removeFirst();
    plicato::CCardApp app;
    if (!app.initInstance(args))
        return 1;
    return application.exec();
}
