// The text-shape dialog and the settings dialogs as widgets on the offscreen platform: ranges
// and their messages, the colour buttons and their frame, the card-size preview and shrink
// question. Each dialog is also grabbed as a picture for review.
#include "gui/dialogs/card_size_dialog.h"
#include "gui/dialogs/color_button.h"
#include "gui/dialogs/color_settings_dialog.h"
#include "gui/dialogs/dialog_messages.h"
#include "gui/dialogs/grid_size_dialog.h"
#include "gui/dialogs/text_shape_dialog.h"
#include "gui/dialogs/underlay_dialog.h"
#include "popup/new_card.h"
#include "text/font_list.h"
#include "view/color_table.h"
#include "view/display_state.h"
#include "view/underlay_placement.h"

#include <QCheckBox>
#include <QRadioButton>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace plicato;

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static QTemporaryDir runtimeDir;
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
        static int argc = 1;
        static char name[] = "settings_dialogs_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(makeNewCard(75, 80));
        setDialogMessageHandler([this](QWidget*, const QString& text) { messages << text; });
    }
    void TearDown() override {
        setDialogMessageHandler({});
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    // Saves the dialog as it is drawn, for a look at its labels.
    static void keepPicture(QWidget& w, const char* name) {
        w.adjustSize();
        const QImage image = w.grab().toImage();
        EXPECT_FALSE(image.isNull());
        image.save(QStringLiteral(PLICATO_TEST_OUTPUT "/%1.png").arg(QString::fromUtf8(name)));
    }
    // Every label shows its whole text at the size it was given.
    static void expectLabelsFit(QWidget& w) {
        w.adjustSize();
        for (QLabel* label : w.findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
    }

    DisplayState state;
    QStringList messages;
};

} // namespace

TEST_F(SettingsDialogTest, TextDialogChecksSizeThenSegmentLength) {
    struct Row {
        int size;
        const char* segment;
        bool accepted;
        const char* message;
    };
    const Row rows[] = {
        {30, "1.0", true, nullptr},
        {10, "0.2", true, nullptr},
        {200, "5.0", true, nullptr},
        {200, "5", true, nullptr},
        {9, "1.0", false, "10 から 200 までの整数を入力してください。"},
        {201, "0.01", false, "10 から 200 までの整数を入力してください。"},
        {30, "0.19", false, "曲線部の分割線分長には、0.20から5の値を指定してください"},
        {30, "5.01", false, "曲線部の分割線分長には、0.20から5の値を指定してください"},
        {30, "abc", false, "数字を入力してください。"},
        {30, "", false, "数字を入力してください。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.segment);
        messages.clear();
        TextShapeDialog d({"B Font", "A Font"}, QStringLiteral("ＭＳ ゴシック"), 30);
        EXPECT_EQ(d.sizeField()->value(), 30);
        EXPECT_EQ(d.segmentField()->text(), QStringLiteral("1.0"));
        EXPECT_TRUE(d.textField()->text().isEmpty());
        d.sizeField()->setValue(r.size);
        d.segmentField()->setText(QString::fromUtf8(r.segment));
        d.accept();
        EXPECT_EQ(d.result() == QDialog::Accepted, r.accepted);
        if (r.message) {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_EQ(messages[0], QString::fromUtf8(r.message));
        } else {
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_EQ(d.size(), r.size);
        }
    }
}

TEST_F(SettingsDialogTest, TextDialogFontListIsSortedAndKeepsAnUnlistedFace) {
    TextShapeDialog d({"Zeta", "Alpha", "Mid"}, QStringLiteral("ＭＳ ゴシック"), 25);
    ASSERT_EQ(d.fontList()->count(), 3);
    EXPECT_EQ(d.fontList()->itemText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(d.fontList()->itemText(2), QStringLiteral("Zeta"));
    EXPECT_EQ(d.faceName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("文字形状の入力"));
    TextShapeDialog real(trueTypeFamilies(), QStringLiteral("ＭＳ ゴシック"), 30);
    real.textField()->setText(QStringLiteral("Happy 誕生日"));
    expectLabelsFit(real);
    keepPicture(real, "text_shape_dialog");
}

TEST_F(SettingsDialogTest, GridSizeRange) {
    struct Row {
        const char* text;
        bool accepted;
    };
    const Row rows[] = {{"2", true},    {"20", true}, {"10", true}, {"1", false}, {"21", false},
                        {"2.5", false}, {"", false},  {"x", false}, {"-3", false}};
    for (const Row& r : rows) {
        messages.clear();
        GridSizeDialog d(2.5);
        EXPECT_EQ(d.field()->text(), QStringLiteral("2")); // 2.5 mm shows as 2
        d.field()->setText(QString::fromUtf8(r.text));
        d.accept();
        EXPECT_EQ(d.result() == QDialog::Accepted, r.accepted) << r.text;
        if (r.accepted) {
            EXPECT_EQ(d.gridSize(), QString::fromUtf8(r.text).toInt());
        } else {
            ASSERT_EQ(messages.size(), 1) << r.text;
            EXPECT_EQ(messages[0], QStringLiteral("2 から 20 までの整数を入力してください。"));
        }
    }
    GridSizeDialog shown(10);
    expectLabelsFit(shown);
    keepPicture(shown, "grid_size_dialog");
}

TEST_F(SettingsDialogTest, ColourButtonsWriteTheTableAndResetRestoresAllSixteen) {
    ColorTable table;
    for (int i = 0; i < ColorTable::size; ++i)
        table.set(i, colorNumber(i, i, i));
    ColorSettingsDialog d(table);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("表示色の設定"));
    for (int entry : {12, 13, 1, 0})
        EXPECT_EQ(d.buttonFor(entry)->color(), colorNumber(entry, entry, entry));
    EXPECT_EQ(d.buttonFor(5), nullptr);
    int asked = 0;
    d.setColorChooser([&](QWidget*, int) -> std::optional<int> {
        ++asked;
        return asked == 1 ? std::optional<int>(colorNumber(10, 20, 30)) : std::nullopt;
    });
    d.buttonFor(1)->click();
    EXPECT_EQ(table.get(1), colorNumber(10, 20, 30)); // written at once
    EXPECT_EQ(d.buttonFor(1)->color(), colorNumber(10, 20, 30));
    d.buttonFor(0)->click(); // cancelled: nothing changes
    EXPECT_EQ(table.get(0), colorNumber(0, 0, 0));
    EXPECT_EQ(asked, 2);
    d.resetButton()->click();
    for (int i = 0; i < ColorTable::size; ++i)
        EXPECT_EQ(table.get(i), ColorTable::defaults()[std::size_t(i)]) << i;
    for (int entry : {12, 13, 1, 0})
        EXPECT_EQ(d.buttonFor(entry)->color(), ColorTable::defaults()[std::size_t(entry)]);
    expectLabelsFit(d);
    keepPicture(d, "color_settings_dialog");
}

TEST_F(SettingsDialogTest, ColourButtonStartsGreenAndDrawsItsFrame) {
    CColorButton b;
    EXPECT_EQ(b.color(), colorNumber(1, 255, 0));
    b.setColor(colorNumber(200, 100, 50));
    b.resize(40, 20);
    const QImage img = b.grab().toImage();
    EXPECT_EQ(img.pixelColor(20, 10), QColor(200, 100, 50));
}

TEST_F(SettingsDialogTest, FrameRingsRaisedAndSunken) {
    struct Row {
        int w;
        QPoint at;
        QColor expected;
    };
    // A 10 x 10 rectangle: ring 0 on x/y 0 and 9, ring 1 on 1 and 8.
    const Row rows[] = {
        {2, {5, 0}, QColor(255, 255, 255)},  {2, {0, 5}, QColor(255, 255, 255)},
        {2, {5, 9}, QColor(127, 127, 127)},  {2, {9, 5}, QColor(127, 127, 127)},
        {2, {5, 1}, QColor(223, 223, 223)},  {2, {8, 5}, QColor(85, 85, 85)},
        {2, {5, 5}, QColor(0, 0, 200)},      {1, {5, 0}, QColor(255, 255, 255)},
        {1, {9, 5}, QColor(128, 128, 128)},  {1, {5, 1}, QColor(0, 0, 200)},
        {-2, {5, 0}, QColor(127, 127, 127)}, {-2, {5, 9}, QColor(255, 255, 255)},
        {-2, {1, 5}, QColor(85, 85, 85)},    {-2, {8, 5}, QColor(1, 1, 1)},
        {-1, {0, 5}, QColor(128, 128, 128)}, {-1, {9, 5}, QColor(255, 255, 255)},
    };
    for (const Row& r : rows) {
        QImage img(10, 10, QImage::Format_RGB32);
        img.fill(QColor(0, 0, 200));
        QPainter p(&img);
        draw3dFrame(p, QRect(0, 0, 10, 10), r.w);
        p.end();
        EXPECT_EQ(img.pixelColor(r.at), r.expected)
            << "w " << r.w << " at " << r.at.x() << "," << r.at.y();
    }
}

TEST_F(SettingsDialogTest, CardSizePreviewAndShrinkQuestion) {
    CardModel& model = *currentModel();
    model.cardWidth = 155; // off the 10 mm steps: opens on "15"
    CardSizeDialog d(state);
    EXPECT_EQ(d.widthList()->currentIndex(), -1);
    int redraws = 0;
    QObject::connect(&d, &CardSizeDialog::viewsChanged, [&] { ++redraws; });
    QStringList questions;
    bool answer = false;
    d.askShrink = [&](QWidget*, const QString& q) {
        questions << q;
        return answer;
    };
    d.showFor(model);
    EXPECT_EQ(d.widthList()->currentIndex(), 10);
    EXPECT_EQ(d.widthList()->currentText(), QStringLiteral("15"));
    EXPECT_TRUE(state.cardSizePreview);
    EXPECT_EQ(state.previewWidth, 155);
    EXPECT_EQ(state.previewHeight, 80);
    EXPECT_GE(redraws, 1);
    d.heightList()->setCurrentIndex(5);
    EXPECT_EQ(state.previewHeight, 100);
    // 150 < 155: asked; No keeps the dialog open with the preview on.
    d.accept();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], CardSizeDialog::shrinkQuestion());
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(state.cardSizePreview);
    EXPECT_EQ(model.cardWidth, 155);
    answer = true;
    d.accept();
    EXPECT_EQ(currentModel()->cardWidth, 150);
    EXPECT_EQ(currentModel()->cardHeight, 100);
    EXPECT_FALSE(state.cardSizePreview);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(SettingsDialogTest, CardSizeGrowingAsksNothingAndCancelEndsThePreview) {
    CardSizeDialog d(state);
    int asked = 0;
    d.askShrink = [&](QWidget*, const QString&) {
        ++asked;
        return true;
    };
    d.showFor(*currentModel()); // 150 x 80
    d.heightList()->setCurrentIndex(10);
    d.accept();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(currentModel()->cardHeight, 150);
    EXPECT_EQ(currentModel()->cardWidth, 150);
    d.showFor(*currentModel());
    d.widthList()->setCurrentIndex(0);
    EXPECT_EQ(state.previewWidth, 50);
    d.reject();
    EXPECT_FALSE(state.cardSizePreview);
    EXPECT_EQ(currentModel()->cardWidth, 150);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("台紙の大きさの変更"));
    d.showFor(*currentModel());
    expectLabelsFit(d);
    keepPicture(d, "card_size_dialog");
    d.reject();
}

TEST_F(SettingsDialogTest, UnderlayToolWindowOpensFitsAndPaintsTheBorder) {
    std::string folder;
    UnderlayDialog d(state, folder);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("下絵画像の編集"));
    QStringList folders, filters;
    QString answer;
    d.programFolder = QStringLiteral("/program");
    d.chooseFile = [&](QWidget*, const QString& f, const QString& filter) {
        folders << f;
        filters << filter;
        return answer;
    };
    underlayFlags() = {true, false};
    d.showTool();
    EXPECT_TRUE(state.inMode(EditMode::UnderlayFront));
    EXPECT_TRUE(d.frontButton()->isChecked());
    EXPECT_TRUE(d.keepAspectBox()->isChecked());
    EXPECT_FALSE(d.snapBox()->isChecked());
    d.snapBox()->setChecked(true);
    EXPECT_TRUE(underlayFlags().snapToGrid);

    d.openFile(); // cancelled
    EXPECT_EQ(folders.value(0), QStringLiteral("/program"));
    EXPECT_FALSE(currentModel()->frontImage.isPresent());
    answer = QStringLiteral(PLICATO_TEST_DATA "/underlay/none.bmp");
    d.openFile();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("ファイルを開けません"));

    answer = QStringLiteral(PLICATO_TEST_DATA "/underlay/quad24.bmp"); // 40 x 30 pixels
    d.openFile();
    const UnderlayImage& front = currentModel()->frontImage;
    ASSERT_TRUE(front.isPresent());
    EXPECT_EQ(QString::fromStdString(folder), QStringLiteral(PLICATO_TEST_DATA "/underlay/"));
    EXPECT_DOUBLE_EQ(front.width, 80.0 * 40 / 30); // 150 x 80 card: fitted to the height
    EXPECT_DOUBLE_EQ(front.height, 80.0);
    const int border = colorTable().get(ColorTable::VerticalPlane);
    EXPECT_EQ(front.picture->data[0], border & 0xFF);
    EXPECT_EQ(front.picture->data[1], (border >> 8) & 0xFF);
    EXPECT_EQ(folders.value(2), QStringLiteral("/program")); // the unreadable file set nothing
    answer.clear();
    d.openFile();
    EXPECT_EQ(folders.value(3), QStringLiteral(PLICATO_TEST_DATA "/underlay/"));
    EXPECT_TRUE(filters.value(0).contains(QStringLiteral("*.jpeg")));

    currentModel()->frontImage.centerX = 12;
    d.moveToBottomCentre();
    EXPECT_EQ(front.centerX, 0.0);
    currentModel()->frontImage.width = 5;
    d.resetFit();
    EXPECT_DOUBLE_EQ(front.width, 80.0 * 40 / 30);

    d.topButton()->click();
    EXPECT_TRUE(state.inMode(EditMode::UnderlayTop));
    d.deleteUnderlay(); // the top record: nothing there
    EXPECT_TRUE(front.isPresent());
    d.frontButton()->click();
    d.deleteUnderlay();
    EXPECT_FALSE(front.isPresent());
    keepPicture(d, "underlay_dialog");
    d.reject();
    EXPECT_EQ(state.editMode, 0);
    underlayFlags() = {};
}
