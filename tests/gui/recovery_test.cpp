// Autosave and recovery through the application: a killed instance's design comes back byte for
// byte at the next start, a clean exit or a save leaves no copy, and the three answers to the
// recovery question do what they say.
#include "editing/undo_history.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "model/card_model.h"
#include "model_file/model_file_writer.h"
#include "settings/recovery_store.h"

#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace plicato {
namespace {

using test::ScriptedPrompts;
using Recover = UserPrompts::RecoverAnswer;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        runtimeDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "recovery_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QTemporaryDir> runtimeDir;
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.filePath(QStringLiteral("state/PlicatoPRO/recovery")).toStdString();
        qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
        prompts.saveAnswer = UserPrompts::SaveAnswer::No;
    }
    void TearDown() override {
        quit();
        qunsetenv("PLICATO_PROFILE");
    }

    CMainFrame& start(AutosaveTiming timing = {}) {
        quit();
        app = std::make_unique<CCardApp>();
        FrameOptions options;
        options.createView = false;
        options.recoveryFolder = folder;
        options.autosaveTiming = timing;
        EXPECT_TRUE(app->initInstance({}, options));
        EXPECT_NE(app->mainFrame()->autosave(), nullptr);
        return *app->mainFrame();
    }
    void quit() {
        if (app && app->mainFrame())
            app->mainFrame()->close();
        app.reset();
    }
    QStringList filesInFolder() const {
        return QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden);
    }
    // Starts the driver and waits until it has autosaved its two edits; the copy's path.
    std::string runDriver(QProcess& driver, const char* mode) {
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        driver.start(QStringLiteral(PLICATO_RECOVERY_DRIVER),
                     {QString::fromStdString(folder), QString::fromLatin1(mode)});
        EXPECT_TRUE(driver.waitForStarted(10000));
        QElapsedTimer clock;
        clock.start();
        while (!driver.canReadLine() && clock.elapsed() < 20000 &&
               driver.state() == QProcess::Running)
            driver.waitForReadyRead(200);
        return QString::fromUtf8(driver.readLine()).trimmed().toStdString();
    }
    bool processUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    void editWithSnapshot() {
        CardModel& m = *currentModel();
        pushUndo(m);
        auto face = std::make_unique<Face>(FacePlane::Vertical, 15.0);
        auto loop = std::make_unique<Loop>();
        for (Point2 p : {Point2{-5, 5}, Point2{5, 5}, Point2{0, 12}})
            loop->addPoint(p);
        face->polygon.addLoop(std::move(loop));
        m.userFaces.push_back(std::move(face));
    }

    QTemporaryDir dir;
    std::string folder;
    ScriptedPrompts prompts;
    std::unique_ptr<CCardApp> app;
};

TEST_F(RecoveryTest, AKilledInstanceOffersItsLastAutosaveBackByteForByte) {
    QProcess driver;
    const std::string copy = runDriver(driver, "crash");
    ASSERT_FALSE(copy.empty());
    const std::string lastAutosave = readBytes(copy);
    ASSERT_GT(lastAutosave.size(), 50u);

    // While the driver runs, its copy is its own: a second instance neither offers nor touches it.
    start();
    EXPECT_TRUE(prompts.recoverTitles.isEmpty());
    quit();
    EXPECT_EQ(readBytes(copy), lastAutosave);

    driver.kill(); // SIGKILL: no clean-up of any kind
    ASSERT_TRUE(driver.waitForFinished(10000));
    EXPECT_EQ(driver.exitStatus(), QProcess::CrashExit);

    prompts.recoverAnswers = {Recover::Recover};
    CMainFrame& frame = start();
    ASSERT_EQ(prompts.recoverTitles, QStringList{QStringLiteral("無題")});
    ASSERT_NE(currentModel(), nullptr);
    EXPECT_EQ(encodeModelFile(*currentModel()), lastAutosave);
    EXPECT_TRUE(frame.document().isModified()); // still unsaved, still asks before it goes
    EXPECT_EQ(frame.document().title(), QStringLiteral("無題"));
    // The work moved to this instance's copy; the dead one's is gone.
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(copy)));
    const std::string mine = frame.autosave()->recoveryStore().copyPath();
    EXPECT_EQ(readBytes(mine), lastAutosave);

    quit(); // answered No: the changes are dropped with their copy
    EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(QLatin1Char(' ')).toStdString();
}

TEST_F(RecoveryTest, ACleanExitLeavesNoCopy) {
    QProcess driver;
    ASSERT_FALSE(runDriver(driver, "exit").empty());
    ASSERT_TRUE(driver.waitForFinished(10000));
    EXPECT_EQ(driver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(driver.exitCode(), 0);
    EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(QLatin1Char(' ')).toStdString();
}

TEST_F(RecoveryTest, SavingRemovesTheCopyAndFurtherEditsMakeANewOne) {
    CMainFrame& frame = start({60'000, 30, 10});
    CAutosave& autosave = *frame.autosave();
    RecoveryStore& store = autosave.recoveryStore();
    EXPECT_FALSE(autosave.autosaveNow()); // nothing unsaved, nothing written
    editWithSnapshot();
    ASSERT_TRUE(processUntil([&] { return store.hasCopy(); }));
    EXPECT_EQ(readBytes(store.copyPath()), encodeModelFile(*currentModel()));
    const int writes = autosave.writes();
    EXPECT_FALSE(autosave.autosaveNow()); // the copy already holds these changes
    EXPECT_EQ(autosave.writes(), writes);

    const QString file = dir.filePath(QStringLiteral("card.plq"));
    prompts.saveAnswers.push_back(file);
    ASSERT_TRUE(frame.runCommand(cmd::FileSaveAs));
    EXPECT_FALSE(store.hasCopy());
    const std::string saved = readBytes(file.toStdString());

    editWithSnapshot();
    ASSERT_TRUE(processUntil([&] { return store.hasCopy(); }));
    // The copy is never the user's file, and the user's file is left as saved.
    EXPECT_NE(store.copyPath(), file.toStdString());
    EXPECT_EQ(readBytes(file.toStdString()), saved);
    const RecoveryInfo info = decodeRecoveryInfo(
        readBytes(store.copyPath().substr(0, store.copyPath().size() - 3) + "info"));
    EXPECT_EQ(info.designPath, file.toStdString());
    EXPECT_EQ(info.title, "card");
}

TEST_F(RecoveryTest, ThePeriodicAutosaveCoversEditsWithoutSnapshots) {
    CMainFrame& frame = start({60, 60'000, 10});
    currentModel()->cardWidth = 150; // no undo snapshot taken
    ASSERT_TRUE(processUntil([&] { return frame.autosave()->recoveryStore().hasCopy(); }));
}

TEST_F(RecoveryTest, LaterKeepsTheCopyDiscardRemovesItRecoverKeepsItsName) {
    const QString file = dir.filePath(QStringLiteral("older.plq"));
    { std::ofstream(file.toStdString()) << "the file as last saved"; }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                  QFileDevice::FileModificationTime));
    }
    std::string bytes;
    {
        CardModel m;
        m.cardWidth = 170;
        m.cardHeight = 90;
        m.setGridSize(5);
        bytes = encodeModelFile(m);
        RecoveryStore dead(folder, "1-1");
        ASSERT_TRUE(dead.claim());
        ASSERT_TRUE(dead.write(bytes, {file.toStdString(), "older"}));
    }

    prompts.recoverAnswers = {Recover::Later};
    start();
    EXPECT_EQ(prompts.recoverTitles, QStringList{QStringLiteral("older")});
    EXPECT_NE(currentModel()->cardWidth, 170); // not recovered
    quit();
    EXPECT_TRUE(filesInFolder().contains(QStringLiteral("1-1.plq")));

    prompts.recoverAnswers = {Recover::Recover};
    CMainFrame& frame = start();
    EXPECT_EQ(prompts.recoverTitles.size(), 2);
    EXPECT_EQ(encodeModelFile(*currentModel()), bytes);
    EXPECT_EQ(frame.document().title(), QStringLiteral("older"));
    EXPECT_EQ(frame.document().modelPath(), file);
    EXPECT_TRUE(frame.document().isModified());
    // Saving goes to the design's own file, and the copy goes.
    ASSERT_TRUE(frame.runCommand(cmd::FileSave));
    EXPECT_EQ(readBytes(file.toStdString()), bytes);
    EXPECT_FALSE(frame.autosave()->recoveryStore().hasCopy());
    quit();
    EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(QLatin1Char(' ')).toStdString();

    {
        RecoveryStore dead(folder, "2-2");
        ASSERT_TRUE(dead.claim());
        ASSERT_TRUE(dead.write(bytes, {"", ""}));
    }
    prompts.recoverAnswers = {Recover::Discard};
    start();
    EXPECT_EQ(prompts.recoverTitles.size(), 3);
    EXPECT_EQ(prompts.recoverTitles.back(), QStringLiteral("無題"));
    EXPECT_NE(encodeModelFile(*currentModel()), bytes);
    quit();
    EXPECT_TRUE(filesInFolder().isEmpty());
    start();
    EXPECT_EQ(prompts.recoverTitles.size(), 3); // nothing left to ask about
}

} // namespace
} // namespace plicato
