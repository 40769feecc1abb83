// The main window: menus, toolbar and status bar built from one command table, the settings
// kept in the profile, the window placement, and opening designs by path.
#pragma once

#include "gui/main_window/autosave.h"
#include "settings/app_settings.h"
#include "settings/profile_store.h"
#include "settings/recent_file_list.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace plicato {

class CDave3vDoc;
class CDave3vView;
class CCheckDock;

struct FrameOptions {
    // FrameOptions{false}: a window without its view, everything else as the program has it.
    FrameOptions(bool createView = true) : createView(createView) {} // NOLINT: brace form
    // The OpenGL view; tests that run without a GL-capable display leave it out.
    bool createView = true;
    // Where recovery copies of unsaved designs go; empty: no autosave.
    std::string recoveryFolder;
    AutosaveTiming autosaveTiming;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(ProfileStore& profile, RecentFileList& recent, FrameOptions options = {});
    ~CMainFrame() override;

    // Builds toolbar, status bar, placement, the first card and the settings. False when a
    // part of the window cannot be made.
    bool create();

    CDave3vDoc& document() { return *doc; }
    AppSettings& settings() { return appSettings; }
    QToolBar* toolBar() const { return tools; }
    QLabel* messagePane() const { return pane0; }
    QLabel* indicatorPane() const { return pane1; }
    QWidget* viewWidget() const { return view; }
    CDave3vView* dave3vView() const { return glView; }
    // The autosave, when a recovery folder was given and could be used.
    CAutosave* autosave() const { return autosaver; }
    // The findings list of the design check (null without the GL view).
    CCheckDock* designCheckDock() const { return checkDock; }

    // The action of a command id, or nullptr.
    QAction* action(int id) const;
    // Gives command `id` its behaviour: the handler, and optionally when it is enabled and when
    // its menu item and button show a check mark. A command without a handler stays disabled.
    void setCommand(int id, std::function<void()> handler, std::function<bool()> enabled = {},
                    std::function<bool()> checked = {});
    // Runs a command as if chosen from the menu; false when it is disabled or unknown.
    bool runCommand(int id);
    // Refreshes the enable and check state of every command, the title mark and the status.
    void updateCommandStates();

    // Opens a design given its full path (command line, recent files, dropped files).
    void openModelByPath(const QString& path);
    void addRecentFile(const QString& path);
    void updateAllViews();

    // Pane 1 of the idle status: card width, card height and grid of the current model.
    QString idleIndicatorText() const;
    // Pane 0 of the idle status: the mouse and key hint, naming drawing and the mirror plane
    // only while their commands have behaviour.
    static QString idleHintText(bool drawing = true, bool mirror = true);

    // The placement read at creation, when there was one.
    bool hasRestoredPlacement() const { return placementRestored; }
    const WindowPlacement& restoredPlacement() const { return placement; }
    // The window's placement as it would be written now.
    WindowPlacement currentPlacement() const;

    // Shows a help page in the desktop's browser; when that fails, the help message naming the
    // page's full path.
    void openHelp(const QString& file);

    // Writes settings, placement, toolbar state and the recent list to the profile file.
    void saveProfile();

    // Address of the product's home page ("homePage" of "Settings" in the profile); the
    // command is disabled while none is configured.
    QString homePage() const { return homePageUrl; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createView();
    void bindCommands();
    void bindDesignCheck();
    void rebuildRecentMenu();
    void refreshTitle();
    void updateIdleStatus();
    void onNew();
    void onHelp();
    void onHomePage();
    void onAbout();
    void openRecent(int index);
    void restoreOpeningWindowPlace();

    ProfileStore& profile;
    RecentFileList& recent;
    FrameOptions options;
    CDave3vDoc* doc = nullptr;
    AppSettings appSettings;
    QString homePageUrl;
    QToolBar* tools = nullptr;
    QLabel* pane0 = nullptr;
    QLabel* pane1 = nullptr;
    QWidget* view = nullptr;
    CDave3vView* glView = nullptr; // the view when it was made
    CCheckDock* checkDock = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* recentAnchor = nullptr;
    QTimer* idleTimer = nullptr;
    CAutosave* autosaver = nullptr;
    std::map<int, QAction*> actions;
    std::map<int, std::function<void()>> handlers;
    std::map<int, std::function<bool()>> enabledWhen;
    std::map<int, std::function<bool()>> checkedWhen;
    WindowPlacement placement;
    bool placementRestored = false;
};

} // namespace plicato
