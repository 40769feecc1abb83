// What a newcomer meets in the first minutes, without the 3D view: the save dialog's extension
// and folder, open failures that name the file, --help and --version, the shortcuts, the quit
// question, the New dialog's buttons, the window placement and Qt's Japanese texts.
#include "gui/dialogs/new_card_dialog.h"
#include "gui/dialogs/screen_fit.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/start_options.h"
#include "gui/main_window/user_prompts.h"
#include "gui/view/viewpoint_dialog.h"
#include "model/card_model.h"
#include "scripted_prompts.h"
#include "view/color_table.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <fstream>
#include <map>
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
        static char name[] = "first_use_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QTemporaryDir> runtimeDir;
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Pictures for a person to look at are left beside the test program.
void keepPicture(QWidget& widget, const char* name) {
    widget.grab().save(QStringLiteral(PLICATO_TEST_OUTPUT "/") + QString::fromUtf8(name));
}

class FirstUseTest : public ::testing::Test {
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
    void writeDesign(const QString& file) {
        prompts.saveAnswers.push_back(file);
        ASSERT_TRUE(frame().runCommand(cmd::FileSaveAs));
        ASSERT_TRUE(QFileInfo::exists(file));
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

    QTemporaryDir dir;
    QString profileFile;
    ScriptedPrompts prompts;
    std::unique_ptr<CCardApp> app;
};

TEST(SaveDialogTest, ANameTypedWithoutExtensionGetsPlq) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::pair<const char*, const char*> rows[] = {
        {"card", "card.plq"},
        {"card.plq", "card.plq"},
        {"カード", "カード.plq"},
        {"two words", "two words.plq"},
        {"old.PLQ", "old.PLQ"},
        {"v1.2", "v1.2"}, // a name with an extension keeps it
        {"nested.card.plq", "nested.card.plq"},
    };
    for (const auto& [typed, saved] : rows) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        prepareSaveDialog(dialog, dir.path(), QString::fromUtf8(plqFilter));
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromUtf8(typed));
        QMetaObject::invokeMethod(&dialog, "accept");
        ASSERT_EQ(dialog.result(), int(QDialog::Accepted)) << typed;
        ASSERT_EQ(dialog.selectedFiles().size(), 1) << typed;
        EXPECT_EQ(dialog.selectedFiles()[0], dir.filePath(QString::fromUtf8(saved))) << typed;
    }
}

TEST_F(FirstUseTest, SaveDialogsStartInTheFolderOfTheDesign) {
    QDir(dir.path()).mkdir(QStringLiteral("designs"));
    QDir(dir.path()).mkdir(QStringLiteral("opened"));
    start();
    // Untitled and nothing opened yet: the dialog is left to start where it likes.
    prompts.saveAnswers.push_back(QString());
    frame().runCommand(cmd::FileSaveAs);
    EXPECT_EQ(prompts.saveFolders.last(), QString());

    writeDesign(path("designs/card.plq"));
    prompts.saveAnswers.push_back(QString());
    frame().runCommand(cmd::FileSaveAs);
    EXPECT_EQ(prompts.saveFolders.last(), dir.path() + QStringLiteral("/designs/"));

    // Untitled again after something was opened: the folder of that Open.
    writeDesign(path("opened/o.plq"));
    prompts.openAnswers.push_back(path("opened/o.plq"));
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    prompts.dialogAnswer = [](QDialog&) { return int(QDialog::Accepted); };
    ASSERT_TRUE(frame().runCommand(cmd::FileNew));
    modifyDesign();
    prompts.saveAnswers.push_back(QString());
    frame().runCommand(cmd::FileSave);
    EXPECT_EQ(prompts.saveFolders.last(), dir.path() + QStringLiteral("/opened/"));
}

TEST_F(FirstUseTest, OpenFailuresNameTheFile) {
    start();
    const QString notModel = path("notes.plq");
    std::ofstream(notModel.toStdString()) << "not a design\n";
    const QString missing = path("missing.plq");

    prompts.openAnswers = {missing, notModel};
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    ASSERT_TRUE(frame().runCommand(cmd::FileOpen));
    frame().openModelByPath(path("gone/away.plq"));
    EXPECT_EQ(prompts.messages, (QStringList{QStringLiteral("ファイルを開けません"),
                                             QStringLiteral("ファイルを読み込めませんでした"),
                                             QStringLiteral("ファイルを開けません")}));
    EXPECT_EQ(prompts.messageFiles, (QStringList{missing, notModel, path("gone/away.plq")}));

    // Two words on the command line are one path; the message names all of it.
    prompts.messages.clear();
    prompts.messageFiles.clear();
    start({path("a.plq"), path("b.plq")});
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("ファイルを開けません")});
    EXPECT_EQ(prompts.messageFiles, QStringList{path("a.plq") + QLatin1Char(' ') + path("b.plq")});
}

TEST_F(FirstUseTest, NewPutsTheEditPlaneBackUprightAtHalfTheCardsHeight) {
    start();
    const std::pair<int, double> rows[] = {{20, 100.0}, {15, 80.0}, {5, 30.0}, {8, 40.0}};
    for (const auto& [heightCm, offset] : rows) {
        currentModel()->editPlane = FacePlane::Horizontal;
        currentModel()->editOffset = 30;
        prompts.dialogAnswer = [h = heightCm](QDialog& d) {
            dynamic_cast<NewCardDialog&>(d).heightList()->setCurrentText(QString::number(h));
            return int(QDialog::Accepted);
        };
        ASSERT_TRUE(frame().runCommand(cmd::FileNew));
        EXPECT_EQ(currentModel()->cardHeight, heightCm * 10);
        EXPECT_EQ(currentModel()->editPlane, FacePlane::Vertical) << heightCm;
        // Half the height on the 10 mm grid, a half step rounding up.
        EXPECT_EQ(currentModel()->editOffset, offset) << heightCm;
    }
}

TEST(StartRequestTest, HelpAndVersionComeBeforeThePathRule) {
    const std::pair<QStringList, StartRequest> rows[] = {
        {{}, StartRequest::Run},
        {{QStringLiteral("--help")}, StartRequest::ShowHelp},
        {{QStringLiteral("-h")}, StartRequest::ShowHelp},
        {{QStringLiteral("--help-all")}, StartRequest::ShowHelp},
        {{QStringLiteral("--version")}, StartRequest::ShowVersion},
        {{QStringLiteral("-v")}, StartRequest::ShowVersion},
        {{QStringLiteral("card.plq")}, StartRequest::Run},
        {{QStringLiteral("my"), QStringLiteral("card.plq")}, StartRequest::Run},
        {{QStringLiteral("\"/home/a b/c.plq\"")}, StartRequest::Run},
        {{QStringLiteral("card.plq"), QStringLiteral("--help")}, StartRequest::ShowHelp},
        // Words the parser does not know stay part of the path.
        {{QStringLiteral("-x")}, StartRequest::Run},
        {{QStringLiteral("--helpme")}, StartRequest::Run},
        {{QStringLiteral("-")}, StartRequest::Run},
    };
    for (const auto& [words, expected] : rows) {
        QCommandLineParser parser;
        describeCommandLine(parser);
        const QStringList arguments = QStringList{QStringLiteral("PlicatoPRO")} + words;
        EXPECT_EQ(startRequest(parser, arguments), expected) << words.join(' ').toStdString();
    }
    QCommandLineParser parser;
    describeCommandLine(parser);
    EXPECT_TRUE(parser.helpText().contains(QStringLiteral("design.plq")));
}

TEST_F(FirstUseTest, LinuxShortcutsJoinTheProgramsOwnAndNoneIsTakenTwice) {
    start();
    const std::map<int, const char*> expected = {
        {cmd::FileNew, "Ctrl+N"},       {cmd::FileOpen, "Ctrl+O"},
        {cmd::FileSave, "Ctrl+S"},      {cmd::FileSaveAs, "Ctrl+Shift+S"},
        {cmd::AppExit, "Ctrl+Q"},       {cmd::Print, "Ctrl+P"},
        {cmd::Undo, "Ctrl+Z"},          {cmd::CopyFaces, "Ctrl+C"},
        {cmd::CutFaces, "Ctrl+X"},      {cmd::PasteFaces, "Ctrl+V"},
        {cmd::DeleteFaces, "Ctrl+D"},   {cmd::Orthographic, "Ctrl+R"},
        {cmd::GridSmaller, "Ctrl+K"},   {cmd::GridLarger, "Ctrl+L"},
        {cmd::HideEditPlane, "Ctrl+H"},
    };
    for (const auto& [id, keys] : expected) {
        ASSERT_NE(frame().action(id), nullptr) << id;
        EXPECT_EQ(frame().action(id)->shortcut(), QKeySequence(QString::fromLatin1(keys))) << id;
    }
    std::map<QString, QString> owner;
    for (QAction* a : frame().findChildren<QAction*>()) {
        for (const QKeySequence& k : a->shortcuts()) {
            const QString key = k.toString();
            const auto [it, fresh] = owner.emplace(key, a->objectName());
            EXPECT_TRUE(fresh) << key.toStdString() << " on " << it->second.toStdString() << " and "
                               << a->objectName().toStdString();
        }
    }
}

TEST_F(FirstUseTest, QuitAsksTheSaveQuestionAndCancelKeepsTheWindow) {
    start();
    frame().show();
    modifyDesign();
    prompts.saveAnswer = Answer::Cancel;
    ASSERT_TRUE(frame().runCommand(cmd::AppExit));
    EXPECT_EQ(prompts.saveQuestions, 1);
    EXPECT_TRUE(frame().isVisible());
    prompts.saveAnswer = Answer::No;
    ASSERT_TRUE(frame().runCommand(cmd::AppExit));
    EXPECT_EQ(prompts.saveQuestions, 2);
    EXPECT_FALSE(frame().isVisible());
}

TEST(NewCardDialogButtonsTest, OnlyOkAndEscapeOrTheCloseBoxCancels) {
    NewCardDialog dialog(160, 80);
    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    buttons[0]->click();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
}

TEST(ViewpointDialogNumbersTest, ShownRoundedAndGivenBackExactUnlessEdited) {
    const double rotX = 11.999999999999993, rotY = -0.30000000000000004, scale = 1.0000000000000002;
    ViewpointDialog dialog;
    dialog.setValues(rotX, rotY, scale);
    EXPECT_EQ(dialog.field(0)->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog.field(1)->text(), QStringLiteral("-0.3"));
    EXPECT_EQ(dialog.field(2)->text(), QStringLiteral("1"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.rotX(), rotX); // OK without an edit leaves the camera where it was
    EXPECT_EQ(dialog.rotY(), rotY);
    EXPECT_EQ(dialog.scale(), scale);

    // An edited field is read as typed.
    dialog.setValues(rotX, rotY, scale);
    dialog.field(0)->setText(QStringLiteral("12.0"));
    dialog.field(2)->setText(QStringLiteral("0.50"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.rotX(), 12.0);
    EXPECT_EQ(dialog.rotY(), rotY);
    EXPECT_EQ(dialog.scale(), 0.5);
}

TEST(ScreenFitTest, PlacementsStayWhereTheyShowAndMoveOntoAScreenOtherwise) {
    const QRect left(0, 0, 1920, 1050), right(1920, 0, 1280, 1024);
    struct Row {
        QRect wanted;
        QList<QRect> screens;
        QRect placed;
    };
    const Row rows[] = {
        // On a screen: kept, also across the seam of two screens and half off an edge.
        {{100, 80, 800, 600}, {left, right}, {100, 80, 800, 600}},
        {{1700, 80, 800, 600}, {left, right}, {1700, 80, 800, 600}},
        {{1500, 300, 800, 600}, {left}, {1500, 300, 800, 600}},
        // The right monitor unplugged: onto the one left, at its edge.
        {{2100, 100, 800, 600}, {left}, {1120, 100, 800, 600}},
        // Far away or above the top, where no title bar can be grabbed.
        {{-5000, -5000, 800, 600}, {left, right}, {0, 0, 800, 600}},
        {{300, -200, 800, 600}, {left}, {300, 0, 800, 600}},
        {{300, 1040, 800, 600}, {left}, {300, 450, 800, 600}},
        // Larger than the screen that is left: shrunk to it.
        {{2000, 50, 2400, 1400}, {right}, {1920, 0, 1280, 1024}},
        // Mostly on the second screen: moved within that one.
        {{3000, 900, 800, 600}, {left, right}, {2400, 424, 800, 600}},
        // Nothing known about the screens: left as it is.
        {{-5000, 0, 800, 600}, {}, {-5000, 0, 800, 600}},
    };
    for (const Row& r : rows) {
        const QRect placed = placeOnScreens(r.wanted, r.screens);
        EXPECT_EQ(placed, r.placed) << r.wanted.x() << "," << r.wanted.y();
        bool shown = r.screens.isEmpty();
        for (const QRect& s : r.screens)
            shown = shown || s.contains(placed.topLeft());
        EXPECT_TRUE(shown) << r.wanted.x() << "," << r.wanted.y();
    }
}

TEST_F(FirstUseTest, APlacementOffEveryScreenOpensOnTheScreen) {
    std::ofstream(profileFile.toStdString())
        << "[Settings]\nWindowPos=2:1:-1:-1:-1:-1:6000:4000:6700:4500\n";
    start();
    ASSERT_TRUE(frame().hasRestoredPlacement());
    const QRect screen = availableScreenAreas().value(0);
    ASSERT_FALSE(screen.isEmpty());
    EXPECT_TRUE(screen.contains(frame().geometry())) << frame().geometry().x();
    EXPECT_EQ(frame().geometry().size(), QSize(700, 500));
}

TEST_F(FirstUseTest, HelpOpensThePageByItsFullPathOrNamesItInTheMessage) {
    start();
    QDir(dir.path()).mkdir(QStringLiteral("help"));
    const QString page = path("help/index.html");
    std::ofstream(page.toStdString()) << "<html><body>help</body></html>\n";
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    frame().openHelp(QStringLiteral("help/index.html"));
    EXPECT_EQ(prompts.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
    EXPECT_TRUE(prompts.messages.isEmpty());

    prompts.urlResult = false; // no browser on this desktop
    frame().openHelp(QStringLiteral("help/index.html"));
    frame().openHelp(QStringLiteral("help/missing.html"));
    EXPECT_EQ(prompts.messages.size(), 2);
    for (const QString& m : prompts.messages)
        EXPECT_EQ(m, QStringLiteral("ヘルプファイルを開けません\nお手持ちのブラウザで "
                                    "help/index.html をご覧ください "));
    EXPECT_EQ(prompts.messageFiles, (QStringList{page, path("help/missing.html")}));
    QDir::setCurrent(before);
}

TEST(QtTranslationsTest, StandardButtonsAndFileDialogsSpeakJapanese) {
    auto& application = *QCoreApplication::instance();
    const QString english =
        QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
    QTranslator* japanese =
        installQtTranslations(application, QLocale(QLocale::Japanese, QLocale::Japan));
    ASSERT_NE(japanese, nullptr) << "qt6-translations-l10n is not installed";
    {
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QFileDialog dialog(nullptr, QStringLiteral("開く"), QDir::homePath(),
                           QString::fromUtf8(plqFilter));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.resize(640, 420);
        dialog.show();
        QList<QString> texts;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            texts << b->text();
        EXPECT_TRUE(texts.contains(QStringLiteral("キャンセル"))) << texts.join('|').toStdString();
        keepPicture(dialog, "file_dialog_ja.png");
    }
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
    // A language without a catalogue leaves Qt's English texts.
    EXPECT_EQ(installQtTranslations(application, QLocale(QLocale::Swahili)), nullptr);
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), english);
    EXPECT_NE(english, QStringLiteral("キャンセル"));
}

} // namespace
} // namespace plicato
