// plicato-cli end to end: exit statuses and messages, the three export formats, info, the
// committed examples against their generator, and the golden EPS and SVG exports.
#include "cli/cli_runner.h"

#include "model_file/model_file_writer.h"
#include "output/eps_writer.h"
#include "pattern/pattern_builder.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/cli/example_designs.h"
#include "tests/support/random_design.h"

#include <gtest/gtest.h>

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

void writeText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
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
    EXPECT_NE(r.err.find("usage: plicato-cli export"), std::string::npos);
    r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: plicato-cli export"), std::string::npos);
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

TEST_F(CliTest, OptionValuesAreCheckedWithTheSystemsMessages) {
    for (const char* width : {"--width=99", "--width=1601", "--width=4x", "--width="}) {
        const CliResult r = cli({"export", "a.plq", "b.bmp", width});
        EXPECT_EQ(r.status, 2) << width;
        EXPECT_EQ(r.err, "100 から 1600 までの整数を入力してください。\n");
    }
    const CliResult r = cli({"export", "a.plq", "b.eps", "--lines="});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "少なくとも1つの線種を選んでください\n");
}

TEST_F(CliTest, RefusedInputsExitWithOneAndLeaveTheOutputAlone) {
    const fs::path out = folder / "out.eps";
    writeText(out, "previous");
    CliResult r = cli({"export", (folder / "missing.plq").string(), out.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ファイルを読み込めませんでした"), std::string::npos);
    writeText(folder / "junk.plq", "# Plicato Forge PRO\nheader\nversion 4 0\nend_header\n\x01");
    r = cli({"export", (folder / "junk.plq").string(), out.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readFile(out), "previous");
    r = cli({"export", boxDesign(), (folder / "out.txt").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル形式が適切でありません\n");
    EXPECT_FALSE(fs::exists(folder / "out.txt"));
    r = cli({"export", boxDesign(), (folder / "no-such-folder" / "x.eps").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("ファイルを開けません\n", 0), 0u);
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
    EXPECT_EQ(compared, 10);
}

} // namespace
} // namespace plicato
