// The design check in the main window on a real X display (Xvfb): the View command colours the
// pieces in the view and in the dock's pattern preview and lists the findings; choosing a line or
// clicking a piece in the preview draws the piece selected; an edit re-runs the check; the
// command switches it all off. Every example is shot with its check for review.
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

// Pixels of an area within a few levels of colour `c` in every channel.
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

    // The main window with `example` open and the check on.
    CMainFrame& open(CCardApp& app, const char* example) {
        qputenv("PLICATO_PROFILE", profileDir.filePath(QStringLiteral("profile.ini")).toUtf8());
        EXPECT_TRUE(app.initInstance(
            {QDir(QStringLiteral(PLICATO_EXAMPLES)).filePath(QString::fromLatin1(example))}));
        CMainFrame& frame = *app.mainFrame();
        frame.setGeometry(0, 0, 1240, 780);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        displayState().showEditPlane = false; // the plane would tint the faces on it
        return frame;
    }
    QImage shoot(CMainFrame& frame, const QString& name) {
        frame.dave3vView()->update();
        QTest::qWait(400);
        const QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = QDir(QStringLiteral(PLICATO_TEST_OUTPUT)).filePath(name);
        EXPECT_TRUE(shot.save(file));
        std::printf("screenshot: %s\n", qPrintable(file));
        return shot;
    }
    static QRect areaOf(CMainFrame& frame, QWidget* w) {
        return {w->mapTo(&frame, QPoint()), w->size()};
    }

    static QApplication* application;
    static QTemporaryDir* runtimeDir;
    QTemporaryDir profileDir;
    test::ScriptedPrompts prompts;
};
QApplication* CheckScreenshotTest::application = nullptr;
QTemporaryDir* CheckScreenshotTest::runtimeDir = nullptr;

TEST_F(CheckScreenshotTest, HouseFlapsColouredListedAndChosen) {
    CCardApp app;
    CMainFrame& frame = open(app, "house.plq");
    CDave3vView* view = frame.dave3vView();
    CCheckDock* dock = frame.designCheckDock();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isHidden());
    const auto viewArea = [&] { return areaOf(frame, view); };
    const auto previewArea = [&] { return areaOf(frame, dock->pattern()); };
    const Rgba flap = findingColor(int(FindingKind::Flap));
    const Rgba fine = findingColor(-1);
    const Rgba selected = colorTable().rgba(ColorTable::SelectedFace);

    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    EXPECT_TRUE(displayState().showDesignCheck);
    EXPECT_FALSE(dock->isHidden());
    QImage shot = shoot(frame, QStringLiteral("check_house.png"));
    // The house's two window flaps, and nothing else, are findings.
    const CheckResult* result = view->designCheck();
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->findings.size(), 2u);
    ASSERT_EQ(dock->list()->count(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(dock->list()->item(row)->text().startsWith(QStringLiteral("フラップ")));
        EXPECT_EQ(dock->list()->item(row)->text(),
                  CCheckDock::findingLine(*result, result->findings[std::size_t(row)]));
    }
    EXPECT_EQ(dock->summary()->text(), QStringLiteral("指摘 2 件"));
    const int flapPixels = pixelsLike(shot, viewArea(), flap);
    EXPECT_GT(flapPixels, 100);
    EXPECT_GT(pixelsLike(shot, viewArea(), fine), 2000); // front and roof
    EXPECT_EQ(pixelsLike(shot, viewArea(), findingColor(int(FindingKind::FallsOut))), 0);
    // The preview shows the same classes on the pattern.
    const int previewFlap = pixelsLike(shot, previewArea(), flap);
    EXPECT_GT(previewFlap, 20);
    EXPECT_GT(pixelsLike(shot, previewArea(), fine), 200);
    EXPECT_EQ(pixelsLike(shot, previewArea(), selected), 0);

    // Choosing the first finding draws its flap selected, in the view and in the preview.
    dock->list()->setCurrentRow(0);
    EXPECT_EQ(view->checkPiece(), long(result->findings[0].piece));
    shot = shoot(frame, QStringLiteral("check_house_chosen.png"));
    const int left = pixelsLike(shot, viewArea(), flap);
    EXPECT_LT(left, flapPixels * 3 / 4);
    EXPECT_GT(left, 0);
    EXPECT_GT(pixelsLike(shot, viewArea(), selected), 50);
    EXPECT_GT(pixelsLike(shot, previewArea(), selected), 10);

    // A click on the second flap in the preview makes its line current and draws it selected.
    const PieceCheck& second = result->pieces[result->findings[1].piece];
    const Point2 middle{(second.boxMin.x + second.boxMax.x) / 2,
                        (second.boxMin.y + second.boxMax.y) / 2};
    QTest::mouseClick(dock->pattern(), Qt::LeftButton, {},
                      dock->pattern()->pixelOf(middle).toPoint());
    EXPECT_EQ(dock->list()->currentRow(), 1);
    EXPECT_EQ(view->checkPiece(), long(result->findings[1].piece));
    EXPECT_EQ(dock->pattern()->chosen(), long(result->findings[1].piece));
    // A click on the frame (a corner of the sheet) chooses it without a line of the list.
    const int w = currentModel()->cardWidth, h = currentModel()->cardHeight;
    QTest::mouseClick(dock->pattern(), Qt::LeftButton, {},
                      dock->pattern()->pixelOf({-w / 2.0 + 2, h - 2.0}).toPoint());
    EXPECT_EQ(dock->list()->currentRow(), -1);
    ASSERT_GE(view->checkPiece(), 0);
    EXPECT_TRUE(result->pieces[std::size_t(view->checkPiece())].frame);

    // An edit (the last window flap taken away) re-runs the check with the next frame.
    CardModel* model = currentModel();
    ASSERT_NE(model, nullptr);
    model->userFaces.pop_back();
    rebuildBuiltFaces(*model);
    shot = shoot(frame, QStringLiteral("check_house_edited.png"));
    EXPECT_EQ(dock->list()->count(), 1);
    EXPECT_EQ(view->checkPiece(), -1); // the old piece numbers mean nothing now
    EXPECT_EQ(dock->pattern()->chosen(), -1);

    // The command switches the colours and the list off.
    ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
    EXPECT_FALSE(displayState().showDesignCheck);
    EXPECT_TRUE(dock->isHidden());
    shot = shoot(frame, QStringLiteral("check_off.png"));
    EXPECT_EQ(pixelsLike(shot, viewArea(), flap), 0);
    EXPECT_EQ(pixelsLike(shot, viewArea(), fine), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    frame.close();
}

// Each example with its check: as many lines as findings and doubts, the leading class of every
// flagged piece visible in the view and the preview.
TEST_F(CheckScreenshotTest, EveryExampleShot) {
    struct Row {
        const char* example;
        int findings;
    };
    for (const Row& row : {Row{"house.plq", 2}, Row{"gallery.plq", 4}, Row{"skyline.plq", 0},
                           Row{"box.plq", 0}, Row{"stairs.plq", 0}, Row{"name_card.plq", 12}}) {
        SCOPED_TRACE(row.example);
        CCardApp app;
        CMainFrame& frame = open(app, row.example);
        ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
        const QString name = QStringLiteral("check_") +
                             QString::fromLatin1(row.example).section(QLatin1Char('.'), 0, 0) +
                             QStringLiteral(".png");
        const QImage shot = shoot(frame, name);
        const CheckResult* result = frame.dave3vView()->designCheck();
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(int(result->findings.size()), row.findings);
        CCheckDock* dock = frame.designCheckDock();
        EXPECT_EQ(dock->list()->count(), int(result->findings.size() + result->doubts.size()));
        for (const Finding& f : result->findings) {
            const Rgba c = findingColor(leadingFinding(result->pieces[f.piece]));
            EXPECT_GT(pixelsLike(shot, areaOf(frame, dock->pattern()), c), 0);
        }
        if (row.findings == 0) {
            EXPECT_EQ(dock->summary()->text(),
                      QStringLiteral("指摘はありません（立つことの保証ではありません）"));
        }
        ASSERT_TRUE(frame.runCommand(cmd::DesignCheck));
        frame.close();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(CheckDockText, ListLinesNameTheClassThePieceAndTheAmount) {
    CheckResult r;
    Face front(FacePlane::Vertical, 35);
    Face lid(FacePlane::Horizontal, 40.25);
    r.pieces.resize(2);
    r.pieces[0].face = &front;
    r.pieces[1].face = &lid;
    struct Row {
        Finding finding;
        const char* line;
    };
    for (const Row& row : {
             Row{{FindingKind::SticksOut, 0, 11.0},
                 "閉じたカードからはみ出す  垂直面 35 mm  11 mm はみ出し"},
             Row{{FindingKind::TooThin, 1, 0.3}, "細すぎる  水平面 40.3 mm  幅 0.3 mm"},
             Row{{FindingKind::FallsOut, 1, 0.0}, "抜け落ちる  水平面 40.3 mm"},
             Row{{FindingKind::Flap, 0, 0.0}, "フラップ（蝶番で動く）  垂直面 35 mm"},
             Row{{FindingKind::Flap, 7, 0.0}, "フラップ（蝶番で動く）"}, // no such piece
         })
        EXPECT_EQ(CCheckDock::findingLine(r, row.finding), QString::fromUtf8(row.line));
    EXPECT_EQ(CCheckDock::doubtLine({DoubtKind::Linkage, {2, 3, 4, 5, 6, 7}, 4.0}),
              QStringLiteral("確定できません: 6 個の部品が平行な折り線でつながり、動く可能性があり"
                             "ます (自由度 4)"));
    EXPECT_EQ(CCheckDock::doubtLine({DoubtKind::ShortHold, {1}, 0.25}),
              QStringLiteral("確定できません: 折り線が 0.3 mm しかありません"));
}

} // namespace
} // namespace plicato
