// The whole main window with its OpenGL view on a real X display (Xvfb): a screenshot of it on
// an example design, probed for menus, toolbar icons, status bar, the view and Japanese glyphs.
#include "gui/dialogs/new_card_dialog.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/view/dave3v_view.h"
#include "model/card_model.h"
#include "model_file/model_file_writer.h"
#include "popup/new_card.h"
#include "scripted_prompts.h"
#include "view/color_table.h"
#include "view/display_state.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGlyphRun>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QRawFont>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QToolBar>

#include <set>

namespace plicato {
namespace {

// Distinct colours in a rectangle of an image: an empty or blank area has one.
int distinctColours(const QImage& image, const QRect& r) {
    std::set<QRgb> seen;
    const QRect area = r.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

// True when every character of `text` is drawn with a real glyph of some installed font (glyph 0
// is the empty box a font shows for a character it does not have).
bool hasRealGlyphs(const QString& text, const QFont& font, QString* families) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        *families += run.rawFont().familyName() + QLatin1Char(' ');
        for (quint32 index : run.glyphIndexes()) {
            if (index == 0)
                return false;
            ++glyphs;
        }
    }
    return glyphs > 0;
}

class ScreenshotTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        runtimeDir = new QTemporaryDir;
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toUtf8());
        static int argc = 1;
        static char name[] = "main_window_screenshot_test";
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
QApplication* ScreenshotTest::application = nullptr;
QTemporaryDir* ScreenshotTest::runtimeDir = nullptr;

TEST_F(ScreenshotTest, MainWindowOnAnExampleDesign) {
    QTemporaryDir dir;
    qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
    test::ScriptedPrompts prompts;

    QString design = QStringLiteral(PLICATO_EXAMPLES "/house.plq");
    if (!QFileInfo::exists(design)) {
        // Without the examples, a card of our own: a 200 x 150 card with a 5 mm grid.
        design = dir.filePath(QStringLiteral("card.plq"));
        auto model = makeNewCard(100, 150);
        model->setGridSize(5);
        CollectingMessageSink sink;
        ASSERT_TRUE(writeModelFile(*model, design.toStdString(), sink));
    }

    CCardApp app;
    ASSERT_TRUE(app.initInstance({design}));
    CMainFrame& frame = *app.mainFrame();
    frame.setGeometry(0, 0, 1024, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(300);
    EXPECT_TRUE(prompts.messages.isEmpty())
        << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(frame.document().title(), QFileInfo(design).completeBaseName());

    const QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString file =
        QDir(QStringLiteral(PLICATO_TEST_OUTPUT)).filePath(QStringLiteral("main_window.png"));
    ASSERT_TRUE(shot.save(file));
    std::printf("screenshot: %s\n", qPrintable(file));

    // Menu bar: six menus, each title drawn (more than a background colour in its place).
    QMenuBar* bar = frame.menuBar();
    ASSERT_EQ(bar->actions().size(), 6);
    for (QAction* menu : bar->actions()) {
        const QRect r = bar->actionGeometry(menu).translated(bar->mapTo(&frame, QPoint()));
        EXPECT_GT(distinctColours(shot, r), 3) << menu->text().toStdString();
        QString families;
        EXPECT_TRUE(hasRealGlyphs(menu->text(), bar->font(), &families))
            << menu->text().toStdString() << " drawn with " << families.toStdString();
    }

    // Toolbar: every button shows an icon.
    QToolBar* tools = frame.toolBar();
    int buttons = 0;
    for (QAction* a : tools->actions()) {
        if (a->isSeparator())
            continue;
        QWidget* w = tools->widgetForAction(a);
        ASSERT_NE(w, nullptr);
        const QRect r(w->mapTo(&frame, QPoint()), w->size());
        EXPECT_GT(distinctColours(shot, r.adjusted(3, 3, -3, -3)), 4) << a->data().toInt();
        ++buttons;
    }
    EXPECT_EQ(buttons, 23);

    // Status bar: the hint in pane 0 and the card and grid in pane 1, drawn in Japanese glyphs.
    const CardModel* m = currentModel();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(frame.indicatorPane()->text(),
              QString::asprintf("w%d h%d grid%.2f", m->cardWidth, m->cardHeight, m->gridSize));
    for (QLabel* pane : {frame.messagePane(), frame.indicatorPane()}) {
        const QRect r(pane->mapTo(&frame, QPoint()), pane->size());
        EXPECT_GT(distinctColours(shot, r), 3);
    }
    QString families;
    EXPECT_TRUE(hasRealGlyphs(frame.messagePane()->text(), frame.messagePane()->font(), &families))
        << families.toStdString();

    // The view: its background runs from the upper to the lower background colour.
    QWidget* view = frame.viewWidget();
    const QPoint origin = view->mapTo(&frame, QPoint());
    const QColor top = shot.pixelColor(origin + QPoint(4, 4));
    const QColor bottom = shot.pixelColor(origin + QPoint(4, view->height() - 5));
    const QColor topWanted = QColor(colorTable().get(ColorTable::BackgroundTop) & 0xff,
                                    (colorTable().get(ColorTable::BackgroundTop) >> 8) & 0xff,
                                    (colorTable().get(ColorTable::BackgroundTop) >> 16) & 0xff);
    EXPECT_LT(std::abs(top.red() - topWanted.red()) + std::abs(top.green() - topWanted.green()) +
                  std::abs(top.blue() - topWanted.blue()),
              40)
        << qPrintable(top.name());
    EXPECT_GT(bottom.blue() - bottom.red(), 100) << qPrintable(bottom.name());
    EXPECT_GT(distinctColours(shot, QRect(origin, view->size())), 50) << "the card is drawn";

    // New resets the camera and keeps the editing mode.
    CDave3vView* glView = frame.dave3vView();
    ASSERT_NE(glView, nullptr);
    glView->controller().camera.rotX = 75;
    glView->controller().camera.rotY = -40;
    displayState().editMode = int(EditMode::CutOut);
    prompts.dialogAnswer = [](QDialog& d) {
        auto& dialog = dynamic_cast<NewCardDialog&>(d);
        dialog.widthList()->setCurrentText(QStringLiteral("16"));
        dialog.heightList()->setCurrentText(QStringLiteral("8"));
        dialog.gridList()->setCurrentText(QStringLiteral("10"));
        return int(QDialog::Accepted);
    };
    prompts.saveAnswer = UserPrompts::SaveAnswer::No;
    ASSERT_TRUE(frame.runCommand(cmd::FileNew));
    EXPECT_EQ(glView->controller().camera.rotX, Camera().rotX);
    EXPECT_EQ(glView->controller().camera.rotY, Camera().rotY);
    EXPECT_EQ(displayState().editMode, int(EditMode::CutOut));
    EXPECT_EQ(currentModel()->cardWidth, 160);
    EXPECT_EQ(frame.indicatorPane()->text(), QStringLiteral("w160 h80 grid10.00"));
    displayState().editMode = int(EditMode::PolygonFace);

    frame.close();
}

} // namespace
} // namespace plicato
