// plicato-cli end to end: exit statuses and messages, the three export formats, info, the
// committed examples against their generator, and the golden EPS and SVG exports.
#include "cli/cli_runner.h"

#include "model_file/model_file_writer.h"
#include "output/eps_writer.h"
#include "output/pdf_writer.h"
#include "pattern/pattern_builder.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/cli/example_designs.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace plicato {
namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("plicato-cli-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // A card 120 x 60 with one box, saved as a model file.
    std::string boxDesign() {
        auto model = makeNewCard(60, 60);
        const auto click = [&model](FacePlane plane, double offset,
                                    std::initializer_list<Point3> points) {
            model->editPlane = plane;
            model->editOffset = offset;
            for (const Point3& p : points)
                model->drawPoints.push_back({p, flatten(p)});
            createFaceFromOutline(*model, EditMode::PolygonFace);
            model->drawPoints.clear();
        };
        click(FacePlane::Vertical, 20, {{-20, 20, 0}, {20, 20, 0}, {20, 20, 30}, {-20, 20, 30}});
        click(FacePlane::Horizontal, 30, {{-20, 0, 30}, {20, 0, 30}, {20, 20, 30}, {-20, 20, 30}});
        const std::string path = (folder / "box.plq").string();
        CollectingMessageSink sink;
        EXPECT_TRUE(writeModelFile(*model, path, sink));
        return path;
    }

    fs::path folder;
};

TEST_F(CliTest, UsageHelpAndVersion) {
    CliResult r = cli({});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: plicato-cli [--quiet] export"), std::string::npos);
    r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: plicato-cli [--quiet] export"), std::string::npos);
    EXPECT_TRUE(r.err.empty());
    r = cli({"export", "a.plq", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--fold-style=dashed|solid"), std::string::npos);
    r = cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("plicato-cli ", 0), 0u);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"paint"},
          {"export", "a.plq"},
          {"export", "a", "b", "c"},
          {"export", "a.plq", "b.eps", "--colour"},
          {"info"},
          {"info", "a", "b"},
          {"export", "a.plq", "b.eps", "--lines=cut,curves"},
          {"export", "a.plq", "b.eps", "--fold-style=dotted"}}) {
        r = cli(bad);
        EXPECT_EQ(r.status, 2) << bad[0];
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

TEST_F(CliTest, OptionValuesAreCheckedWithPlainMessages) {
    for (const char* width : {"--width=99", "--width=1601", "--width=4x", "--width="}) {
        const CliResult r = cli({"export", "a.plq", "b.bmp", width});
        EXPECT_EQ(r.status, 2) << width;
        EXPECT_EQ(r.err, "plicato-cli: --width takes a whole number from 100 to 1600\n");
    }
    const CliResult r = cli({"export", "a.plq", "b.eps", "--lines="});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "plicato-cli: --lines needs at least one of cut, mountain, valley\n");
}

TEST_F(CliTest, EpsIsWhatTheSavePatternCommandWrites) {
    const std::string design = boxDesign();
    const fs::path out = folder / "pattern.EPS";
    ASSERT_EQ(cli({"export", design, out.string()}).status, 0);
    const std::string eps = readFile(out);
    EXPECT_EQ(eps.rfind("%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox:0 0 368 368\n", 0), 0u) << eps;
    EXPECT_NE(eps.find("[3 ] 0 setdash"), std::string::npos);
    EXPECT_NE(eps.find("[8 4 4 4] 0 setdash"), std::string::npos);

    ASSERT_EQ(cli({"export", design, out.string(), "--lines=valley,mountain"}).status, 0);
    const std::string folds = readFile(out);
    EXPECT_EQ(folds.find("[] 0 setdash"), std::string::npos);
    EXPECT_NE(folds.find("[3 ] 0 setdash"), std::string::npos);
}

TEST_F(CliTest, BitmapHasTheImageGeometryAndMirrorFlipsIt) {
    const std::string design = boxDesign();
    const fs::path plain = folder / "p.bmp", mirrored = folder / "m.bmp";
    ASSERT_EQ(cli({"export", design, plain.string(), "--width=220"}).status, 0);
    ASSERT_EQ(cli({"export", design, mirrored.string(), "--width=220", "--mirror"}).status, 0);
    const std::string a = readFile(plain), b = readFile(mirrored);
    ASSERT_GE(a.size(), 54u);
    const auto le32 = [&a](std::size_t at) {
        return std::uint32_t(std::uint8_t(a[at])) | std::uint32_t(std::uint8_t(a[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(a[at + 2])) << 16 |
               std::uint32_t(std::uint8_t(a[at + 3])) << 24;
    };
    EXPECT_EQ(le32(18), 220u);
    EXPECT_EQ(le32(22), 220u); // truncate((220 - 20) * 2 * 60 / 120) + 20
    EXPECT_EQ(a.size(), b.size());
    EXPECT_NE(a, b);
    EXPECT_EQ(cli({"export", design, (folder / "d.bmp").string()}).status, 0);
    EXPECT_EQ(readFile(folder / "d.bmp").size(), 54u + 24 * 50 * 400);
}

TEST_F(CliTest, SvgFoldStyleAndLineFilter) {
    const std::string design = boxDesign();
    const fs::path out = folder / "p.svg";
    ASSERT_EQ(cli({"export", design, out.string()}).status, 0);
    const std::string dashed = readFile(out);
    EXPECT_NE(dashed.find("stroke-dasharray"), std::string::npos);
    EXPECT_NE(dashed.find("width=\"130mm\" height=\"130mm\""), std::string::npos);
    ASSERT_EQ(cli({"export", design, out.string(), "--fold-style=solid", "--lines=cut"}).status, 0);
    const std::string solid = readFile(out);
    EXPECT_EQ(solid.find("stroke-dasharray"), std::string::npos);
    EXPECT_EQ(solid.find("<path d", solid.find("id=\"mountain\"")), std::string::npos);
}

TEST_F(CliTest, InfoDescribesTheDesignAndItsPattern) {
    const CliResult r = cli({"info", boxDesign()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* key :
         {"\"cardWidth\": 120", "\"cardHeight\": 60", "\"gridSize\": 10", "\"userFaces\": 4",
          "\"plane\": \"vertical\"", "\"offset\": 20", "\"outerLoops\": 1", "\"holes\": 0",
          "\"mountain\": {\"count\": 1, "
          "\"length\": 40}"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key << "\n" << r.out;
    EXPECT_NE(r.out.find("\"area\": 1200"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(CliTest, InfoIsStableAcrossASaveAndAReload) {
    for (unsigned seed : {3u, 8u}) {
        auto model = makeNewCard(70, 50);
        testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
        testing::RandomDesignOptions options;
        options.faceCount = 15;
        options.glyphPoints = 40;
        for (testing::RandomFace& rf : designer.faces(options))
            addUserFace(*model, std::move(rf.face));
        CollectingMessageSink sink;
        const std::string first = (folder / "first.plq").string();
        const std::string second = (folder / "second.plq").string();
        ASSERT_TRUE(writeModelFile(*model, first, sink));
        const CliResult a = cli({"info", first});
        ASSERT_EQ(a.status, 0);
        ASSERT_NE(currentModel(), nullptr);
        ASSERT_TRUE(writeModelFile(*currentModel(), second, sink));
        const CliResult b = cli({"info", second});
        EXPECT_EQ(a.out, b.out);
        EXPECT_NE(a.out.find("\"length\""), std::string::npos);
    }
}

TEST_F(CliTest, PdfAndDxfExportsAndThePaperOption) {
    const std::string design = boxDesign();
    const fs::path pdf = folder / "p.PDF", dxf = folder / "p.dxf";
    ASSERT_EQ(cli({"export", design, pdf.string()}).status, 0);
    EXPECT_EQ(readFile(pdf).rfind("%PDF-1.4\n", 0), 0u);
    EXPECT_NE(readFile(pdf).find("/MediaBox [0 0 595.276 841.89]"), std::string::npos);
    ASSERT_EQ(cli({"export", design, pdf.string(), "--paper=letter"}).status, 0);
    EXPECT_NE(readFile(pdf).find("/MediaBox [0 0 612 792]"), std::string::npos);
    ASSERT_EQ(cli({"export", design, pdf.string(), "--paper", "A3"}).status, 0);
    EXPECT_NE(readFile(pdf).find("/MediaBox [0 0 841.89 1190.551]"), std::string::npos);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"export", design, pdf.string(), "--paper=a5"},
          {"export", design, pdf.string(), "--paper"}}) {
        const CliResult r = cli(bad);
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    ASSERT_EQ(cli({"export", design, dxf.string(), "--lines=mountain"}).status, 0);
    const std::string text = readFile(dxf);
    EXPECT_EQ(text.find("8\nCUT\n"), std::string::npos);
    EXPECT_NE(text.find("0\nLINE\n8\nMOUNTAIN\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "0\nEOF\n");
}

// A grey-scale PGM as pdftoppm writes it (P5, 8 bits).
struct Gray {
    int width = 0, height = 0;
    std::string pixels;
    bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               std::uint8_t(pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]) < 128;
    }
};

Gray readPgm(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Gray g;
    in >> magic >> g.width >> g.height >> maxValue;
    in.get();
    g.pixels.assign(std::size_t(std::max(0, g.width)) * std::size_t(std::max(0, g.height)), 0);
    in.read(g.pixels.data(), std::streamsize(g.pixels.size()));
    EXPECT_EQ(magic, "P5");
    EXPECT_TRUE(in) << path;
    return g;
}

// A card larger than A4 goes on four landscape tiles; rendered by poppler and laid side by side
// by the plan, the tiles show the whole outline, the fold and the box, each where it belongs.
TEST_F(CliTest, TiledPdfPagesRenderAndTogetherCoverTheCard) {
    auto model = makeNewCard(200, 150); // 400 x 300 mm
    const auto box = [&model](FacePlane plane, double offset, std::initializer_list<Point3> ps) {
        model->editPlane = plane;
        model->editOffset = offset;
        for (const Point3& p : ps)
            model->drawPoints.push_back({p, flatten(p)});
        createFaceFromOutline(*model, EditMode::PolygonFace);
        model->drawPoints.clear();
    };
    box(FacePlane::Vertical, 40, {{-150, 40, 0}, {150, 40, 0}, {150, 40, 80}, {-150, 40, 80}});
    box(FacePlane::Horizontal, 80, {{-150, 0, 80}, {150, 0, 80}, {150, 40, 80}, {-150, 40, 80}});
    const std::string design = (folder / "big.plq").string();
    CollectingMessageSink sink;
    ASSERT_TRUE(writeModelFile(*model, design, sink));
    const fs::path pdf = folder / "big.pdf";
    ASSERT_EQ(cli({"export", design, pdf.string()}).status, 0);

    const PdfTilePlan plan = planPdfTiles(400, 300, PaperSize::A4);
    ASSERT_EQ(plan.pageCount(), 4);
    constexpr int pxPerMm = 4; // 101.6 dpi
    const std::string command = "pdftoppm -r 101.6 -gray -aa no -aaVector no '" + pdf.string() +
                                "' '" + (folder / "tile").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> mosaic(301 * pxPerMm, std::string(401 * pxPerMm, '.'));
    for (int row = 0; row < plan.rows; ++row) {
        for (int column = 0; column < plan.columns; ++column) {
            const int page = row * plan.columns + column + 1;
            const Gray g = readPgm(folder / ("tile-" + std::to_string(page) + ".pgm"));
            ASSERT_NEAR(g.width, plan.pageWidth * pxPerMm, 1);
            ASSERT_NEAR(g.height, plan.pageHeight * pxPerMm, 1);
            for (int y = 0; y < g.height; ++y)
                for (int x = 0; x < g.width; ++x) {
                    if (!g.dark(x, y))
                        continue;
                    // Card millimetres from the card's top-left corner.
                    const double cx = x / double(pxPerMm) - pdfPageMargin + column * plan.stepX;
                    const double cy = y / double(pxPerMm) - pdfPageMargin + row * plan.stepY;
                    const int mx = int(std::lround(cx * pxPerMm));
                    const int my = int(std::lround(cy * pxPerMm));
                    const bool inContent = x >= pdfPageMargin * pxPerMm - 1 &&
                                           x <= (plan.pageWidth - pdfPageMargin) * pxPerMm + 1 &&
                                           y >= pdfPageMargin * pxPerMm - 1 &&
                                           y <= (plan.pageHeight - pdfPageMargin) * pxPerMm + 1;
                    if (!inContent)
                        continue; // crop marks and labels
                    ASSERT_GE(mx, -2) << "page " << page << " draws left of the card";
                    ASSERT_LE(mx, 400 * pxPerMm + 2) << "page " << page;
                    if (mx >= 0 && my >= 0 && mx < 401 * pxPerMm && my < 301 * pxPerMm)
                        mosaic[std::size_t(my)][std::size_t(mx)] = '#';
                }
        }
    }
    // Is there ink within `r` pixels across and `r` along of card millimetre (x, y)?
    const auto inked = [&mosaic](double x, double y, int rx = 2, int ry = 2) {
        for (int dy = -ry; dy <= ry; ++dy)
            for (int dx = -rx; dx <= rx; ++dx) {
                const long mx = std::lround(x * pxPerMm) + dx, my = std::lround(y * pxPerMm) + dy;
                if (mx >= 0 && my >= 0 && mx < long(mosaic[0].size()) && my < long(mosaic.size()) &&
                    mosaic[std::size_t(my)][std::size_t(mx)] == '#')
                    return true;
            }
        return false;
    };
    // Every cut line of the pattern, the card's outline among them, is there along its length.
    buildPattern(*model);
    PatternLineList lines;
    collectPatternLines(*model, lines);
    int cuts = 0, missing = 0;
    for (const PatternLine& l : lines) {
        if (l.kind != int(LineKind::Cut))
            continue;
        ++cuts;
        const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
        for (double t = 0; t <= length; t += 1.0) {
            const double x = l.x1 + (l.x2 - l.x1) * t / length,
                         y = l.y1 + (l.y2 - l.y1) * t / length;
            missing += !inked(x + 200, 150 - y);
        }
    }
    EXPECT_GE(cuts, 6);
    EXPECT_EQ(missing, 0);
    // Dashed folds are dashed: along the central fold outside the box, ink comes and goes.
    int changes = 0;
    for (double t = 1; t < 49; t += 0.25)
        changes += inked(t, 150, 0) != inked(t + 0.25, 150, 0);
    EXPECT_GE(changes, 20);
    // Nothing in the middle of an empty area.
    EXPECT_FALSE(inked(25, 75, 8, 8));
    EXPECT_FALSE(inked(375, 225, 8, 8));
}

TEST(Examples, TheCommittedDesignsAreWhatTheGeneratorMakes) {
    const fs::path examples = PLICATO_EXAMPLES;
    for (const ExampleDesign& example : exampleDesigns()) {
        const auto model = example.build();
        EXPECT_GT(model->userFaces.size(), 2u) << example.name;
        EXPECT_EQ(readFile(examples / (example.name + ".plq")), encodeModelFile(*model))
            << example.name << ": run make_examples to refresh examples/";
    }
}

// Exports every example to EPS and SVG and compares the text with the golden files; with
// PLICATO_REGENERATE_GOLDEN=1 in the environment the golden files are written instead.
TEST_F(CliTest, ExamplesExportExactlyAsTheGoldenFiles) {
    const fs::path examples = PLICATO_EXAMPLES;
    const fs::path golden = fs::path(PLICATO_TEST_DATA) / "golden";
    const char* regenerate = std::getenv("PLICATO_REGENERATE_GOLDEN");
    const bool write = regenerate && std::string(regenerate) == "1";
    int compared = 0;
    for (const ExampleDesign& example : exampleDesigns()) {
        for (const char* ext : {".eps", ".svg"}) {
            const fs::path out = folder / (example.name + ext);
            const CliResult r =
                cli({"export", (examples / (example.name + ".plq")).string(), out.string()});
            ASSERT_EQ(r.status, 0) << example.name << ext << ": " << r.err;
            const fs::path expected = golden / (example.name + ext);
            if (write) {
                fs::create_directories(golden);
                fs::copy_file(out, expected, fs::copy_options::overwrite_existing);
                continue;
            }
            ASSERT_TRUE(fs::exists(expected)) << expected;
            EXPECT_EQ(readFile(out), readFile(expected)) << example.name << ext;
            ++compared;
        }
    }
    if (write)
        GTEST_SKIP() << "golden files regenerated; review them before committing";
    EXPECT_EQ(compared, 12); // six examples, two formats each
}

} // namespace
} // namespace plicato
