// A user's first design from end to end on a real X display: a box pop-up (one upright and one
// lying face) clicked with real mouse events on the view, saved, read back, and its pattern
// compared with the cut, mountain and valley lines a box must have. Screenshots of the modes.
#include "gui/dialogs/new_card_dialog.h"
#include "gui/dialogs/scale_faces_dialog.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/main_frame.h"
#include "gui/view/dave3v_view.h"
#include "model/card_model.h"
#include "model/message_sink.h"
#include "model_file/model_file_reader.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "scripted_prompts.h"
#include "view/display_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace plicato {
namespace {

// A line as a sorted tuple, so that lists compare whatever the direction of each line.
using Line = std::tuple<int, double, double, double, double>;

Line normalised(const PatternLine& l) {
    auto r = [](double v) { return std::round(v * 1000) / 1000; };
    double x1 = r(l.x1), y1 = r(l.y1), x2 = r(l.x2), y2 = r(l.y2);
    if (std::tie(x2, y2) < std::tie(x1, y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    return {l.kind, x1, y1, x2, y2};
}

class DesignEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        runtimeDir = new QTemporaryDir;
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "design_end_to_end_test";
        static char* argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete application;
        delete runtimeDir;
    }
    // Window position of a model point in the view, as the mouse gives it.
    QPoint at(CDave3vView& view, const Point3& p) {
        const WindowPoint w = view.controller().refreshProjection().project(p);
        return {int(std::lround(w.x)), int(std::lround(w.y))};
    }
    void clickAll(CDave3vView& view, std::initializer_list<Point3> points) {
        for (const Point3& p : points) {
            QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, at(view, p));
            QTest::qWait(20);
        }
    }
    void shoot(CMainFrame& frame, const char* name) {
        QTest::qWait(100);
        const QImage shot = frame.grab().toImage();
        const QString file = QDir(QStringLiteral(PLICATO_TEST_OUTPUT))
                                 .filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        EXPECT_TRUE(shot.save(file));
        std::printf("screenshot: %s\n", qPrintable(file));
    }
    static QApplication* application;
    static QTemporaryDir* runtimeDir;
};
QApplication* DesignEndToEnd::application = nullptr;
QTemporaryDir* DesignEndToEnd::runtimeDir = nullptr;

TEST_F(DesignEndToEnd, BoxPopUpClickedSavedAndCut) {
    QTemporaryDir dir;
    qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
    test::ScriptedPrompts prompts;
    CCardApp app;
    ASSERT_TRUE(app.initInstance({}));
    CMainFrame& frame = *app.mainFrame();
    frame.setGeometry(0, 0, 1024, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CDave3vView& view = *frame.dave3vView();

    prompts.dialogAnswer = [](QDialog& d) {
        auto& dialog = dynamic_cast<NewCardDialog&>(d);
        dialog.widthList()->setCurrentText(QStringLiteral("16"));
        dialog.heightList()->setCurrentText(QStringLiteral("8"));
        dialog.gridList()->setCurrentText(QStringLiteral("10"));
        return int(QDialog::Accepted);
    };
    prompts.saveAnswer = UserPrompts::SaveAnswer::No;
    ASSERT_TRUE(frame.runCommand(cmd::FileNew));
    ASSERT_TRUE(frame.runCommand(cmd::PolygonFace));
    view.setFocus();
    QTest::qWait(50);

    // The upright face 20 mm in front of the fold, from the base to 30 mm up.
    for (int i = 0; i < 10 && currentModel()->editOffset > 20; ++i)
        QTest::keyClick(&view, Qt::Key_Up); // towards the fold
    ASSERT_EQ(currentModel()->editOffset, 20);
    clickAll(view, {{-20, 20, 0}, {20, 20, 0}, {20, 20, 30}, {-20, 20, 30}});
    EXPECT_EQ(currentModel()->drawPoints.size(), 4u);
    shoot(frame, "polygon_input");
    clickAll(view, {{-20, 20, 0}});
    ASSERT_EQ(currentModel()->userFaces.size(), 3u);

    // Space: the lying plane at the top of that face; the lid runs back to the fold.
    QTest::keyClick(&view, Qt::Key_Space);
    ASSERT_EQ(currentModel()->editPlane, FacePlane::Horizontal);
    ASSERT_EQ(currentModel()->editOffset, 30);
    clickAll(view, {{-20, 0, 30}, {20, 0, 30}, {20, 20, 30}, {-20, 20, 30}, {-20, 0, 30}});
    ASSERT_EQ(currentModel()->userFaces.size(), 4u);
    shoot(frame, "box_popup");

    // Undo takes the lid away, redo brings it back.
    ASSERT_TRUE(frame.runCommand(cmd::Undo));
    EXPECT_EQ(currentModel()->userFaces.size(), 3u);
    ASSERT_TRUE(frame.runCommand(cmd::Redo));
    EXPECT_EQ(currentModel()->userFaces.size(), 4u);
    EXPECT_FALSE(frame.runCommand(cmd::Redo)) << "nothing left to redo";

    // The other modes as the user sees them.
    ASSERT_TRUE(frame.runCommand(cmd::FaceOperation));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, at(view, {0, 10, 30}));
    EXPECT_EQ(currentModel()->selectedFaces.size(), 1u);
    shoot(frame, "face_operation_selected");

    // A factor whose result could not be saved is refused before anything changes.
    const std::vector<Point2> lid = currentModel()->selectedFaces.at(0)->polygon.loops[0]->points;
    const std::size_t steps = currentModel()->undoHistory.size();
    for (const char* percent : {"100000000", "100"}) {
        prompts.dialogAnswer = [percent](QDialog& d) {
            auto& dialog = dynamic_cast<ScaleFacesDialog&>(d);
            dialog.percentEdit()->setText(QString::fromLatin1(percent));
            return dialog.okButton()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        ASSERT_TRUE(frame.runCommand(cmd::ScaleFaces));
    }
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("保存")) ||
                prompts.messages[0].contains(QStringLiteral("saved")))
        << "names what is at stake";
    prompts.messages.clear();
    EXPECT_EQ(currentModel()->undoHistory.size(), steps + 1) << "only the 100 % step";
    const auto& scaled = currentModel()->selectedFaces.at(0)->polygon.loops[0]->points;
    ASSERT_EQ(scaled.size(), lid.size());
    for (std::size_t i = 0; i < lid.size(); ++i) {
        EXPECT_NEAR(scaled[i].x, lid[i].x, 1e-9);
        EXPECT_NEAR(scaled[i].y, lid[i].y, 1e-9);
    }
    ASSERT_TRUE(frame.runCommand(cmd::OutlineEdit));
    shoot(frame, "outline_edit");
    ASSERT_TRUE(frame.runCommand(cmd::PopupDisplay));
    EXPECT_EQ(displayState().mode(), EditMode::PolygonFace);

    const QString file = dir.filePath(QStringLiteral("box.plq"));
    prompts.saveAnswers.push_back(file);
    ASSERT_TRUE(frame.runCommand(cmd::FileSaveAs));
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char('|')).toStdString();
    frame.close();

    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(file.toStdString(), sink));
    CardModel& model = *currentModel();
    ASSERT_EQ(model.userFaces.size(), 4u);
    buildPattern(model);
    PatternLineList lines;
    collectPatternLines(model, lines);
    std::vector<Line> got;
    for (const PatternLine& l : lines)
        got.push_back(normalised(l));
    std::sort(got.begin(), got.end());
    // Sheet coordinates: the box takes x -20..20 and y -20..30 of the sheet (y 0 is the fold).
    std::vector<Line> expected = {
        // the sheet's edge
        {0, -80, -80, -80, 80},
        {0, -80, -80, 80, -80},
        {0, -80, 80, 80, 80},
        {0, 80, -80, 80, 80},
        // the two sides of the box are cut free
        {0, -20, -20, -20, 30},
        {0, 20, -20, 20, 30},
        // the front edge of the lid stands out
        {1, -20, 10, 20, 10},
        // the fold beside the box, the foot of the front and the back of the lid
        {2, -80, 0, -20, 0},
        {2, 20, 0, 80, 0},
        {2, -20, -20, 20, -20},
        {2, -20, 30, 20, 30},
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
    for (const Line& l : got)
        std::printf("line kind %d (%g, %g) - (%g, %g)\n", std::get<0>(l), std::get<1>(l),
                    std::get<2>(l), std::get<3>(l), std::get<4>(l));
}

} // namespace
} // namespace plicato
