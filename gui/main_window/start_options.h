// What the command line asks before it names a design: the usual --help and --version, and the
// Qt translations that make the standard dialogs speak the program's language.
#pragma once

#include <QLocale>
#include <QStringList>

class QCommandLineParser;
class QCoreApplication;
class QTranslator;

namespace plicato {

enum class StartRequest { Run, ShowHelp, ShowVersion };

// Declares the options and the design argument for `--help`.
void describeCommandLine(QCommandLineParser& parser);
// `arguments` include the program name. Anything that is not a well-formed request for help or
// the version runs the program, and the words after the program name name the design.
StartRequest startRequest(QCommandLineParser& parser, const QStringList& arguments);

// Loads Qt's own translations (buttons, file dialogs, colour chooser) for `language` into the
// application. Null when none are installed for it: the standard texts then stay English.
QTranslator* installQtTranslations(QCoreApplication& application, const QLocale& language);

} // namespace plicato
