// Start-up of the application.
#include "gui/main_window/card_app.h"

#include "gui/main_window/dave3v_doc.h"
#include "settings/command_line.h"

#include <QCoreApplication>

namespace plicato {

CCardApp::CCardApp() = default;
CCardApp::~CCardApp() = default;

bool CCardApp::initInstance(const QStringList& args, FrameOptions options) {
    profileStore = ProfileStore(profilePath(ProfileLocationInputs::fromEnvironment(
        QCoreApplication::applicationFilePath().toStdString())));
    profileStore.load(); // an unreadable profile is an empty one: every setting keeps its default
    recent.load(profileStore);

    frame = std::make_unique<CMainFrame>(profileStore, recent, options);
    if (!frame->create())
        return false;
    frame->document().onNewDocument();
    frame->show();
    frame->repaint();
    if (frame->autosave())
        frame->autosave()->offerRecovery();

    std::vector<std::string> parts;
    for (const QString& a : args)
        parts.push_back(a.toStdString());
    const std::string path = commandLinePath(parts);
    if (!args.isEmpty())
        frame->openModelByPath(QString::fromStdString(path));
    return true;
}

void CCardApp::openDocumentFile(const QString& path) {
    if (frame)
        frame->openModelByPath(path);
}

} // namespace plicato
