// The design check in the main window on a real X display (Xvfb): the View command colours the
// house example's pieces and lists its findings in the dock, choosing a finding draws its piece
// selected, an edit re-runs the check, and the command switches it all off again.
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/main_frame.h"
#include "gui/view/check_dock.h"
#include "gui/view/dave3v_view.h"
#include "model/card_model.h"
#include "popup/built_faces.h"
#include "scripted_prompts.h"
#include "view/check_overlay.h"
#include "view/color_table.h"
#include "view/display_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace plicato {
namespace {

// Pixels of the view within a few levels of colour `c` in every channel.
int pixelsLike(const QImage& shot, const QRect& area, const Rgba& c) {
    const int r = int(c.r * 255 + 0.5f), g = int(c.g * 255 + 0.5f), b = int(c.b * 255 + 0.5f);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = shot.pixel(x, y);
            if (std::abs(qRed(p) - r) <= 6 && std::abs(qGreen(p) - g) <= 6 &&
                std::abs(qBlue(p) - b) <= 6)
                ++n;
        }
    return n;
}

class CheckScreenshotTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        runtimeDir = new QTemporaryDir;
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "app_check_screenshot_test";
        static char* argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete application;
        delete runtimeDir;
    }
    static QApplication* application;
    static QTemporaryDir* runtimeDir;
};
QApplication* CheckScreenshotTest::application = nullptr;
QTemporaryDir* CheckScreenshotTest::runtimeDir = nullptr;

TEST_F(CheckScreenshotTest, HouseFlapsColouredListedAndChosen) {
    QTemporaryDir dir;
    qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
    test::ScriptedPrompts prompts;
    CCardApp app;
    ASSERT_TRUE(app.initInstance({QStringLiteral(PLICATO_EXAMPLES "/house.plq")}));
    CMainFrame& frame = *app.mainFrame();
    frame.setGeometry(0, 0, 1200, 760);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CDave3vView* view = frame.dave3vView();
    CCheckDock* dock = frame.designCheckDock();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isHidden());
    displayState().showEditPlane = false; // the plane would tint the faces on it

    const auto shoot = [&](const char* name) {
        view->update();
        QTest::qWait(400);
        const QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = QDir(QStringLiteral(PLICATO_TEST_OUTPUT)).filePath(name);
        EXPECT_TRUE(shot.save(file));
        std::printf("screenshot: %s\n", qPrintable(file));
        return shot;
    };
    const auto viewArea = [&] { return QRect(view->mapTo(&frame, QPoint()), view->size()); };
    const Rgba flap = findingColor(int(FindingKind::Flap));
    const Rgba fine = findingColor(-1);

    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    EXPECT_TRUE(displayState().showDesignCheck);
    EXPECT_FALSE(dock->isHidden());
    QImage shot = shoot("check_house.png");
    // The house's two window flaps, and nothing else, are findings.
    ASSERT_EQ(dock->list()->count(), 2);
    for (int row = 0; row < 2; ++row)
        EXPECT_TRUE(dock->list()->item(row)->text().startsWith(QStringLiteral("フラップ")));
    EXPECT_EQ(dock->summary()->text(), QStringLiteral("指摘 2 件"));
    const int flapPixels = pixelsLike(shot, viewArea(), flap);
    EXPECT_GT(flapPixels, 100);
    EXPECT_GT(pixelsLike(shot, viewArea(), fine), 2000); // front and roof
    EXPECT_EQ(pixelsLike(shot, viewArea(), findingColor(int(FindingKind::FallsOut))), 0);

    // Choosing the first finding draws its flap selected.
    dock->list()->setCurrentRow(0);
    shot = shoot("check_house_chosen.png");
    const int left = pixelsLike(shot, viewArea(), flap);
    EXPECT_LT(left, flapPixels * 3 / 4);
    EXPECT_GT(left, 0);
    EXPECT_GT(pixelsLike(shot, viewArea(), colorTable().rgba(ColorTable::SelectedFace)), 50);

    // An edit (the last window flap taken away) re-runs the check with the next frame.
    CardModel* model = currentModel();
    ASSERT_NE(model, nullptr);
    model->userFaces.pop_back();
    rebuildBuiltFaces(*model);
    shot = shoot("check_house_edited.png");
    EXPECT_EQ(dock->list()->count(), 1);

    // The command switches the colours and the list off.
    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    EXPECT_FALSE(displayState().showDesignCheck);
    EXPECT_TRUE(dock->isHidden());
    shot = shoot("check_off.png");
    EXPECT_EQ(pixelsLike(shot, viewArea(), flap), 0);
    EXPECT_EQ(pixelsLike(shot, viewArea(), fine), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    frame.close();
}

TEST_F(CheckScreenshotTest, GalleryWindowsFallOut) {
    QTemporaryDir dir;
    qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
    test::ScriptedPrompts prompts;
    CCardApp app;
    ASSERT_TRUE(app.initInstance({QStringLiteral(PLICATO_EXAMPLES "/gallery.plq")}));
    CMainFrame& frame = *app.mainFrame();
    frame.setGeometry(0, 0, 1200, 760);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    displayState().showEditPlane = false;
    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    frame.dave3vView()->update();
    QTest::qWait(400);
    const QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString file =
        QDir(QStringLiteral(PLICATO_TEST_OUTPUT)).filePath(QStringLiteral("check_gallery.png"));
    EXPECT_TRUE(shot.save(file));
    std::printf("screenshot: %s\n", qPrintable(file));
    // The paper of the two square windows and of the round one (on both halves) drops out.
    CCheckDock* dock = frame.designCheckDock();
    ASSERT_EQ(dock->list()->count(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(dock->list()->item(row)->text().startsWith(QStringLiteral("抜け落ちる")));
    CDave3vView* view = frame.dave3vView();
    const QRect area(view->mapTo(&frame, QPoint()), view->size());
    EXPECT_GT(pixelsLike(shot, area, findingColor(int(FindingKind::FallsOut))), 100);
    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    frame.close();
}

} // namespace
} // namespace plicato
