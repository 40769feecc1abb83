// The main window's construction, commands, status bar, settings and close steps.
#include "gui/main_window/main_frame.h"

#include "editing/editing.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/new_card_dialog.h"
#include "gui/dialogs/screen_fit.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/command_table.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/design_commands.h"
#include "gui/main_window/pattern_commands.h"
#include "gui/main_window/settings_commands.h"
#include "gui/main_window/ui_language.h"
#include "gui/main_window/user_prompts.h"
#include "gui/view/card_opening_dialog.h"
#include "gui/view/check_dock.h"
#include "gui/view/dave3v_view.h"
#include "model/card_model.h"
#include "model/file_names.h"
#include "popup/new_card.h"
#include "view/color_table.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <memory>

// Resources of a static library are registered by hand, and only outside any namespace.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace plicato {

namespace {

constexpr char toolBarStateSection[] = "ControlBars\\State";
constexpr int recentCount = 4;
// Where the user left the card-opening window, "x:y" in screen pixels.
constexpr char openingWindowKey[] = "openingWindowPos";

} // namespace

CMainFrame::CMainFrame(ProfileStore& profile, RecentFileList& recent, FrameOptions options)
    : profile(profile), recent(recent), options(options) {
    initAppResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/plicatopro.svg")));
    doc = new CDave3vDoc(*this);
    connect(doc, &CDave3vDoc::titleChanged, this, &CMainFrame::refreshTitle);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::create() {
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createView();
    if (!tools || !pane0 || !pane1)
        return false;

    if (readPlacement(profile, placement)) {
        placementRestored = true;
        // The show command is the start-up one (a normal window); the rectangle is restored.
        const int w = placement.right - placement.left;
        const int h = placement.bottom - placement.top;
        // A monitor unplugged since then would leave the window where no one sees it.
        if (w > 0 && h > 0)
            setGeometry(
                placeOnScreens(QRect(placement.left, placement.top, w, h), availableScreenAreas()));
    } else {
        resize(1024, 720);
    }
    if (auto state = profile.getString(toolBarStateSection, "State"))
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    setAcceptDrops(true);

    setCurrentModel(makeNewCard(80, 80));
    ColorNumbers colors{};
    for (int i = 0; i < ColorTable::size; ++i)
        colors[std::size_t(i)] = colorTable().get(i);
    loadSettings(profile, appSettings, colors);
    for (int i = 0; i < ColorTable::size; ++i)
        colorTable().set(i, colors[std::size_t(i)]);
    homePageUrl = QStringLiteral(PLICATO_HOME_PAGE);
    if (auto url = profile.getString(settingsSection, "homePage"))
        homePageUrl = QString::fromStdString(*url);

    bindCommands();
    bindSettingsCommands(*this);
    rebuildRecentMenu();
    restoreOpeningWindowPlace();

    idleTimer = new QTimer(this);
    connect(idleTimer, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    idleTimer->start(300);
    if (!options.recoveryFolder.empty()) {
        autosaver = new CAutosave(*this, options.recoveryFolder, options.autosaveTiming);
        if (!autosaver->active()) {
            delete autosaver;
            autosaver = nullptr;
        }
    }
    updateCommandStates();
    return true;
}

void CMainFrame::createActions() {
    for (const CommandInfo& c : commandTable()) {
        auto* a = new QAction(QCoreApplication::translate("PlicatoPRO", c.text), this);
        a->setData(c.id);
        a->setObjectName(QStringLiteral("cmd%1").arg(c.id));
        if (c.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        if (c.icon)
            a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(c.icon))));
        a->setStatusTip(QCoreApplication::translate("PlicatoPRO", c.prompt));
        a->setToolTip(QCoreApplication::translate("PlicatoPRO", c.text)
                          .remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$"))));
        a->setCheckable(c.checkable);
        a->setEnabled(false);
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions[id] = a;
    }
    actions[cmd::Undo]->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))});
    for (int i = 0; i < recentCount; ++i) {
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("cmd%1").arg(cmd::RecentFile1 + i));
        a->setStatusTip(QCoreApplication::translate("PlicatoPRO", "このデザインを開きます"));
        connect(a, &QAction::triggered, this, [this, i] { openRecent(i); });
        actions[cmd::RecentFile1 + i] = a;
    }
}

void CMainFrame::createMenus() {
    auto fill = [this](auto&& self, QMenu* menu, std::span<const MenuEntry> entries) -> void {
        for (const MenuEntry& e : entries) {
            if (e.submenuTitle) {
                QString title = QCoreApplication::translate("PlicatoPRO", e.submenuTitle);
                // The key that walks through a submenu's items is named after its title.
                title.replace(QLatin1Char('\t'), QStringLiteral("  "));
                self(self, menu->addMenu(title), e.submenu);
            } else if (e.id == 0) {
                menu->addSeparator();
            } else if (e.id == cmd::RecentFile1) {
                for (int i = 0; i < recentCount; ++i)
                    menu->addAction(actions[cmd::RecentFile1 + i]);
                recentAnchor = actions[cmd::RecentFile1];
            } else {
                menu->addAction(actions.at(e.id));
            }
        }
    };
    for (const MenuInfo& m : menuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QCoreApplication::translate("PlicatoPRO", m.title));
        if (m.entries.data() == menuBarLayout()[0].entries.data())
            fileMenu = menu;
        fill(fill, menu, m.entries);
        if (std::string_view(m.title) == "設定(&C)") // notr: the table's own text
            addLanguageMenu(menu, profile, this);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    }
}

void CMainFrame::createToolBar() {
    tools = new QToolBar(QCoreApplication::translate("PlicatoPRO", "ツール バー"), this);
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setIconSize(QSize(16, 16));
    tools->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : toolBarLayout()) {
        if (id == 0)
            tools->addSeparator();
        else
            tools->addAction(actions.at(id));
    }
    addToolBar(Qt::TopToolBarArea, tools);
    setDockOptions(dockOptions() | QMainWindow::AllowNestedDocks);
}

void CMainFrame::createStatusBar() {
    pane0 = new QLabel(idleHintText(), this);
    pane0->setObjectName(QStringLiteral("messagePane"));
    pane1 = new QLabel(this);
    pane1->setObjectName(QStringLiteral("indicatorPane"));
    pane1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pane1->setMinimumWidth(
        pane1->fontMetrics().horizontalAdvance(QStringLiteral("w0000 h0000 grid00.00")) + 12);
    statusBar()->addWidget(pane0, 1);
    statusBar()->addPermanentWidget(pane1);
}

void CMainFrame::createView() {
    if (options.createView) {
        glView = new CDave3vView(this);
        view = glView;
        connect(glView, &CDave3vView::statusRefreshRequested, this,
                &CMainFrame::updateCommandStates);
        glView->setFocus(); // arrows, Space and Esc go to the view from the start
    } else {
        view = new QWidget(this); // the window without its GL view, for tests off screen
    }
    view->setObjectName(QStringLiteral("viewArea"));
    view->setMinimumSize(200, 150);
    setCentralWidget(view);
}

void CMainFrame::bindCommands() {
    using namespace cmd;
    handlers[FileNew] = [this] { onNew(); };
    handlers[FileOpen] = [this] { doc->open(); };
    handlers[FileSave] = [this] { doc->save(); };
    handlers[FileSaveAs] = [this] { doc->saveAs(); };
    handlers[AppExit] = [this] { close(); };
    handlers[AppAbout] = [this] { onAbout(); };
    handlers[Help] = [this] { onHelp(); };
    handlers[HomePage] = [this] { onHomePage(); };
    enabledWhen[HomePage] = [this] { return !homePageUrl.isEmpty(); };
    handlers[ViewToolbar] = [this] { tools->setVisible(!tools->isVisible()); };
    checkedWhen[ViewToolbar] = [this] { return !tools->isHidden(); };
    handlers[ViewStatusBar] = [this] { statusBar()->setVisible(!statusBar()->isVisible()); };
    checkedWhen[ViewStatusBar] = [this] { return !statusBar()->isHidden(); };
    // The Edit menu's operations on the current model; the view shows the result.
    auto onModel = [this](void (*op)(CardModel&)) {
        return [this, op] {
            if (CardModel* m = currentModel()) {
                op(*m);
                updateAllViews();
            }
        };
    };
    auto when = [](bool (*test)(const CardModel&)) {
        return [test] { return currentModel() && test(*currentModel()); };
    };
    handlers[Undo] = onModel(&undo);
    enabledWhen[Undo] = when(&canUndo);
    handlers[CopyFaces] = onModel(&copySelection);
    enabledWhen[CopyFaces] = when(&canCopy);
    handlers[CutFaces] = onModel(&cutSelection);
    enabledWhen[CutFaces] = when(&canCut);
    handlers[PasteFaces] = onModel(&paste);
    enabledWhen[PasteFaces] = when(&canPaste);
    handlers[DeleteFaces] = onModel(&deleteSelection);
    enabledWhen[DeleteFaces] = when(&canDelete);
    const std::pair<int, ReorderKind> order[] = {{ToTop, ReorderKind::Top},
                                                 {UpOne, ReorderKind::UpOne},
                                                 {DownOne, ReorderKind::DownOne},
                                                 {ToBottom, ReorderKind::Bottom}};
    for (const auto& entry : order) {
        const ReorderKind kind = entry.second;
        const int id = entry.first;
        handlers[id] = [this, kind] {
            if (CardModel* m = currentModel()) {
                reorderSelection(*m, kind);
                updateAllViews();
            }
        };
        enabledWhen[id] = when(&canReorder);
    }

    // Pattern output: save, copy, print and the plotter; found by tests as "patternCommands".
    auto* pattern = new PatternCommands(*this);
    handlers[SavePattern] = [pattern] { pattern->savePattern(); };
    handlers[CopyPattern] = [pattern] { pattern->copyPattern(); };
    handlers[Print] = [pattern] { pattern->print(); };
    handlers[PrintPreview] = [pattern] { pattern->printPreview(); };
    handlers[PrintSetup] = [pattern] { pattern->printSetup(); };
    handlers[CutPattern] = [pattern] { pattern->cutPattern(); };

    bindDesignCommands(*this, glView);
    if (!glView)
        return;
    CDave3vView* v = glView;
    handlers[ResetView] = [v] { v->onResetView(); };
    handlers[FitView] = [v] { v->onFitView(); };
    handlers[Orthographic] = [v] { v->onToggleOrthographic(); };
    checkedWhen[Orthographic] = [v] { return v->isOrthographic(); };
    handlers[VerticalPlane] = [v] { v->onVerticalPlane(); };
    checkedWhen[VerticalPlane] = [v] { return v->isVerticalPlane(); };
    handlers[HorizontalPlane] = [v] { v->onHorizontalPlane(); };
    checkedWhen[HorizontalPlane] = [v] { return v->isHorizontalPlane(); };
    handlers[GridSmaller] = [v] { v->onGridSmaller(); };
    enabledWhen[GridSmaller] = [v] { return v->canGridSmaller(); };
    handlers[GridLarger] = [v] { v->onGridLarger(); };
    enabledWhen[GridLarger] = [v] { return v->canGridLarger(); };
    handlers[HideEditPlane] = [v] { v->onHideEditPlane(); };
    checkedWhen[HideEditPlane] = [v] { return v->isEditPlaneHidden(); };
    handlers[CardOpening] = [v] { v->onCardOpening(); };
    handlers[Viewpoint] = [v] { v->onViewpoint(); };
    bindDesignCheck();
}

// The design check: the view colours the pieces by class and re-runs the check when they change;
// the dock lists the findings, and choosing one draws its piece selected.
void CMainFrame::bindDesignCheck() {
    CDave3vView* v = glView;
    checkDock = new CCheckDock(this);
    addDockWidget(Qt::RightDockWidgetArea, checkDock);
    checkDock->hide();
    // The list and the pattern preview follow a new result at once, then at most every 80 ms
    // while edits keep coming (a drag), so the frame that ran the check is not held up by them.
    auto* cooling = new QTimer(this);
    cooling->setSingleShot(true);
    cooling->setInterval(80);
    auto pending = std::make_shared<bool>(false);
    const auto refresh = [this, v] {
        const CheckResult* result = v->designCheck();
        if (const CardModel* model = currentModel(); result && model)
            checkDock->showResult(*model, *result);
    };
    connect(v, &CDave3vView::designChecked, this, [cooling, pending, refresh] {
        if (cooling->isActive()) {
            *pending = true;
            return;
        }
        QTimer::singleShot(0, cooling, refresh); // after the frame that ran the check
        cooling->start();
    });
    connect(cooling, &QTimer::timeout, this, [cooling, pending, refresh] {
        if (!*pending)
            return;
        *pending = false;
        refresh();
        cooling->start();
    });
    connect(checkDock, &CCheckDock::pieceChosen, v, &CDave3vView::setCheckPiece);
    // Closing the dock (or a restored layout showing it) switches the check with it.
    connect(checkDock, &QDockWidget::visibilityChanged, this, [this, v](bool) {
        const bool shown = !checkDock->isHidden();
        if (shown == displayState().showDesignCheck)
            return;
        displayState().showDesignCheck = shown;
        v->rerunDesignCheck();
        updateCommandStates();
    });
    handlers[cmd::DesignCheck] = [this] { checkDock->setVisible(checkDock->isHidden()); };
    checkedWhen[cmd::DesignCheck] = [] { return displayState().showDesignCheck; };
}

QAction* CMainFrame::action(int id) const {
    const auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void CMainFrame::setCommand(int id, std::function<void()> handler, std::function<bool()> enabled,
                            std::function<bool()> checked) {
    handlers[id] = std::move(handler);
    if (enabled)
        enabledWhen[id] = std::move(enabled);
    else
        enabledWhen.erase(id);
    if (checked)
        checkedWhen[id] = std::move(checked);
    else
        checkedWhen.erase(id);
    updateCommandStates();
}

bool CMainFrame::runCommand(int id) {
    updateCommandStates();
    const auto it = handlers.find(id);
    QAction* a = action(id);
    if (it == handlers.end() || !a || !a->isEnabled())
        return false;
    it->second();
    updateCommandStates();
    return true;
}

void CMainFrame::updateCommandStates() {
    for (auto& [id, a] : actions) {
        if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + recentCount)
            continue;
        const bool hasHandler = handlers.count(id) != 0;
        const auto en = enabledWhen.find(id);
        a->setEnabled(hasHandler && (en == enabledWhen.end() || en->second()));
        const auto ch = checkedWhen.find(id);
        if (a->isCheckable())
            a->setChecked(ch != checkedWhen.end() && ch->second());
    }
    refreshTitle();
    updateIdleStatus();
}

void CMainFrame::rebuildRecentMenu() {
    const auto& files = recent.files();
    for (int i = 0; i < recentCount; ++i) {
        QAction* a = actions[cmd::RecentFile1 + i];
        if (std::size_t(i) < files.size()) {
            a->setText(QString::fromStdString(
                RecentFileList::menuText(std::size_t(i), files[std::size_t(i)])));
            a->setVisible(true);
            a->setEnabled(true);
        } else if (i == 0) {
            a->setText(QCoreApplication::translate("PlicatoPRO", "最近使ったファイル"));
            a->setVisible(true);
            a->setEnabled(false);
        } else {
            a->setVisible(false);
        }
    }
}

void CMainFrame::addRecentFile(const QString& path) {
    recent.add(path.toStdString());
    rebuildRecentMenu();
}

void CMainFrame::openRecent(int index) {
    const auto& files = recent.files();
    if (index < 0 || std::size_t(index) >= files.size())
        return;
    openModelByPath(QString::fromStdString(files[std::size_t(index)]));
}

void CMainFrame::refreshTitle() {
    setWindowTitle(doc->title() + QStringLiteral("[*] - ") + QString::fromUtf8(appTitle));
    setWindowModified(doc->isModified());
}

QString CMainFrame::idleHintText(bool drawing, bool mirror) {
    // Each part is a promise; one whose command has no behaviour yet is left out.
    QStringList parts;
    if (drawing)
        parts << QCoreApplication::translate("PlicatoPRO", "左ｸﾘｯｸ:面作成");
    parts << QCoreApplication::translate("PlicatoPRO", "右ﾄﾞﾗｯｸﾞ:回転")
          << QCoreApplication::translate("PlicatoPRO", "↑↓:編集面移動")
          << QCoreApplication::translate("PlicatoPRO", "Space:編集面切替")
          << QCoreApplication::translate("PlicatoPRO", "ﾎｲｰﾙ:ｽﾞｰﾑ");
    if (mirror)
        parts << QCoreApplication::translate("PlicatoPRO", "←→ﾐﾗｰ編集面移動");
    return parts.join(QStringLiteral(" | "));
}

QString CMainFrame::idleIndicatorText() const {
    const CardModel* m = currentModel();
    if (!m)
        return QString();
    return QString::asprintf("w%d h%d grid%.2f", m->cardWidth, m->cardHeight, m->gridSize);
}

void CMainFrame::updateIdleStatus() {
    if (!pane1)
        return;
    if (currentModel())
        pane1->setText(idleIndicatorText());
    // The modes where the mouse does something else than drawing name what it does.
    const QString modeHint = idleHintFor(displayState().mode());
    pane0->setText(modeHint.isEmpty() ? idleHintText(handlers.count(cmd::PolygonFace) != 0,
                                                     handlers.count(cmd::MirrorEdit) != 0)
                                      : modeHint);
}

void CMainFrame::updateAllViews() {
    if (glView)
        glView->onUpdate(0);
    else if (view)
        view->update();
    updateCommandStates();
}

void CMainFrame::openModelByPath(const QString& path) {
    if (!doc->saveModified())
        return;
    if (!doc->readDesign(path))
        return;
    doc->setModelPath(path);
    doc->setTitle(QString::fromStdString(fileTitle(path.toStdString())));
    addRecentFile(path);
    doc->markClean();
    updateAllViews();
}

void CMainFrame::onNew() {
    if (!doc->saveModified())
        return;
    const CardModel* m = currentModel();
    NewCardDialog dialog(m ? m->cardWidth : 0, m ? m->cardHeight : 0, this);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    const int width = dialog.chosenWidth() * 10;
    const int height = dialog.chosenHeight() * 10;
    const int grid = dialog.chosenGrid();
    if (width <= 0 || height <= 0 || grid <= 0)
        return;
    auto model = makeNewCard(width / 2, height);
    model->setGridSize(grid);
    setCurrentModel(std::move(model));
    if (glView)
        glView->resetView();
    doc->setModelPath(QString());
    doc->setTitle(QCoreApplication::translate("PlicatoPRO", "無題"));
    doc->markClean();
    updateAllViews();
}

void CMainFrame::onHelp() {
    const QString dir = QCoreApplication::applicationDirPath();
    // Beside the program when run from the build tree; in the shared data folder when installed.
    // The page of the interface's language: index.html is Japanese, en.html English.
    QString file = dir + QStringLiteral("/help/") + helpPageName();
    if (!QFileInfo::exists(file)) {
        const QString installed =
            dir + QStringLiteral("/../share/PlicatoPRO/help/") + helpPageName();
        if (QFileInfo::exists(installed))
            file = QFileInfo(installed).canonicalFilePath();
    }
    openHelp(file);
}

void CMainFrame::openHelp(const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (QFileInfo::exists(absolute) && userPrompts().openUrl(QUrl::fromLocalFile(absolute)))
        return;
    // The message names the page's full path, which a relative "help/index.html" does not give
    // to someone who does not know where the program lives.
    userPrompts().messageAbout(this,
                               QCoreApplication::translate(
                                   "PlicatoPRO", "ヘルプファイルを開けません\nお手持ちのブラウザで "
                                                 "help/index.html をご覧ください "),
                               absolute);
}

void CMainFrame::onHomePage() {
    userPrompts().openUrl(QUrl(homePageUrl));
}

void CMainFrame::onAbout() {
    AboutDialog dialog(this);
    userPrompts().runDialog(dialog);
}

WindowPlacement CMainFrame::currentPlacement() const {
    WindowPlacement p;
    const QRect r =
        (isMaximized() || isMinimized() || isFullScreen()) ? normalGeometry() : geometry();
    p.left = r.x();
    p.top = r.y();
    p.right = r.x() + r.width();
    p.bottom = r.y() + r.height();
    p.showCommand = isMinimized()   ? WindowPlacement::showMinimized
                    : isMaximized() ? WindowPlacement::showMaximized
                                    : WindowPlacement::showNormal;
    return p;
}

void CMainFrame::saveProfile() {
    ColorNumbers colors{};
    for (int i = 0; i < ColorTable::size; ++i)
        colors[std::size_t(i)] = colorTable().get(i);
    saveSettings(profile, appSettings, colors);
    WindowPlacement p = currentPlacement();
    p.flags |= WindowPlacement::restoreToMaximized;
    writePlacement(profile, p);
    profile.setString(toolBarStateSection, "State", saveState().toBase64().toStdString());
    recent.save(profile);
    if (glView) {
        if (const auto at = glView->cardOpeningDialog()->placedAt())
            profile.setString(settingsSection, openingWindowKey,
                              QStringLiteral("%1:%2").arg(at->x()).arg(at->y()).toStdString());
    }
    profile.save();
}

void CMainFrame::restoreOpeningWindowPlace() {
    if (!glView)
        return;
    const auto text = profile.getString(settingsSection, openingWindowKey);
    if (!text)
        return;
    const QStringList xy = QString::fromStdString(*text).split(QLatin1Char(':'));
    bool okX = false, okY = false;
    const int x = xy.value(0).toInt(&okX), y = xy.value(1).toInt(&okY);
    if (xy.size() == 2 && okX && okY) // anything else: placed beside the view as on a first run
        glView->cardOpeningDialog()->restorePlace(QPoint(x, y));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Unlike a window that silently drops its design, ask first; Cancel keeps the window open.
    if (!doc->saveModified()) {
        event->ignore();
        return;
    }
    saveProfile();
    if (idleTimer)
        idleTimer->stop();
    if (autosaver)
        autosaver->cleanExit();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            // Opened once the drop has finished, so the file manager is not kept waiting while
            // the save question or an error message is up.
            const QString path = url.toLocalFile();
            QMetaObject::invokeMethod(
                this,
                [this, path] {
                    activateWindow();
                    openModelByPath(path);
                },
                Qt::QueuedConnection);
            return; // one document: the first file dropped is the one opened
        }
    }
}

} // namespace plicato
