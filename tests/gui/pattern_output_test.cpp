// The pattern commands off screen: the size, line-kind and print settings dialogs, save pattern
// by extension (and what a Cancel or a failed write leaves), the clipboard copy, printing to a
// PDF printer measured with poppler, and the plotter hand-off driven by fake controllers.
#include "gui/dialogs/bmp_size_dialog.h"
#include "gui/dialogs/dialog_messages.h"
#include "gui/dialogs/line_select_dialog.h"
#include "gui/dialogs/print_settings_dialog.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/command_ids.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/pattern_commands.h"
#include "gui/output/plotter_hand_off.h"
#include "model/card_model.h"
#include "output/eps_writer.h"
#include "pattern/pattern_builder.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <sstream>

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
        static char name[] = "pattern_output_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QTemporaryDir> runtimeDir;
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::string readFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// Collects the dialogs' refusals instead of showing them.
struct CollectedMessages {
    CollectedMessages() {
        setDialogMessageHandler([this](QWidget*, const QString& text) { texts << text; });
    }
    ~CollectedMessages() { setDialogMessageHandler({}); }
    QStringList texts;
};

TEST(BmpSizeDialogTest, WidthFrom100To1600AndTheMirror) {
    const struct {
        const char* text;
        int width; // 0: refused
    } rows[] = {{"400", 400}, {"100", 100}, {"1600", 1600}, {" 250 ", 250}, {"99", 0},
                {"1601", 0},  {"", 0},      {"abc", 0},     {"12.5", 0},    {"-400", 0}};
    for (const auto& r : rows) {
        CollectedMessages messages;
        BmpSizeDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("BMP画像の大きさ"));
        EXPECT_EQ(dialog.widthField()->text(), QStringLiteral("400"));
        EXPECT_FALSE(dialog.mirrorBox()->isChecked());
        dialog.widthField()->setText(QString::fromUtf8(r.text));
        dialog.mirrorBox()->setChecked(true);
        dialog.accept();
        if (r.width) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << r.text;
            EXPECT_EQ(dialog.chosenWidth(), r.width);
            EXPECT_TRUE(dialog.mirror());
            EXPECT_TRUE(messages.texts.isEmpty());
        } else {
            EXPECT_NE(dialog.result(), QDialog::Accepted) << r.text;
            EXPECT_EQ(messages.texts,
                      QStringList{QStringLiteral("100 から 1600 までの整数を入力してください。")});
        }
    }
}

TEST(LineSelectDialogTest, EveryChoiceOfKindsAndNoneIsRefused) {
    for (int filter = 0; filter < 8; ++filter) {
        CollectedMessages messages;
        LineSelectDialog dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("出力する線の指定"));
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(dialog.kindBox(k)->isChecked()); // all on each time it opens
            dialog.kindBox(k)->setChecked(filter & (1 << k));
        }
        dialog.accept();
        if (filter) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.filter(), filter);
            EXPECT_TRUE(messages.texts.isEmpty());
        } else {
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(messages.texts,
                      QStringList{QStringLiteral("少なくとも1つの線種を選んでください")});
        }
    }
    EXPECT_EQ(LineSelectDialog().kindBox(1)->text(), QStringLiteral("山折り線"));
}

TEST(PrintSettingsDialogTest, MarginFrom5To50AndBothFlags) {
    OutputSettings start;
    start.marginX = 15.9; // shown as its whole millimetres
    start.fitToPaper = false;
    const struct {
        const char* text;
        int margin; // 0: refused
    } rows[] = {{"15", 15}, {"5", 5}, {"50", 50}, {"4", 0}, {"51", 0}, {"x", 0}, {"15.5", 0}};
    for (const auto& r : rows) {
        CollectedMessages messages;
        PrintSettingsDialog dialog(start);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("印刷の設定"));
        EXPECT_EQ(dialog.marginField()->text(), QStringLiteral("15"));
        EXPECT_FALSE(dialog.fitBox()->isChecked());
        EXPECT_FALSE(dialog.mirrorBox()->isChecked());
        dialog.marginField()->setText(QString::fromUtf8(r.text));
        dialog.mirrorBox()->setChecked(true);
        dialog.fitBox()->setChecked(true);
        dialog.accept();
        if (r.margin) {
            ASSERT_EQ(dialog.result(), QDialog::Accepted) << r.text;
            EXPECT_EQ(dialog.chosenSettings().marginX, r.margin);
            EXPECT_EQ(dialog.chosenSettings().marginY, r.margin);
            EXPECT_TRUE(dialog.chosenSettings().mirrorPattern);
            EXPECT_TRUE(dialog.chosenSettings().fitToPaper);
        } else {
            EXPECT_NE(dialog.result(), QDialog::Accepted) << r.text;
            EXPECT_EQ(messages.texts,
                      QStringList{QStringLiteral("5 から 50 までの整数を入力してください。")});
        }
    }
}

class PatternCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("PLICATO_PROFILE", dir.filePath(QStringLiteral("profile.ini")).toUtf8());
        app = std::make_unique<CCardApp>();
        ASSERT_TRUE(app->initInstance({}, FrameOptions{false}));
        commands = app->mainFrame()->findChild<PatternCommands*>(QStringLiteral("patternCommands"));
        ASSERT_NE(commands, nullptr);
        outputSettings() = OutputSettings{};
    }
    void TearDown() override {
        prompts.saveAnswer = UserPrompts::SaveAnswer::No;
        if (app && app->mainFrame())
            app->mainFrame()->close();
        app.reset();
        qunsetenv("PLICATO_PROFILE");
        qunsetenv("PLICATO_REGISTRY");
        outputSettings() = OutputSettings{};
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // A fresh card of cardWidth x 2 * cardHeight mm with its pattern built.
    void useCard(int cardWidth, int cardHeight) {
        setCurrentModel(makeNewCard(cardWidth / 2, cardHeight));
        buildPattern(*currentModel());
    }
    // Answers dialogs by type: the pattern dialogs through `answer`, print dialogs accepted.
    void answerDialogs(std::function<int(QDialog&)> answer) {
        prompts.dialogAnswer = std::move(answer);
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<CCardApp> app;
    PatternCommands* commands = nullptr;
};

int accept(QDialog&) {
    return QDialog::Accepted;
}

TEST_F(PatternCommandsTest, SaveDialogOffersTheFormatsAndPresetsTheDesignsName) {
    prompts.saveAnswers.push_back(QString());
    ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
    ASSERT_EQ(prompts.filters.size(), 1);
    EXPECT_EQ(prompts.filters[0],
              QStringLiteral("BMPファイル (*.bmp);;EPSファイル (*.eps);;SVGファイル (*.svg);;"
                             "PDFファイル (*.pdf);;DXFファイル (*.dxf)"));
    EXPECT_EQ(prompts.saveFolders[0], QCoreApplication::applicationDirPath());
    EXPECT_TRUE(prompts.dialogTitles.isEmpty()); // cancelled: no further dialog

    frame().settings().defaultFileDir = dir.path().toStdString();
    frame().document().setModelPath(path(QStringLiteral("house.plq")));
    prompts.saveAnswers.push_back(QString());
    ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
    EXPECT_EQ(prompts.saveFolders[1], path(QStringLiteral("house")));
}

TEST_F(PatternCommandsTest, EachExtensionGoesToItsWriter) {
    useCard(100, 100);
    answerDialogs(accept);
    const struct {
        const char* name;
        const char* starts; // nullptr: no file
        const char* message;
        const char* dialog;
    } rows[] = {
        {"p.EPS", "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox:0 0 311 595\n", nullptr,
         "出力する線の指定"},
        {"p.bmp", "BM", nullptr, "BMP画像の大きさ"},
        {"p.svg", "<?xml", nullptr, "出力する線の指定"},
        {"p.pdf", "%PDF-1.4", nullptr, "出力する線の指定"},
        {"p.dxf", "0\nSECTION\n", nullptr, "出力する線の指定"},
        {"p.emf", nullptr, nullptr, nullptr},
        {"p.txt", nullptr, "ファイル形式が適切でありません", nullptr},
        {"noextension", nullptr, "ファイル形式が適切でありません", nullptr},
    };
    for (const auto& r : rows) {
        prompts.messages.clear();
        prompts.dialogTitles.clear();
        const QString file = path(QString::fromUtf8(r.name));
        prompts.saveAnswers.push_back(file);
        ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
        if (r.starts)
            EXPECT_EQ(readFile(file).rfind(r.starts, 0), 0u) << r.name;
        else
            EXPECT_FALSE(QFileInfo::exists(file)) << r.name;
        EXPECT_EQ(prompts.messages,
                  r.message ? QStringList{QString::fromUtf8(r.message)} : QStringList{})
            << r.name;
        EXPECT_EQ(prompts.dialogTitles,
                  r.dialog ? QStringList{QString::fromUtf8(r.dialog)} : QStringList{})
            << r.name;
    }
    // The EPS is the writer's text for the kinds chosen.
    answerDialogs([](QDialog& d) {
        auto& lines = dynamic_cast<LineSelectDialog&>(d);
        lines.kindBox(0)->setChecked(false);
        lines.accept();
        return lines.result();
    });
    prompts.saveAnswers.push_back(path(QStringLiteral("folds.eps")));
    ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
    PatternLineList lines;
    collectPatternLines(*currentModel(), lines);
    EXPECT_EQ(readFile(path(QStringLiteral("folds.eps"))),
              patternEpsText(lines, 100, 100, MountainLines | ValleyLines));
}

TEST_F(PatternCommandsTest, CancelLeavesAnExistingPatternFileByteForByte) {
    useCard(100, 100);
    answerDialogs([](QDialog&) { return int(QDialog::Rejected); });
    for (const char* name : {"old.eps", "old.bmp", "old.dxf"}) {
        const QString file = path(QString::fromUtf8(name));
        writeFile(file, std::string("previous pattern \0 bytes", 24));
        prompts.saveAnswers.push_back(file);
        ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
        EXPECT_EQ(readFile(file), std::string("previous pattern \0 bytes", 24)) << name;
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(PatternCommandsTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
    useCard(100, 100);
    answerDialogs(accept);
    // A folder where the file should be: the replacement cannot be renamed over it.
    for (const char* name : {"taken.bmp", "taken.eps", "taken.pdf"}) {
        const QString file = path(QString::fromUtf8(name));
        ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/inside")));
        prompts.messages.clear();
        prompts.saveAnswers.push_back(file);
        ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
        const QString expected = QString(name).endsWith(QLatin1String(".eps"))
                                     ? QStringLiteral("ファイルを開けません")
                                     : QStringLiteral("ファイルに書き込めません");
        EXPECT_EQ(prompts.messages, QStringList{expected}) << name;
        EXPECT_TRUE(QFileInfo(file + QStringLiteral("/inside")).isDir());
    }
    // A folder that does not exist.
    prompts.messages.clear();
    prompts.saveAnswers.push_back(path(QStringLiteral("missing/p.bmp")));
    ASSERT_TRUE(frame().runCommand(cmd::SavePattern));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("ファイルに書き込めません")});
}

TEST_F(PatternCommandsTest, CopyPutsThePatternImageOnTheClipboard) {
    useCard(150, 100);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    answerDialogs([](QDialog&) { return int(QDialog::Rejected); });
    ASSERT_TRUE(frame().runCommand(cmd::CopyPattern));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

    answerDialogs([](QDialog& d) {
        auto& size = dynamic_cast<BmpSizeDialog&>(d);
        size.widthField()->setText(QStringLiteral("400"));
        size.accept();
        return size.result();
    });
    ASSERT_TRUE(frame().runCommand(cmd::CopyPattern));
    const QImage image = QGuiApplication::clipboard()->image();
    EXPECT_EQ(image.width(), 400);
    EXPECT_EQ(image.height(), 526); // truncate(380 x 200 / 150) + 20
    EXPECT_EQ(qGray(image.pixel(5, 5)), 255);
    EXPECT_LT(qGray(image.pixel(200, 10)), 128); // the free edge of the upright half
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.dialogTitles.last(), QStringLiteral("BMP画像の大きさ"));
}

// Grey pixels of a PGM (P5) or PPM (P6, returned as three bytes a pixel).
struct Picture {
    int width = 0, height = 0, channels = 1;
    std::string pixels;
    const unsigned char* at(int x, int y) const {
        return reinterpret_cast<const unsigned char*>(pixels.data()) +
               (std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels);
    }
    bool dark(int x, int y) const { return *at(x, y) < 128; }
};

Picture render(const QString& pdf, int dpi, bool colour, int page = 1) {
    const QString base = pdf + QStringLiteral("-render");
    const QString command =
        QStringLiteral("pdftoppm -r %1 %2 -aa no -aaVector no -f %3 -l %3 -singlefile '%4' '%5'")
            .arg(dpi)
            .arg(colour ? QString() : QStringLiteral("-gray"))
            .arg(page)
            .arg(pdf, base);
    Picture p;
    if (std::system(command.toLocal8Bit().constData()) != 0)
        return p;
    const std::string data = readFile(base + (colour ? ".ppm" : ".pgm"));
    std::istringstream in(data);
    std::string magic;
    int maxValue = 0;
    in >> magic >> p.width >> p.height >> maxValue;
    in.get();
    p.channels = magic == "P6" ? 3 : 1;
    p.pixels = data.substr(std::size_t(in.tellg()));
    return p;
}

// The columns of the card's two vertical outline edges on the row through the card's middle.
std::pair<double, double> outlineColumns(const Picture& p, int row) {
    std::vector<int> ink;
    for (int x = 0; x < p.width; ++x)
        if (p.dark(x, row))
            ink.push_back(x);
    if (ink.empty())
        return {0, 0};
    // Centres of the first and last runs of ink.
    std::size_t firstEnd = 0;
    while (firstEnd + 1 < ink.size() && ink[firstEnd + 1] == ink[firstEnd] + 1)
        ++firstEnd;
    std::size_t lastStart = ink.size() - 1;
    while (lastStart > 0 && ink[lastStart - 1] == ink[lastStart] - 1)
        --lastStart;
    return {(ink[0] + ink[firstEnd]) / 2.0, (ink[lastStart] + ink.back()) / 2.0};
}

// The command's print dialog is answered as the user would with a PDF file as the printer.
std::function<int(QDialog&)> printerAnswers(OutputSettings settings) {
    return [settings](QDialog& d) {
        if (auto* s = dynamic_cast<PrintSettingsDialog*>(&d)) {
            s->mirrorBox()->setChecked(settings.mirrorPattern);
            s->fitBox()->setChecked(settings.fitToPaper);
            s->marginField()->setText(QString::number(int(settings.marginX)));
            s->accept();
            return s->result();
        }
        return int(QDialog::Accepted);
    };
}

TEST_F(PatternCommandsTest, PrintedAtTrueSizeAHundredMillimetresMeasureAHundred) {
    useCard(100, 60);
    const QString pdf = path(QStringLiteral("print.pdf"));
    commands->printer().setOutputFileName(pdf);
    commands->printer().setPageSize(QPageSize(QPageSize::A4));
    OutputSettings s;
    s.fitToPaper = false;
    answerDialogs(printerAnswers(s));
    ASSERT_TRUE(frame().runCommand(cmd::Print));
    EXPECT_EQ(prompts.dialogTitles.first(), QStringLiteral("印刷の設定"));
    EXPECT_EQ(prompts.dialogTitles.size(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty());
    const Picture p = render(pdf, 254, false); // 10 pixels a millimetre
    ASSERT_GT(p.width, 0);
    const QRectF area = commands->printer().pageLayout().paintRect(QPageLayout::Millimeter);
    const auto [left, right] = outlineColumns(p, int((area.top() + 15 + 30) * 10));
    EXPECT_NEAR(right - left, 1000, 1.0);
    // The card's left edge 15 mm into the printable area, less the origin's shift of 15 device
    // units (1200 dpi).
    EXPECT_NEAR(left, (area.left() + 15 - 15 * 25.4 / 1200) * 10, 2.0);
    // The central fold is dotted in the PDF, not a solid hairline: along the row where it runs,
    // ink comes and goes.
    int changes = 0;
    const int fold = int((area.top() + 15 + 60) * 10);
    for (int y = fold - 10; y <= fold + 10; ++y) {
        int here = 0;
        for (int x = int(left) + 5; x < int(right) - 5; ++x)
            here += p.dark(x, y) != p.dark(x + 1, y);
        changes = std::max(changes, here);
    }
    EXPECT_GE(changes, 20);
}

TEST_F(PatternCommandsTest, FitToPaperGivesItsFactorAndMirroringFlips) {
    useCard(150, 100);
    const QString pdf = path(QStringLiteral("fit.pdf"));
    commands->printer().setOutputFileName(pdf);
    commands->printer().setPageSize(
        QPageSize(QSizeF(200, 287), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    commands->printer().setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    OutputSettings s;
    s.fitToPaper = true;
    answerDialogs(printerAnswers(s));
    ASSERT_TRUE(frame().runCommand(cmd::Print));
    const Picture p = render(pdf, 254, false);
    ASSERT_GT(p.width, 0);
    // sx = 170 / 150 < sy = 257 / 200: the card is printed 170 mm wide.
    const auto [left, right] = outlineColumns(p, 15 * 10 + 500);
    EXPECT_NEAR(right - left, 1700, 1.5);
    EXPECT_EQ(outputSettings().marginX, 15.0);
}

TEST_F(PatternCommandsTest, MirroringPrintsTheLeftOfTheCardOnTheRight) {
    // A card with a box standing on its left half only: its cuts mark the left.
    useCard(100, 60);
    CardModel& model = *currentModel();
    const auto face = [&model](FacePlane plane, double offset, std::initializer_list<Point3> ps) {
        model.editPlane = plane;
        model.editOffset = offset;
        for (const Point3& p : ps)
            model.drawPoints.push_back({p, flatten(p)});
        createFaceFromOutline(model, EditMode::PolygonFace);
        model.drawPoints.clear();
    };
    face(FacePlane::Vertical, 20, {{-45, 20, 0}, {-15, 20, 0}, {-15, 20, 20}, {-45, 20, 20}});
    face(FacePlane::Horizontal, 20, {{-45, 0, 20}, {-15, 0, 20}, {-15, 20, 20}, {-45, 20, 20}});
    buildPattern(model);
    // Ink inside the left and the right third of the card, away from the outline.
    const auto inkBySide = [this](bool mirror) {
        const QString pdf = path(mirror ? QStringLiteral("m.pdf") : QStringLiteral("n.pdf"));
        commands->printer().setOutputFileName(pdf);
        OutputSettings s;
        s.fitToPaper = false;
        s.mirrorPattern = mirror;
        answerDialogs(printerAnswers(s));
        EXPECT_TRUE(frame().runCommand(cmd::Print));
        const Picture p = render(pdf, 50, false);
        const QRectF area = commands->printer().pageLayout().paintRect(QPageLayout::Millimeter);
        const double mm = 50 / 25.4;
        std::pair<int, int> ink{0, 0};
        for (int y = int((area.top() + 20) * mm); y < int((area.top() + 15 + 115) * mm); ++y)
            for (int x = int((area.left() + 20) * mm); x < int((area.left() + 110) * mm); ++x)
                if (p.dark(x, y))
                    (x < (area.left() + 15 + 33) * mm ? ink.first : ink.second) +=
                        x < (area.left() + 15 + 33) * mm || x > (area.left() + 15 + 67) * mm;
        return ink;
    };
    const auto plain = inkBySide(false);
    const auto mirrored = inkBySide(true);
    EXPECT_GT(plain.first, 50);
    EXPECT_GT(mirrored.second, 50);
    // Apart from the central fold (on both sides alike), the box's lines change sides.
    EXPECT_GT(plain.first, plain.second + 30);
    EXPECT_GT(mirrored.second, mirrored.first + 30);
}

TEST_F(PatternCommandsTest, CancelledSettingsPrintNothingAndPreviewFollowsTheSameSettings) {
    useCard(100, 60);
    const QString pdf = path(QStringLiteral("none.pdf"));
    commands->printer().setOutputFileName(pdf);
    answerDialogs([](QDialog&) { return int(QDialog::Rejected); });
    ASSERT_TRUE(frame().runCommand(cmd::Print));
    ASSERT_TRUE(frame().runCommand(cmd::PrintPreview));
    EXPECT_EQ(prompts.dialogTitles,
              (QStringList{QStringLiteral("印刷の設定"), QStringLiteral("印刷の設定")}));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    prompts.dialogTitles.clear();
    bool previewSeen = false;
    answerDialogs([&](QDialog& d) {
        if (dynamic_cast<QPrintPreviewDialog*>(&d))
            previewSeen = true;
        return printerAnswers(OutputSettings{})(d);
    });
    int previewPages = 0;
    answerDialogs([&](QDialog& d) {
        if (auto* preview = dynamic_cast<QPrintPreviewDialog*>(&d)) {
            previewSeen = true;
            // Showing the preview renders it; it holds the one page of printing.
            preview->show();
            QApplication::processEvents();
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>())
                previewPages = widget->pageCount();
            preview->hide();
            return int(QDialog::Rejected);
        }
        return printerAnswers(OutputSettings{})(d);
    });
    ASSERT_TRUE(frame().runCommand(cmd::PrintPreview));
    EXPECT_TRUE(previewSeen);
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(prompts.dialogTitles.first(), QStringLiteral("印刷の設定"));
    bool setupSeen = false;
    answerDialogs([&](QDialog& d) {
        setupSeen = dynamic_cast<QPageSetupDialog*>(&d) != nullptr;
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(frame().runCommand(cmd::PrintSetup));
    EXPECT_TRUE(setupSeen);
}

class PlotterTest : public PatternCommandsTest {
protected:
    // A controller that ends with `code`, and the registry stand-in naming it.
    QString controller(const QString& body) {
        const QString script = path(QStringLiteral("controller-%1.sh").arg(++scripts));
        writeFile(script, "#!/bin/sh\necho \"$@\" > '" +
                              path(QStringLiteral("arguments")).toStdString() + "'\n" +
                              body.toStdString() + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    void registry(const QString& exe) {
        const QString ini = path(QStringLiteral("registry.ini"));
        writeFile(ini, "[HKEY_LOCAL_MACHINE\\Software\\Graphtec\\Craft Robo Controller]\n"
                       "EXENAME=" +
                           exe.toStdString() + "\n");
        qputenv("PLICATO_REGISTRY", ini.toUtf8());
    }
    // Runs the cut command with the plotter's printer writing `pdf`, and waits for the end.
    void cut(const QString& pdf, QStringList names = {QStringLiteral("Graphtec Craft ROBO Pro")}) {
        commands->printerNameOf = [names, i = 0](const QPrinter&) mutable {
            return names[std::min<int>(i++, int(names.size()) - 1)];
        };
        answerDialogs([pdf](QDialog& d) {
            if (auto* print = dynamic_cast<QPrintDialog*>(&d)) {
                print->printer()->setOutputFileName(pdf);
                print->printer()->setPageOrientation(QPageLayout::Landscape);
                return int(QDialog::Accepted);
            }
            return printerAnswers(OutputSettings{})(d);
        });
        ASSERT_TRUE(frame().runCommand(cmd::CutPattern));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !commands->plotter().isRunning(); }, 10000));
    }
    int scripts = 0;
};

TEST_F(PlotterTest, OnlyExitCodeTwoPrintsTheOnePageCutModeJob) {
    useCard(100, 60);
    for (int code : {0, 1, 2}) {
        registry(controller(QStringLiteral("exit %1").arg(code)));
        const QString pdf = path(QStringLiteral("cut-%1.pdf").arg(code));
        cut(pdf);
        EXPECT_EQ(QFileInfo::exists(pdf), code == 2) << code;
        EXPECT_TRUE(prompts.messages.isEmpty())
            << prompts.messages.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_EQ(readFile(path(QStringLiteral("arguments"))).rfind("/FN0 /CUTMODE /NOTRM /OWNER", 0),
              0u);
    // One page; the folds in the plotter's red, the cuts black.
    const QString pdf = path(QStringLiteral("cut-2.pdf"));
    const Picture p = render(pdf, 100, true);
    ASSERT_GT(p.width, 0);
    EXPECT_EQ(render(pdf, 20, false, 2).width, 0); // no second page
    int red = 0, black = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const unsigned char* c = p.at(x, y);
            red += c[0] > 200 && c[1] < 80 && c[2] < 80;
            black += c[0] < 80 && c[1] < 80 && c[2] < 80;
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(black, 400);
}

TEST_F(PlotterTest, PrinterChoiceIsAskedAgainUntilItIsTheCraftRobo) {
    useCard(100, 60);
    registry(controller(QStringLiteral("exit 1")));
    cut(path(QStringLiteral("x.pdf")),
        {QStringLiteral("Graphtec Craft"), QStringLiteral("graphtec craft robo-s")});
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Craft ROBO を選択してください")});
    EXPECT_EQ(prompts.dialogTitles,
              (QStringList{QStringLiteral("印刷の設定"), QStringLiteral("プリンタの設定"),
                           QStringLiteral("プリンタの設定")}));
}

TEST_F(PlotterTest, MissingInstallInformationAndAControllerThatCannotStart) {
    useCard(100, 60);
    qputenv("PLICATO_REGISTRY", path(QStringLiteral("no-registry.ini")).toUtf8());
    cut(path(QStringLiteral("x.pdf")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral(
                                    "Craft ROBO コントローラーのインストール情報がありません")});

    prompts.messages.clear();
    registry(path(QStringLiteral("not-installed/controller")));
    const QString pdf = path(QStringLiteral("never.pdf"));
    cut(pdf);
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Craft ROBO コントローラーを起動できません")});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(commands->plotter().timer().isActive());
}

TEST_F(PlotterTest, ASecondCutWhileTheControllerRunsIsRefused) {
    useCard(100, 60);
    registry(controller(QStringLiteral("sleep 1\nexit 2")));
    const QString pdf = path(QStringLiteral("second.pdf"));
    commands->printerNameOf = [](const QPrinter&) { return QStringLiteral("Graphtec Craft ROBO"); };
    answerDialogs([pdf](QDialog& d) {
        if (auto* print = dynamic_cast<QPrintDialog*>(&d)) {
            print->printer()->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        }
        return printerAnswers(OutputSettings{})(d);
    });
    ASSERT_TRUE(frame().runCommand(cmd::CutPattern));
    ASSERT_TRUE(commands->plotter().isRunning());
    EXPECT_EQ(commands->plotter().timer().interval(), 500);
    ASSERT_TRUE(frame().runCommand(cmd::CutPattern));
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("すでにCraft ROBO コントローラーが起動しています")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !commands->plotter().isRunning(); }, 10000));
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(readFile(path(QStringLiteral("arguments"))).rfind("/FN1 /CUTMODE /NOTRM /OWNER", 0),
              0u);
}

} // namespace
} // namespace plicato
