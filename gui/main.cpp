// PlicatoPRO: the program's entry point.
#include "gui/main_window/card_app.h"
#include "gui/main_window/start_options.h"
#include "gui/main_window/ui_language.h"
#include "settings/profile_store.h"
#include "settings/recovery_store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSurfaceFormat>

namespace {

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("PlicatoPRO"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.1.1"));
}

// The language the profile's choice and the locale ask for (an application object exists).
QString interfaceLanguage() {
    plicato::ProfileStore profile(
        plicato::profilePath(plicato::ProfileLocationInputs::fromEnvironment(
            QCoreApplication::applicationFilePath().toStdString())));
    profile.load();
    return plicato::chosenUiLanguage(profile);
}

// --help and --version are answered without a window, so they work on a terminal that has no
// display; the program ends here when one of them was asked.
void answerInformationRequests(int argc, char** argv) {
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser probe;
    plicato::describeCommandLine(probe);
    if (plicato::startRequest(probe, words) == plicato::StartRequest::Run)
        return;
    QCoreApplication core(argc, argv);
    nameTheProgram();
    // The option descriptions speak the interface's language.
    plicato::installUiLanguage(core, interfaceLanguage());
    QCommandLineParser parser;
    plicato::describeCommandLine(parser);
    if (plicato::startRequest(parser, QCoreApplication::arguments()) ==
        plicato::StartRequest::ShowVersion)
        parser.showVersion(); // prints and ends the program
    parser.showHelp(0);
}

} // namespace

int main(int argc, char** argv) {
    answerInformationRequests(argc, argv);

    // The view draws with the fixed-function pipeline.
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication application(argc, argv);
    nameTheProgram();
    QApplication::setDesktopFileName(QStringLiteral("plicatopro"));
    // Japanese (the texts as written) under a Japanese locale, English under any other, unless
    // the Language entry of the Settings menu chose; Qt's own dialogs follow.
    plicato::installUiLanguage(application, interfaceLanguage());

    QStringList args = QApplication::arguments();
    args.removeFirst();
    plicato::CCardApp app;
    plicato::FrameOptions options;
    options.recoveryFolder =
        plicato::recoveryFolder(plicato::RecoveryLocationInputs::fromEnvironment());
    if (!app.initInstance(args, options))
        return 1;
    return application.exec();
}
