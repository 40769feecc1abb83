// The main window without the 3D view: start-up, New, Open, Save, Save As, the save question,
// the status bar, the command line, the settings that survive a restart and the recent files.
#include "editing/editing.h"
#include "gui/dialogs/new_card_dialog.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "model/card_model.h"
#include "scripted_prompts.h"
#include "view/color_table.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include <fstream>
#include <sstream>
#include <utility>

namespace plicato {
namespace {

using test::ScriptedPrompts;
using Answer = UserPrompts::SaveAnswer;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        runtimeDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "main_frame_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QTemporaryDir> runtimeDir;
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::string readText(const QString& path) {
    std::ifstream in(path.toStdString());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        profileFile = dir.filePath(QStringLiteral("profile.ini"));
        qputenv("PLICATO_PROFILE", profileFile.toUtf8());
        colorTable().resetToDefaults();
    }
    void TearDown() override {
        if (app && app->mainFrame()) {
            prompts.saveAnswer = Answer::No;
            app->mainFrame()->close();
        }
        app.reset();
        qunsetenv("PLICATO_PROFILE");
    }

    // Starts the application as the program does, without the OpenGL view.
    CMainFrame& start(const QStringList& args = {}) {
        if (app && app->mainFrame()) {
            prompts.saveAnswer = Answer::No;
            app->mainFrame()->close();
        }
        app = std::make_unique<CCardApp>();
        EXPECT_TRUE(app->initInstance(args, FrameOptions{false}));
        return *app->mainFrame();
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    CDave3vDoc& doc() { return frame().document(); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Writes the current design to `file` through Save As, which names the document after it.
    void writeDesign(const QString& file) {
        prompts.saveAnswers.push_back(file);
        ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
        ASSERT_TRUE(QFileInfo::exists(file));
    }
    // Replaces the design by a new untitled one through New, its dialog accepted.
    void startUntitled() {
        const auto answer =
            std::exchange(prompts.dialogAnswer, [](QDialog&) { return int(QDialog::Accepted); });
        ASSERT_TRUE(frame().runCommand(cmd::FileNew));
        prompts.dialogAnswer = answer;
        ASSERT_EQ(doc().title(), QStringLiteral("無題"));
        ASSERT_TRUE(doc().modelPath().isEmpty());
    }
    void modifyDesign() {
        auto face = std::make_unique<Face>(FacePlane::Vertical, 20.0);
        auto loop = std::make_unique<Loop>();
        loop->addPoint({-10, 10});
        loop->addPoint({10, 10});
        loop->addPoint({0, 30});
        face->polygon.addLoop(std::move(loop));
        currentModel()->userFaces.push_back(std::move(face));
    }
    void writeProfile(const char* text) { std::ofstream(profileFile.toStdString()) << text; }

    QTemporaryDir dir;
    QString profileFile;
    ScriptedPrompts prompts;
    std::unique_ptr<CCardApp> app;
};

TEST_F(MainFrameTest, StartsUntitledWithTheFirstCardAndTheIdleStatus) {
    start();
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
    EXPECT_TRUE(doc().modelPath().isEmpty());
    EXPECT_FALSE(doc().isModified());
    ASSERT_NE(currentModel(), nullptr);
    EXPECT_EQ(currentModel()->cardWidth, 160);
    EXPECT_EQ(currentModel()->cardHeight, 80);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("無題[*] - PlicatoPRO"));
    EXPECT_EQ(frame().indicatorPane()->text(), QStringLiteral("w160 h80 grid10.00"));
    // The hint promises only what can be done: clicking faces and the mirror plane come with
    // their commands.
    const QString hint = frame().messagePane()->text();
    EXPECT_TRUE(hint.contains(QStringLiteral("右ﾄﾞﾗｯｸﾞ:回転 | ↑↓:編集面移動 | Space:編集面切替 | "
                                             "ﾎｲｰﾙ:ｽﾞｰﾑ")))
        << hint.toStdString();
    EXPECT_EQ(hint.contains(QStringLiteral("左ｸﾘｯｸ:面作成")),
              frame().action(cmd::PolygonFace)->isEnabled());
    EXPECT_EQ(hint.contains(QStringLiteral("ﾐﾗｰ編集面移動")),
              frame().action(cmd::MirrorEdit)->isEnabled());
    frame().setCommand(cmd::PolygonFace, [] {});
    frame().setCommand(cmd::MirrorEdit, [] {});
    EXPECT_EQ(frame().messagePane()->text(),
              QStringLiteral("左ｸﾘｯｸ:面作成 | 右ﾄﾞﾗｯｸﾞ:回転 | ↑↓:編集面移動 | Space:編集面切替 | "
                             "ﾎｲｰﾙ:ｽﾞｰﾑ | ←→ﾐﾗｰ編集面移動"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MainFrameTest, IdleStatusShowsCardSizeAndGridWithTwoDecimals) {
    start();
    currentModel()->cardWidth = 200;
    currentModel()->cardHeight = 150;
    currentModel()->setGridSize(5);
    frame().updateCommandStates();
    EXPECT_EQ(frame().indicatorPane()->text(), QStringLiteral("w200 h150 grid5.00"));
    currentModel()->gridSize = 1.25;
    frame().updateCommandStates();
    EXPECT_EQ(frame().indicatorPane()->text(), QStringLiteral("w200 h150 grid1.25"));
}

TEST_F(MainFrameTest, NewWithListsSixteenEightTenMakesThatCard) {
    start();
    currentModel()->cardWidth = 200; // the dialog starts from the current size
    currentModel()->cardHeight = 150;
    int initial[3] = {-1, -1, -1};
    prompts.dialogAnswer = [&](QDialog& d) {
        auto& dialog = dynamic_cast<NewCardDialog&>(d);
        initial[0] = dialog.widthList()->currentIndex();
        initial[1] = dialog.heightList()->currentIndex();
        initial[2] = dialog.gridList()->currentIndex();
        dialog.widthList()->setCurrentText(QStringLiteral("16"));
        dialog.heightList()->setCurrentText(QStringLiteral("8"));
        dialog.gridList()->setCurrentText(QStringLiteral("10"));
        return int(QDialog::Accepted);
    };
    prompts.saveAnswer = Answer::No; // the size change above is a change of the design
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("新規作成")});
    EXPECT_EQ(initial[0], 15); // "20"
    EXPECT_EQ(initial[1], 10); // "15"
    EXPECT_EQ(initial[2], 5);  // "10"
    ASSERT_NE(currentModel(), nullptr);
    EXPECT_EQ(currentModel()->cardWidth, 160);
    EXPECT_EQ(currentModel()->cardHeight, 80);
    EXPECT_EQ(currentModel()->initGridSize, 10.0);
    EXPECT_EQ(currentModel()->gridSize, 10.0);
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
    EXPECT_FALSE(doc().isModified());
    EXPECT_EQ(frame().indicatorPane()->text(), QStringLiteral("w160 h80 grid10.00"));
}

TEST_F(MainFrameTest, CancelledNewChangesNothing) {
    start();
    CardModel* before = currentModel();
    prompts.dialogAnswer = [](QDialog&) { return int(QDialog::Rejected); };
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    EXPECT_EQ(currentModel(), before);
}

TEST(NewCardDialogTest, InitialSelectionsAndOkRule) {
    EXPECT_EQ(NewCardDialog::initialIndex(5), 0);
    EXPECT_EQ(NewCardDialog::initialIndex(20), 15);
    EXPECT_EQ(NewCardDialog::initialIndex(1), 5);  // first entry starting with "1" is "10"
    EXPECT_EQ(NewCardDialog::initialIndex(2), 15); // "20"
    EXPECT_EQ(NewCardDialog::initialIndex(4), -1);
    EXPECT_EQ(NewCardDialog::initialIndex(0), -1);
    EXPECT_EQ(NewCardDialog::initialIndex(25), -1);

    NewCardDialog dialog(45, 300, nullptr); // 4 cm: nothing listed; 30 cm: nothing starts "30"
    EXPECT_EQ(dialog.widthList()->currentIndex(), -1);
    EXPECT_EQ(dialog.heightList()->currentIndex(), -1);
    EXPECT_EQ(dialog.gridList()->currentText(), QStringLiteral("10"));
    EXPECT_EQ(dialog.widthList()->count(), 16);
    EXPECT_EQ(dialog.widthList()->itemText(0), QStringLiteral("5"));
    EXPECT_EQ(dialog.widthList()->itemText(15), QStringLiteral("20"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.widthList()->setCurrentIndex(0);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.heightList()->setCurrentIndex(3);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.chosenWidth(), 5);
    EXPECT_EQ(dialog.chosenHeight(), 8);
    EXPECT_EQ(dialog.chosenGrid(), 10);
}

TEST_F(MainFrameTest, OpenOfAGoodFileSetsTitleFolderPathAndRecentList) {
    start();
    const QString file = path("house.plq");
    writeDesign(file);
    startUntitled();
    prompts.openAnswers.push_back(file);
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(doc().title(), QStringLiteral("house"));
    EXPECT_EQ(doc().modelPath(), file);
    EXPECT_EQ(frame().settings().defaultFileDir, (dir.path() + QLatin1Char('/')).toStdString());
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + file);
    EXPECT_EQ(prompts.filters.last(), QStringLiteral("PlicatoPRO (*.plq)"));
    // The next Open starts in that folder.
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    EXPECT_EQ(prompts.openFolders.last(), dir.path() + QLatin1Char('/'));
}

TEST_F(MainFrameTest, OpenOfAMissingFileSaysItCannotBeOpened) {
    start();
    prompts.openAnswers.push_back(path("nowhere.plq"));
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("ファイルを開けません")});
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
    EXPECT_EQ(frame().settings().defaultFileDir, "");
}

TEST_F(MainFrameTest, OpenOfANonModelFileFailsAndLeavesTitleAndFolder) {
    writeProfile("[Settings]\ndefaultFileDir=/first/folder/\n");
    start();
    const QString good = path("good.plq");
    writeDesign(good);
    const QString title = doc().title();
    const QString bad = path("notes.plq");
    std::ofstream(bad.toStdString()) << "these are shopping notes, not a design\n";
    prompts.openAnswers.push_back(bad);
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("ファイルを読み込めませんでした"));
    EXPECT_EQ(doc().title(), title);
    EXPECT_EQ(doc().modelPath(), good);
    EXPECT_EQ(frame().settings().defaultFileDir, "/first/folder/");
    EXPECT_EQ(prompts.openFolders.last(), QStringLiteral("/first/folder/"));
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + good);
}

TEST_F(MainFrameTest, SaveOfAnUntitledDesignKeepsItUntitledAndAsksAgain) {
    start();
    const QString file = path("first.plq");
    prompts.saveAnswers.push_back(file);
    ASSERT_TRUE(frame().runCommand(cmd::FileSave));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
    EXPECT_TRUE(doc().modelPath().isEmpty());
    EXPECT_EQ(prompts.saveFolders.size(), 1);
    ASSERT_TRUE(frame().runCommand(cmd::FileSave)); // cancelled this time
    EXPECT_EQ(prompts.saveFolders.size(), 2);
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("最近使ったファイル"));
    EXPECT_FALSE(frame().action(cmd::RecentFile1)->isEnabled());
}

TEST_F(MainFrameTest, SaveAsNamesTheDesignAndLaterSavesGoThere) {
    start();
    const QString file = path("garden gate.plq");
    prompts.saveAnswers.push_back(file);
    ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
    EXPECT_EQ(doc().title(), QStringLiteral("garden gate"));
    EXPECT_EQ(doc().modelPath(), file);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("garden gate[*] - PlicatoPRO"));
    EXPECT_EQ(frame().settings().defaultFileDir, "") << "saving does not move the Open folder";
    modifyDesign();
    frame().updateCommandStates();
    EXPECT_TRUE(frame().isWindowModified());
    QFile::remove(file);
    ASSERT_TRUE(frame().runCommand(cmd::FileSave));
    EXPECT_TRUE(QFileInfo::exists(file)) << "Save writes to the named file without asking";
    EXPECT_EQ(prompts.saveFolders.size(), 1);
    EXPECT_FALSE(doc().isModified());
    EXPECT_FALSE(frame().isWindowModified());
}

TEST_F(MainFrameTest, FailedSaveChangesNeitherTitleNorPathNorRecentList) {
    start();
    const QString named = path("named.plq");
    prompts.saveAnswers.push_back(named);
    ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
    modifyDesign();
    prompts.saveAnswers.push_back(path("no such folder/other.plq"));
    ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("ファイルに書き込めません")});
    EXPECT_EQ(doc().title(), QStringLiteral("named"));
    EXPECT_EQ(doc().modelPath(), named);
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + named);
    EXPECT_FALSE(frame().action(cmd::RecentFile1 + 1)->isVisible());
    EXPECT_TRUE(doc().isModified()) << "the design is still unsaved";
}

TEST_F(MainFrameTest, DiscardingChangesAsksFirst) {
    start();
    modifyDesign();
    frame().updateCommandStates();
    EXPECT_TRUE(frame().isWindowModified());
    const CardModel* edited = currentModel();

    // Cancel: New does not even show its dialog.
    prompts.saveAnswer = Answer::Cancel;
    prompts.dialogAnswer = [](QDialog&) { return int(QDialog::Accepted); };
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    EXPECT_EQ(prompts.saveQuestions, 1);
    EXPECT_TRUE(prompts.dialogTitles.isEmpty());
    EXPECT_EQ(currentModel(), edited);

    // Cancel on close keeps the window and the design.
    frame().show();
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(prompts.saveQuestions, 2);

    // Yes with a cancelled file dialog does not discard either.
    prompts.saveAnswer = Answer::Yes;
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    EXPECT_EQ(prompts.saveFolders.size(), 1);
    EXPECT_TRUE(prompts.openFolders.isEmpty());
    EXPECT_EQ(currentModel(), edited);

    // Yes with a file saves, then goes on.
    const QString file = path("kept.plq");
    prompts.saveAnswers.push_back(file);
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(prompts.dialogTitles.size(), 1);
    EXPECT_NE(currentModel(), edited);

    // An unchanged design is never asked about.
    const int asked = prompts.saveQuestions;
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    EXPECT_EQ(prompts.saveQuestions, asked);
}

TEST_F(MainFrameTest, NextOpenStartsInTheFolderOfTheLastOpenNotOfSaveAs) {
    QDir(dir.path()).mkdir(QStringLiteral("first"));
    QDir(dir.path()).mkdir(QStringLiteral("second"));
    start();
    const QString first = path("first/one.plq");
    writeDesign(first);
    prompts.openAnswers.push_back(first);
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    prompts.saveAnswers.push_back(path("second/two.plq"));
    ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
    EXPECT_EQ(doc().title(), QStringLiteral("two"));
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    EXPECT_EQ(prompts.openFolders.last(), dir.path() + QStringLiteral("/first/"));
}

TEST_F(MainFrameTest, DroppedFileIsOpened) {
    start();
    const QString file = path("dropped.plq");
    writeDesign(file);
    startUntitled();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    // The drop finishes first; the file is opened by the call queued behind it.
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char(0x7c)).toStdString();
    EXPECT_EQ(prompts.saveQuestions, 0);
    EXPECT_EQ(doc().title(), QStringLiteral("dropped"));
    EXPECT_EQ(doc().modelPath(), file);
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + file);
}

TEST_F(MainFrameTest, CommandLineWithAQuotedPathOpensItAfterTheWindowIsShown) {
    start();
    const QString file = path("with space.plq");
    writeDesign(file);
    start({QLatin1Char('"') + file + QLatin1Char('"')});
    EXPECT_TRUE(frame().isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(doc().title(), QStringLiteral("with space"));
    EXPECT_EQ(doc().modelPath(), file);
}

TEST_F(MainFrameTest, CommandLineWithTwoPathsIsOnePathThatCannotBeOpened) {
    start();
    const QString a = path("a.plq");
    const QString b = path("b.plq");
    writeDesign(a);
    writeDesign(b);
    prompts.messages.clear();
    start({a, b});
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("ファイルを開けません")});
    EXPECT_EQ(doc().title(), QStringLiteral("無題"));
}

TEST_F(MainFrameTest, RecentFilesKeepFourNewestFirstAndSurviveARestart) {
    start();
    QStringList files;
    for (const char* name : {"r1.plq", "r2.plq", "r3.plq", "r4.plq", "r5.plq"}) {
        files << path(name);
        writeDesign(files.last());
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(frame().action(cmd::RecentFile1 + i)->text(),
                  QStringLiteral("&%1 ").arg(i + 1) + files[4 - i]);
    start();
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + files[4]);
    EXPECT_EQ(frame().action(cmd::RecentFile1 + 3)->text(), QStringLiteral("&4 ") + files[1]);
    // Choosing an entry opens it and moves it to the top.
    frame().action(cmd::RecentFile1 + 2)->trigger();
    EXPECT_EQ(doc().title(), QStringLiteral("r3"));
    EXPECT_EQ(frame().action(cmd::RecentFile1)->text(), QStringLiteral("&1 ") + files[2]);
}

TEST_F(MainFrameTest, SettingsAreReadByTheRulesAndWrittenBack) {
    writeProfile("[Settings]\nisReverseTenkaizu=2\ntenkaizuSizeRatio=0x40\n"
                 "defaultFileDir=/cards/\ndefaultImageDir=C:\\pictures\\\n");
    start();
    EXPECT_EQ(frame().settings().defaultFileDir, "/cards/");
    EXPECT_TRUE(frame().settings().isReverseTenkaizu);
    EXPECT_EQ(frame().settings().tenkaizuSizeRatio, 64);
    prompts.saveAnswer = Answer::No;
    frame().close();
    const std::string text = readText(profileFile);
    EXPECT_NE(text.find("isReverseTenkaizu=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("tenkaizuSizeRatio=64\n"), std::string::npos) << text;
    EXPECT_NE(text.find("defaultImageDir=C:\\pictures\\\n"), std::string::npos) << text;
}

TEST_F(MainFrameTest, ColoursAcceptHexIgnoreMinusOneAndLettersAndAreWrittenBack) {
    writeProfile("[Settings]\ncolor0=0x00FF00\ncolor1=-1\ncolor13=blue\ncolor12=255\n");
    start();
    EXPECT_EQ(colorTable().get(0), 0x00FF00);
    EXPECT_EQ(colorTable().get(1), ColorTable::defaults()[1]);
    EXPECT_EQ(colorTable().get(13), ColorTable::defaults()[13]);
    EXPECT_EQ(colorTable().get(12), 255);
    prompts.saveAnswer = Answer::No;
    frame().close();
    ProfileStore written(profileFile.toStdString());
    ASSERT_TRUE(written.load());
    EXPECT_EQ(written.getString("Settings", "color0"), "65280");
    EXPECT_EQ(written.getString("Settings", "color1"), std::to_string(ColorTable::defaults()[1]));
    EXPECT_EQ(written.getString("Settings", "color13"), "16711680");
    EXPECT_EQ(written.getString("Settings", "color15"), "255");
}

TEST_F(MainFrameTest, EditCommandsFollowTheSelectionAndUndo) {
    start();
    EXPECT_FALSE(frame().action(cmd::Undo)->isEnabled());
    EXPECT_FALSE(frame().action(cmd::DeleteFaces)->isEnabled());
    EXPECT_FALSE(frame().action(cmd::PasteFaces)->isEnabled());
    modifyDesign();
    currentModel()->userFaces.back()->triangulate();
    currentModel()->userFaces.back()->isSelected = true;
    rebuildSelection(*currentModel());
    frame().updateCommandStates();
    EXPECT_TRUE(frame().action(cmd::CopyFaces)->isEnabled());
    EXPECT_TRUE(frame().action(cmd::ToTop)->isEnabled());
    const std::size_t faces = currentModel()->userFaces.size();
    ASSERT_TRUE(frame().runCommand(cmd::CopyFaces));
    EXPECT_TRUE(frame().action(cmd::PasteFaces)->isEnabled());
    ASSERT_TRUE(frame().runCommand(cmd::DeleteFaces));
    EXPECT_EQ(currentModel()->userFaces.size(), faces - 1);
    EXPECT_FALSE(frame().action(cmd::DeleteFaces)->isEnabled());
    ASSERT_TRUE(frame().action(cmd::Undo)->isEnabled());
    ASSERT_TRUE(frame().runCommand(cmd::Undo));
    EXPECT_EQ(currentModel()->userFaces.size(), faces);
}

TEST_F(MainFrameTest, WindowPlacementIsWrittenAfterARunAndRestored) {
    start();
    EXPECT_FALSE(frame().hasRestoredPlacement());
    frame().setGeometry(40, 60, 700, 500);
    const QRect placed = frame().geometry();
    prompts.saveAnswer = Answer::No;
    frame().close();
    ProfileStore written(profileFile.toStdString());
    ASSERT_TRUE(written.load());
    WindowPlacement p;
    ASSERT_TRUE(readPlacement(written, p));
    EXPECT_TRUE(p.flags & WindowPlacement::restoreToMaximized);
    EXPECT_EQ(p.right - p.left, placed.width());
    EXPECT_EQ(p.bottom - p.top, placed.height());
    EXPECT_TRUE(written.getString("ControlBars\\State", "State").has_value());

    start();
    ASSERT_TRUE(frame().hasRestoredPlacement());
    EXPECT_TRUE(frame().restoredPlacement().flags & WindowPlacement::restoreToMaximized);
    EXPECT_EQ(frame().geometry().size(), placed.size());
}

TEST_F(MainFrameTest, BrokenPlacementIsIgnored) {
    writeProfile("[Settings]\nWindowPos=2:1:-1:-1:-1:-1:10:20:810\n");
    start();
    EXPECT_FALSE(frame().hasRestoredPlacement());
}

TEST_F(MainFrameTest, MenusAndToolbarCarryEveryCommandInPlace) {
    start();
    QStringList titles;
    for (QAction* a : frame().menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                   QStringLiteral("表示(&V)"), QStringLiteral("作図(&D)"),
                                   QStringLiteral("設定(&C)"), QStringLiteral("ヘルプ(&H)")}));
    QList<int> toolbar;
    for (QAction* a : frame().toolBar()->actions())
        toolbar << (a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(toolbar,
              (QList<int>{57600, 57601, 57603, 57607, 0,     32788, 32803, 57643, 0,     32783,
                          32802, 0,     32794, 32795, 0,     32805, 32863, 32806, 32856, 32858,
                          32832, 32860, 0,     32819, 32820, 32830, 0,     32836, 32835}));
    for (QAction* a : frame().toolBar()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->data().toInt();
        }
    }
    EXPECT_EQ(frame().action(cmd::FileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame().action(cmd::FileOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(frame().action(cmd::FileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(frame().action(cmd::SavePattern)->text(),
              QStringLiteral("展開図をファイルへ保存(&E)"));
    EXPECT_EQ(frame().action(cmd::CopyPattern)->text(),
              QStringLiteral("展開図をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&L)"));
    EXPECT_EQ(frame().action(cmd::AppAbout)->text(), QStringLiteral("バージョン情報(&A)..."));
    // A command whose behaviour is not there yet is shown but cannot be chosen.
    EXPECT_FALSE(frame().action(cmd::ScaleFaces)->isEnabled());
    EXPECT_FALSE(frame().runCommand(cmd::ScaleFaces));
    EXPECT_TRUE(frame().action(cmd::FileNew)->isEnabled());
}

TEST_F(MainFrameTest, CommandsGainBehaviourThroughSetCommand) {
    start();
    QAction* a = frame().action(cmd::MirrorEdit);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->isEnabled());
    bool on = false;
    bool allowed = false;
    frame().setCommand(
        cmd::MirrorEdit, [&] { on = !on; }, [&] { return allowed; }, [&] { return on; });
    EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(frame().runCommand(cmd::MirrorEdit));
    allowed = true;
    ASSERT_TRUE(frame().runCommand(cmd::MirrorEdit));
    EXPECT_TRUE(on);
    EXPECT_TRUE(a->isChecked());
    a->trigger(); // the toolbar button and the menu item run the same command
    EXPECT_FALSE(on);
    EXPECT_FALSE(a->isChecked());
}

TEST_F(MainFrameTest, HelpOpensThePageOrSaysWhereToFindIt) {
    start();
    prompts.urlResult = false;
    ASSERT_TRUE(frame().runCommand(cmd::Help));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("ヘルプファイルを開けません\nお手持ちのブラウザで help/index.html "
                             "をご覧ください "));
}

TEST_F(MainFrameTest, HomePageIsConfigurable) {
    writeProfile("[Settings]\nhomePage=https://cards.invalid/plicato\n");
    start();
    ASSERT_TRUE(frame().runCommand(cmd::HomePage));
    ASSERT_EQ(prompts.urls.size(), 1);
    EXPECT_EQ(prompts.urls[0], QUrl(QStringLiteral("https://cards.invalid/plicato")));
}

TEST_F(MainFrameTest, AboutShowsTheVersion) {
    start();
    QString text;
    prompts.dialogAnswer = [&](QDialog& d) {
        if (auto* label = d.findChild<QLabel*>(QStringLiteral("aboutText")))
            text = label->text();
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(frame().runCommand(cmd::AppAbout));
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")});
    EXPECT_TRUE(text.contains(QStringLiteral("Ver3.1.1"))) << text.toStdString();
}

} // namespace
} // namespace plicato
