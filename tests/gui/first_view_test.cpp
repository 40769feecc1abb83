// The main window with its OpenGL view on Xvfb, as a newcomer first meets it: a new card of the
// largest size wholly in view, the fit command, the projection's check mark after an axis snap,
// and the card-opening window beside the view.
#include "gui/dialogs/new_card_dialog.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/start_options.h"
#include "gui/main_window/user_prompts.h"
#include "gui/view/card_opening_dialog.h"
#include "gui/view/dave3v_view.h"
#include "model/card_model.h"
#include "scripted_prompts.h"
#include "settings/profile_store.h"
#include "view/display_state.h"
#include "view/view_fit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace plicato {
namespace {

class FirstViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        runtimeDir = new QTemporaryDir;
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "first_view_test";
        static char* argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete application;
        delete runtimeDir;
    }
    void SetUp() override {
        qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
        prompts.saveAnswer = UserPrompts::SaveAnswer::No;
    }
    void TearDown() override {
        if (app.mainFrame())
            app.mainFrame()->close();
        displayState() = DisplayState();
    }
    CMainFrame& start(const QSize& size) {
        EXPECT_TRUE(app.initInstance({}));
        CMainFrame& frame = *app.mainFrame();
        frame.setGeometry(0, 0, size.width(), size.height());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QTest::qWait(100);
        return frame;
    }
    // New with the three lists set to these entries.
    void newCard(CMainFrame& frame, int widthCm, int heightCm) {
        prompts.dialogAnswer = [=](QDialog& d) {
            auto& dialog = dynamic_cast<NewCardDialog&>(d);
            dialog.widthList()->setCurrentText(QString::number(widthCm));
            dialog.heightList()->setCurrentText(QString::number(heightCm));
            dialog.gridList()->setCurrentText(QStringLiteral("10"));
            return int(QDialog::Accepted);
        };
        ASSERT_TRUE(frame.runCommand(cmd::FileNew));
        QTest::qWait(50);
    }
    // Window extent of the card's corners in the view as it will draw the next frame.
    static QRectF cardExtent(CDave3vView& view) {
        ViewController& c = view.controller();
        c.resize(view.width(), view.height());
        const ProjectionCache& p = c.refreshProjection();
        const CardModel& m = *currentModel();
        double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
        for (const Point3& corner : cardCorners(m.cardWidth, m.cardHeight, 90)) {
            const WindowPoint w = p.project(corner);
            minX = std::min(minX, w.x);
            maxX = std::max(maxX, w.x);
            minY = std::min(minY, w.y);
            maxY = std::max(maxY, w.y);
        }
        return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
    }

    static QApplication* application;
    static QTemporaryDir* runtimeDir;
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    CCardApp app;
};
QApplication* FirstViewTest::application = nullptr;
QTemporaryDir* FirstViewTest::runtimeDir = nullptr;

TEST_F(FirstViewTest, NewCardsOfEverySizeAreWhollyInViewAndSmallOnesKeepTheResetCamera) {
    CMainFrame& frame = start(QSize(1024, 700));
    CDave3vView* view = frame.dave3vView();
    ASSERT_NE(view, nullptr);
    const QRectF viewRect(0, 0, view->width(), view->height());
    const int sizes[][2] = {{20, 20}, {18, 20}, {5, 20}, {20, 5}, {16, 8}, {5, 5}, {12, 15}};
    for (const auto& size : sizes) {
        newCard(frame, size[0], size[1]);
        ASSERT_EQ(currentModel()->cardWidth, size[0] * 10);
        const QRectF extent = cardExtent(*view);
        EXPECT_TRUE(viewRect.contains(extent)) << size[0] << " x " << size[1];
        const Camera& camera = view->controller().camera;
        EXPECT_EQ(camera.rotX, 30);
        EXPECT_EQ(camera.rotY, 0);
        if (camera.scale != 1.0) { // fitted: the card fills the view up to the margin
            EXPECT_GT(
                std::max(extent.width() / viewRect.width(), extent.height() / viewRect.height()),
                0.85)
                << size[0] << " x " << size[1];
        }
    }
    // The first card's size in this window needs no fitting: the camera is the reset one.
    newCard(frame, 16, 8);
    EXPECT_EQ(view->controller().camera.scale, 1.0);
    EXPECT_EQ(view->controller().camera.panX, 0.0);
    EXPECT_EQ(view->controller().camera.panY, 0.0);

    newCard(frame, 20, 20);
    QTest::qWait(200);
    const QImage shot = frame.grab().toImage();
    const QString file =
        QDir(QStringLiteral(PLICATO_TEST_OUTPUT)).filePath(QStringLiteral("largest_new_card.png"));
    ASSERT_TRUE(shot.save(file));
    std::printf("screenshot: %s\n", qPrintable(file));
}

TEST_F(FirstViewTest, ResetAndFitBringTheWholeCardBack) {
    CMainFrame& frame = start(QSize(800, 560));
    CDave3vView* view = frame.dave3vView();
    ASSERT_NE(view, nullptr);
    newCard(frame, 20, 20);
    const QRectF viewRect(0, 0, view->width(), view->height());
    Camera& camera = view->controller().camera;
    struct Row {
        double rotX, rotY, scale, panX;
    };
    const Row rows[] = {{30, 0, 6, 0.5}, {80, 45, 3, -0.8}, {-20, 170, 0.2, 0}, {0, 90, 9, 0.1}};
    for (const Row& r : rows) {
        camera.rotX = r.rotX;
        camera.rotY = r.rotY;
        camera.scale = r.scale;
        camera.panX = r.panX;
        ASSERT_TRUE(frame.runCommand(cmd::FitView));
        EXPECT_EQ(camera.rotX, r.rotX) << "fitting does not turn the card";
        EXPECT_TRUE(viewRect.contains(cardExtent(*view))) << r.rotX << " " << r.rotY;
        camera.scale = r.scale;
        ASSERT_TRUE(frame.runCommand(cmd::ResetView));
        EXPECT_EQ(camera.rotX, 30);
        EXPECT_TRUE(viewRect.contains(cardExtent(*view))) << r.rotX << " " << r.rotY;
    }
    EXPECT_EQ(frame.action(cmd::FitView)->shortcut(), QKeySequence(Qt::Key_Home));
}

TEST_F(FirstViewTest, ProjectionCheckMarkIsTheUsersSwitchWhileASnapOnlyLendsTheProjection) {
    CMainFrame& frame = start(QSize(800, 560));
    CDave3vView* view = frame.dave3vView();
    ASSERT_NE(view, nullptr);
    QAction* ortho = frame.action(cmd::Orthographic);
    const QPoint centre(view->width() / 2, view->height() / 2);
    // A right drag ending near the left view snaps to it and draws orthographically...
    view->controller().camera.rotX = 3;
    view->controller().camera.rotY = -88;
    QTest::mousePress(view, Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseRelease(view, Qt::RightButton, Qt::NoModifier, centre);
    frame.updateCommandStates();
    EXPECT_TRUE(view->controller().camera.axisSnapped);
    EXPECT_TRUE(view->controller().camera.usesOrthographic(displayState()));
    // ...while the menu's check mark shows the user's own switch, which is off.
    EXPECT_FALSE(ortho->isChecked());
    ASSERT_TRUE(frame.runCommand(cmd::Orthographic));
    EXPECT_TRUE(ortho->isChecked());
    EXPECT_TRUE(displayState().orthographic);
    // The next right press leaves the snap; the switch keeps the projection orthographic.
    QTest::mousePress(view, Qt::RightButton, Qt::NoModifier, centre);
    EXPECT_FALSE(view->controller().camera.axisSnapped);
    EXPECT_TRUE(view->controller().camera.usesOrthographic(displayState()));
    view->controller().camera.rotX = 30; // as a drag upwards would leave it: no snap this time
    QTest::mouseRelease(view, Qt::RightButton, Qt::NoModifier, centre + QPoint(40, 0));
    EXPECT_FALSE(view->controller().camera.axisSnapped);
    ASSERT_TRUE(frame.runCommand(cmd::Orthographic));
    EXPECT_FALSE(ortho->isChecked());
    EXPECT_FALSE(view->controller().camera.usesOrthographic(displayState()));
}

TEST_F(FirstViewTest, OpeningWindowOpensBesideTheViewAndReopensWhereItWasLeft) {
    CMainFrame& frame = start(QSize(800, 560));
    CDave3vView* view = frame.dave3vView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(frame.runCommand(cmd::CardOpening));
    CardOpeningDialog* opening = view->cardOpeningDialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(opening));
    const QRect viewArea(view->mapToGlobal(QPoint(0, 0)), view->size());
    const QRect placed = opening->frameGeometry();
    EXPECT_FALSE(placed.intersects(viewArea)) << placed.x() << "," << placed.y();
    EXPECT_TRUE(opening->screen()->availableGeometry().contains(placed));
    EXPECT_EQ(placed.top(), viewArea.top());

    opening->move(900, 600);
    QTest::qWait(50);
    const QPoint left = opening->pos();
    opening->closeButton()->click();
    EXPECT_FALSE(opening->isVisible());
    ASSERT_TRUE(frame.runCommand(cmd::CardOpening));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(opening));
    EXPECT_EQ(opening->pos(), left);
    opening->closeButton()->click();

    // The next run opens it there too; a place from the profile that no screen shows is not.
    frame.close();
    ProfileStore written(dir.filePath(QStringLiteral("profile.ini")).toStdString());
    ASSERT_TRUE(written.load());
    EXPECT_EQ(written.getString("Settings", "openingWindowPos").value_or(""),
              QStringLiteral("%1:%2").arg(left.x()).arg(left.y()).toStdString());
    for (const QPoint& stored : {left, QPoint(9000, -700)}) {
        ProfileStore profile(dir.filePath(QStringLiteral("profile.ini")).toStdString());
        ASSERT_TRUE(profile.load());
        profile.setString("Settings", "openingWindowPos",
                          QStringLiteral("%1:%2").arg(stored.x()).arg(stored.y()).toStdString());
        ASSERT_TRUE(profile.save());
        CCardApp next;
        ASSERT_TRUE(next.initInstance({}));
        ASSERT_TRUE(next.mainFrame()->runCommand(cmd::CardOpening));
        CardOpeningDialog* again = next.mainFrame()->dave3vView()->cardOpeningDialog();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(again));
        if (stored == left)
            EXPECT_EQ(again->pos(), left);
        else
            EXPECT_TRUE(again->screen()->availableGeometry().contains(again->frameGeometry()));
        again->closeButton()->click();
        next.mainFrame()->close();
    }
}

TEST_F(FirstViewTest, OpeningWindowGoesIntoTheViewsCornerWhenNoSideHasRoom) {
    CMainFrame& frame = start(QSize(1280, 760));
    CDave3vView* view = frame.dave3vView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(frame.runCommand(cmd::CardOpening));
    CardOpeningDialog* opening = view->cardOpeningDialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(opening));
    const QRect viewArea(view->mapToGlobal(QPoint(0, 0)), view->size());
    const QRect placed = opening->frameGeometry();
    // Top right of the view, not over the middle where the card stands.
    EXPECT_TRUE(viewArea.contains(placed)) << placed.x() << "," << placed.y();
    EXPECT_GT(placed.left(), viewArea.center().x());
    EXPECT_LT(placed.bottom(), viewArea.center().y());
    opening->closeButton()->click();
}

TEST_F(FirstViewTest, SaveAsDialogSpeaksJapaneseAndStartsInTheDesignsFolder) {
    CMainFrame& frame = start(QSize(900, 620));
    QTranslator* japanese =
        installQtTranslations(*application, QLocale(QLocale::Japanese, QLocale::Japan));
    ASSERT_NE(japanese, nullptr);
    QDir(dir.path()).mkdir(QStringLiteral("designs"));
    const QString design = dir.filePath(QStringLiteral("designs/house.plq"));
    prompts.saveAnswers.push_back(design);
    ASSERT_TRUE(frame.runCommand(cmd::FileSaveAs));

    // The real dialog, as Save As shows it, looked at and then cancelled.
    QString shownFolder, suffix;
    QStringList buttons;
    QTimer::singleShot(400, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownFolder = dialog->directory().absolutePath();
        suffix = dialog->defaultSuffix();
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            buttons << b->text();
        const QString file = QDir(QStringLiteral(PLICATO_TEST_OUTPUT))
                                 .filePath(QStringLiteral("save_as_dialog_ja.png"));
        dialog->grab().save(file);
        std::printf("screenshot: %s\n", qPrintable(file));
        dialog->reject();
    });
    UserPrompts plain;
    EXPECT_EQ(
        plain.saveFileName(&frame, frame.document().saveFolder(), QString::fromUtf8(plqFilter)),
        QString());
    EXPECT_EQ(shownFolder, QDir(dir.filePath(QStringLiteral("designs"))).absolutePath());
    EXPECT_EQ(suffix, QStringLiteral("plq"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("保存(&S)")) ||
                buttons.contains(QStringLiteral("保存")))
        << buttons.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("キャンセル")))
        << buttons.join(QLatin1Char('|')).toStdString();
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
}

} // namespace
} // namespace plicato
