// The opening window and the viewpoint dialog as widgets: controls, timer, number check.
#include "gui/view/card_opening_dialog.h"
#include "gui/view/viewpoint_dialog.h"
#include "view/number_text.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace plicato;

namespace {

class DialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static QTemporaryDir runtimeDir; // a private runtime folder, as Qt wants one
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
        static int argc = 1;
        static char name[] = "view_dialogs_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }
    void SetUp() override { installDisplayState(&state); }
    void TearDown() override { installDisplayState(nullptr); }
    DisplayState state;
};

} // namespace

TEST_F(DialogTest, OpeningWindowControls) {
    CardOpeningDialog d(nullptr);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("カードの開閉"));
    EXPECT_EQ(d.slider()->minimum(), 0);
    EXPECT_EQ(d.slider()->maximum(), 180);
    EXPECT_EQ(d.slider()->tickInterval(), 10);
    EXPECT_EQ(d.slider()->pageStep(), 10);
    EXPECT_EQ(d.slider()->value(), 90);
    EXPECT_TRUE(d.angleEdit()->isReadOnly());
    EXPECT_EQ(d.angleEdit()->text(), QStringLiteral("90"));
    EXPECT_EQ(d.startButton()->text(), QStringLiteral("開始"));
    EXPECT_EQ(d.rightAngleButton()->text(), QStringLiteral("直角"));
    EXPECT_FALSE(d.isVisible());
}

TEST_F(DialogTest, ShowSlideAnimateAndClose) {
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    CardOpeningDialog d(nullptr);
    int redraws = 0;
    QObject::connect(&d, &CardOpeningDialog::redrawRequested, [&] { ++redraws; });
    d.showOpening();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(state.showEditPlane);
    EXPECT_FALSE(state.inputDisplay);
    EXPECT_EQ(state.mode(), EditMode::PolygonFace);
    EXPECT_GT(redraws, 0);

    d.slider()->setValue(120);
    EXPECT_EQ(state.openAngle, 120);
    EXPECT_EQ(d.angleEdit()->text(), QStringLiteral("120"));

    d.startButton()->click();
    EXPECT_TRUE(d.timerRunning());
    for (int i = 0; i < 3; ++i)
        d.beat();
    const int angle = state.openAngle;
    EXPECT_EQ(angle, 126);
    EXPECT_EQ(d.slider()->value(), angle);
    EXPECT_EQ(d.angleEdit()->text(), QString::number(angle));

    d.rightAngleButton()->click();
    EXPECT_EQ(state.openAngle, 90);
    EXPECT_TRUE(d.timerRunning()); // the animation continues from 90

    d.stopButton()->click();
    EXPECT_FALSE(d.timerRunning());
    const int stopped = state.openAngle;
    d.beat();
    EXPECT_EQ(state.openAngle, stopped);

    d.startButton()->click();
    d.closeButton()->click();
    EXPECT_FALSE(d.timerRunning());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(state.openAngle, 90);
    EXPECT_TRUE(state.showEditPlane);
}

TEST_F(DialogTest, ModeCommandsHideWithoutRestoringThePlane) {
    CardOpeningDialog d(nullptr);
    d.showOpening();
    d.startButton()->click();
    d.hideForModeChange();
    EXPECT_FALSE(d.timerRunning());
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(state.showEditPlane); // until Ctrl+H
}

TEST_F(DialogTest, ViewpointDialogRefusesTextThatIsNotANumber) {
    ViewpointDialog d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("視点情報"));
    d.setValues(30, -12.5, 1);
    EXPECT_EQ(d.field(0)->text(), QStringLiteral("30"));
    EXPECT_EQ(d.field(1)->text(), QStringLiteral("-12.5"));
    d.field(2)->setText(QStringLiteral("abc"));
    QString shownText, shownTitle;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            shownTitle = box->windowTitle();
            box->accept();
        }
    });
    d.accept();
    EXPECT_EQ(shownText, QStringLiteral("数字を入力してください。"));
    EXPECT_EQ(shownTitle, QStringLiteral("PlicatoPRO"));
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.scale(), 1);
    EXPECT_EQ(d.rotY(), -12.5);

    // The angles are taken as typed, without clamping.
    d.field(0)->setText(QStringLiteral("200"));
    d.field(2)->setText(QStringLiteral("2"));
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.rotX(), 200);
    EXPECT_EQ(d.scale(), 2);
}

TEST_F(DialogTest, ViewpointDialogTakesOnlyScalesAboveZero) {
    struct Row {
        const char* scale;
        bool taken;
    };
    const Row rows[] = {{"0", false},       {"-0", false},    {"0.000", false}, {" -3 ", false},
                        {"-1e-300", false}, {"1e-300", true}, {"0.05", true},   {" 2.5 ", true}};
    for (const Row& r : rows) {
        ViewpointDialog d;
        d.setValues(30, -12.5, 1.5);
        int refused = -1;
        QObject::connect(&d, &ViewpointDialog::numberRefused, [&](int i) { refused = i; });
        d.field(0)->setText(QStringLiteral("45")); // an angle edited beside the scale
        d.field(2)->setText(QString::fromUtf8(r.scale));
        QString shown;
        QTimer answer; // dies with the row, so a box that never came leaves no timer behind
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        answer.start(0);
        d.accept();
        EXPECT_EQ(d.result() == QDialog::Accepted, r.taken) << r.scale;
        EXPECT_EQ(refused, r.taken ? -1 : 2) << r.scale;
        EXPECT_EQ(shown,
                  r.taken ? QString() : QStringLiteral("0 より大きい数字を入力してください。"));
        // A refusal takes nothing, the edited angle included.
        EXPECT_EQ(d.rotX(), r.taken ? 45 : 30) << r.scale;
        EXPECT_EQ(d.scale(), r.taken ? *parseDecimal(r.scale) : 1.5) << r.scale;
    }
}

TEST_F(DialogTest, OpeningWindowIsDisabledWhileAnotherWindowIsModal) {
    CardOpeningDialog d(nullptr);
    d.showOpening();
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QApplication::processEvents();
    EXPECT_FALSE(d.isEnabled());
    modal.hide();
    QApplication::processEvents();
    EXPECT_TRUE(d.isEnabled());
}
