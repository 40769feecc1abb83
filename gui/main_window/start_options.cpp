// The command-line options and Qt's translations, set up before the window exists.
#include "gui/main_window/start_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plicato {

void describeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QCoreApplication::translate("PlicatoPRO", "ポップアップカードの設計と展開図の作成"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("design"),
        QCoreApplication::translate("PlicatoPRO", "開くデザインのファイル (.plq)"),
        QStringLiteral("[design.plq]"));
}

StartRequest startRequest(QCommandLineParser& parser, const QStringList& arguments) {
    // A word the parser does not know ("-x", a file name starting with a dash) is left to the
    // path rule rather than refused.
    if (!parser.parse(arguments))
        return StartRequest::Run;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return StartRequest::ShowHelp;
    if (parser.isSet(QStringLiteral("version")))
        return StartRequest::ShowVersion;
    return StartRequest::Run;
}

QTranslator* installQtTranslations(QCoreApplication& application, const QLocale& language) {
    auto* translator = new QTranslator(&application);
    // "qt" is the catalogue that pulls in qtbase and the other Qt modules' texts.
    if (!translator->load(language, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace plicato
