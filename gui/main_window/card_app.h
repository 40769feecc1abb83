// The application object: start-up in order (profile, recent files, window, untitled design,
// the file named on the command line) and opening files by path.
#pragma once

#include "gui/main_window/main_frame.h"
#include "settings/profile_store.h"
#include "settings/recent_file_list.h"

#include <QStringList>

#include <memory>

namespace plicato {

class CCardApp {
public:
    CCardApp();
    ~CCardApp();
    CCardApp(const CCardApp&) = delete;
    CCardApp& operator=(const CCardApp&) = delete;

    // `args` are the command-line arguments after the program name. False ends the program.
    bool initInstance(const QStringList& args, FrameOptions options = {});

    CMainFrame* mainFrame() const { return frame.get(); }
    ProfileStore& profile() { return profileStore; }
    RecentFileList& recentFiles() { return recent; }

    // Every request to open a file by path ends here.
    void openDocumentFile(const QString& path);

private:
    ProfileStore profileStore;
    RecentFileList recent{4};
    std::unique_ptr<CMainFrame> frame;
};

} // namespace plicato
