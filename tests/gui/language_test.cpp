// The two interfaces: Japanese shows the texts exactly as written, English translates menus,
// titles, prompts and the core's messages; the Language menu keeps its choice in the profile;
// Help opens the page of the interface's language; Qt's own dialogs follow the interface.
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/ui_language.h"
#include "settings/app_settings.h"

#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>

namespace plicato {
namespace {

using test::ScriptedPrompts;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        runtimeDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "language_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QTemporaryDir> runtimeDir;
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
        prompts.saveAnswer = UserPrompts::SaveAnswer::No;
    }
    void TearDown() override {
        if (app && app->mainFrame())
            app->mainFrame()->close();
        app.reset();
        installUiLanguage(*QCoreApplication::instance(), QStringLiteral("ja"));
        qunsetenv("PLICATO_PROFILE");
    }
    CMainFrame& start(const char* language) {
        EXPECT_TRUE(
            installUiLanguage(*QCoreApplication::instance(), QString::fromLatin1(language)));
        app = std::make_unique<CCardApp>();
        EXPECT_TRUE(app->initInstance({}, FrameOptions{false}));
        return *app->mainFrame();
    }
    QStringList menuTitles() const {
        QStringList titles;
        for (QAction* a : app->mainFrame()->menuBar()->actions())
            titles << a->text();
        return titles;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<CCardApp> app;
};

TEST_F(LanguageTest, JapaneseShowsTheTextsAsWritten) {
    CMainFrame& frame = start("ja");
    EXPECT_EQ(uiLanguageInstalled(), QStringLiteral("ja"));
    const QStringList titles = menuTitles();
    ASSERT_GE(titles.size(), 6);
    EXPECT_EQ(titles[0], QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(titles[4], QStringLiteral("設定(&C)"));
    EXPECT_EQ(frame.action(cmd::FileNew)->text(), QStringLiteral("新規作成(&N)"));
    EXPECT_EQ(frame.action(cmd::FileNew)->statusTip(), QStringLiteral("新しい台紙を作成します"));
    EXPECT_EQ(frame.document().title(), QStringLiteral("無題"));
    EXPECT_TRUE(CMainFrame::idleHintText().startsWith(QStringLiteral("左ｸﾘｯｸ:面作成 | ")));
    EXPECT_EQ(translateCoreMessage("画像ファイルが見つかりません\n/x/front.bmp"),
              QStringLiteral("画像ファイルが見つかりません\n/x/front.bmp"));
    EXPECT_EQ(helpPageName(), QStringLiteral("index.html"));
}

TEST_F(LanguageTest, EnglishTranslatesMenusTitlesPromptsAndCoreMessages) {
    CMainFrame& frame = start("en");
    EXPECT_EQ(uiLanguageInstalled(), QStringLiteral("en"));
    const QStringList titles = menuTitles();
    ASSERT_GE(titles.size(), 6);
    EXPECT_EQ(titles[0], QStringLiteral("&File"));
    EXPECT_EQ(titles[4], QStringLiteral("Se&ttings"));
    EXPECT_EQ(frame.action(cmd::FileNew)->text(), QStringLiteral("&New"));
    EXPECT_EQ(frame.action(cmd::FileNew)->statusTip(), QStringLiteral("Creates a new card"));
    EXPECT_EQ(frame.document().title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(CMainFrame::idleHintText().startsWith(QStringLiteral("Left click")));
    // Every action of the window speaks English: no Japanese left in any text.
    const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
    for (QAction* a : frame.findChildren<QAction*>()) {
        if (a->objectName() != QStringLiteral("language-ja")) {
            EXPECT_FALSE(a->text().contains(japanese)) << a->text().toStdString();
        }
        EXPECT_FALSE(a->statusTip().contains(japanese)) << a->statusTip().toStdString();
    }
    struct Row {
        std::string core;
        QString shown;
    };
    const Row rows[] = {
        {"画像ファイルが見つかりません\n/x/front.bmp",
         QStringLiteral("Picture file not found\n/x/front.bmp")},
        {"ファイルに書き込めません", QStringLiteral("Cannot write to the file")},
        {"新しいバージョンのファイルなため、本バージョンでは読み込めません。\n"
         "最新版のPlicatoPROを入手してください。",
         QStringLiteral("The file comes from a newer version and cannot be read by this "
                        "version.\nPlease get the latest PlicatoPRO.")},
        {"Unknown DIB file format.", QStringLiteral("Unknown DIB file format.")},
        {"曲線部の分割線分長には、0.25から5の値を指定してください",
         QStringLiteral("Please give a segment length on curves from 0.25 to 5")},
        {"フォントが見つかりません。\nIPAGothic",
         QStringLiteral("The font cannot be found.\nIPAGothic")},
        {"まだ訳のない文 12", QStringLiteral("まだ訳のない文 12")},
    };
    for (const Row& r : rows)
        EXPECT_EQ(translateCoreMessage(r.core), r.shown) << r.core;
    // Help opens the English page.
    EXPECT_EQ(helpPageName(), QStringLiteral("en.html"));
    prompts.urls.clear();
    frame.runCommand(cmd::Help);
    if (!prompts.urls.isEmpty()) {
        EXPECT_TRUE(prompts.urls.back().toLocalFile().endsWith(QStringLiteral("/en.html")));
    } else {
        ASSERT_FALSE(prompts.messages.isEmpty());
        EXPECT_TRUE(prompts.messages.back().contains(QStringLiteral("en.html")));
    }
}

TEST_F(LanguageTest, TheLanguageMenuKeepsItsChoiceInTheProfile) {
    CMainFrame& frame = start("ja");
    QMenu* language = frame.findChild<QMenu*>(QStringLiteral("languageMenu"));
    ASSERT_NE(language, nullptr);
    QAction* english = frame.findChild<QAction*>(QStringLiteral("language-en"));
    QAction* automatic = frame.findChild<QAction*>(QStringLiteral("language-auto"));
    ASSERT_NE(english, nullptr);
    ASSERT_NE(automatic, nullptr);
    EXPECT_TRUE(automatic->isChecked());
    english->trigger();
    EXPECT_EQ(prompts.messages.back(), QStringLiteral("言語は次回の起動から切り替わります。"));
    EXPECT_EQ(app->profile().getString(settingsSection, "language"), "en");
    // The next start reads it back, whatever the locale says.
    ProfileStore reread(dir.filePath(QStringLiteral("profile.ini")).toStdString());
    ASSERT_TRUE(reread.load());
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(chosenUiLanguage(reread), QStringLiteral("en"));
    reread.setString(settingsSection, "language", "");
    EXPECT_EQ(chosenUiLanguage(reread), QStringLiteral("ja"));
    qputenv("LANG", "en_US.UTF-8");
    EXPECT_EQ(chosenUiLanguage(reread), QStringLiteral("en"));
}

TEST_F(LanguageTest, QtsOwnDialogsSpeakTheInterfacesLanguage) {
    const QByteArray lang = qgetenv("LANG");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    struct Row {
        const char* choice; // the profile's Language entry
        const char* locale;
        const char* cancel; // what a standard Cancel button then says
    };
    // In an order that switches both ways, so a catalogue left behind would show.
    const Row rows[] = {{"", "ja_JP.UTF-8", "キャンセル"},
                        {"en", "ja_JP.UTF-8", "Cancel"},
                        {"", "en_GB.UTF-8", "Cancel"},
                        {"ja", "de_DE.UTF-8", "キャンセル"},
                        {"", "C", "Cancel"},
                        {"", "ja_JP", "キャンセル"},
                        {"", "fr_FR.UTF-8", "Cancel"}};
    for (const Row& r : rows) {
        ProfileStore profile(dir.filePath(QStringLiteral("profile.ini")).toStdString());
        profile.setString(settingsSection, "language", r.choice);
        qputenv("LANG", r.locale);
        installUiLanguage(*QCoreApplication::instance(), chosenUiLanguage(profile));
        const QString cancel = QString::fromUtf8(r.cancel);
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), cancel) << r.choice << r.locale;
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QStringList buttons;
        for (QPushButton* b : files.findChildren<QPushButton*>())
            buttons << b->text();
        EXPECT_TRUE(buttons.contains(cancel)) << buttons.join('|').toStdString();
    }
    qputenv("LANG", lang);
}

} // namespace
} // namespace plicato
