// plicato-cli check: exit statuses (ran, refused, usage, --strict), the JSON of a design whose
// findings are derived by hand, and the shipped examples closing flat.
#include "cli/check_command.h"
#include "cli/cli_runner.h"

#include "model_file/model_file_writer.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/check/check_designs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

class CheckCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("plicato-check-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string save(const CardModel& model, const std::string& name) {
        const std::string path = (folder / name).string();
        CollectingMessageSink sink;
        EXPECT_TRUE(writeModelFile(model, path, sink));
        return path;
    }

    fs::path folder;
};

TEST_F(CheckCommandTest, TallBoxWithADoorAsJson) {
    // Card 120 x 2 * 50; a box 40 wide at depth 20, 35 high: closed it reaches 55, 5 beyond.
    // A door cut on three sides (x -5..5, heights 5..20) becomes a flap at height 5.
    auto model = makeNewCard(60, 50);
    testing::addBox(*model, -20, 20, 20, 35);
    testing::clickOutline(*model, FacePlane::Vertical, 20, {{-5, 5}, {5, 5}, {5, 20}, {-5, 20}},
                          EditMode::CutOut);
    const std::string path = save(*model, "tall.plq");
    CliResult r = cli({"check", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\n"
              "  \"cardWidth\": 120,\n"
              "  \"cardHeight\": 50,\n"
              "  \"pieces\": 5,\n"
              "  \"frame\": 2,\n"
              "  \"findings\": [\n"
              "    {\"class\": \"sticksOut\", \"piece\": 2, \"plane\": \"vertical\", \"offset\": "
              "20, \"area\": 1250, \"box\": [-20, -20, 20, 15], \"by\": 5, \"at\": [20, 15]},\n"
              "    {\"class\": \"sticksOut\", \"piece\": 3, \"plane\": \"horizontal\", \"offset\": "
              "35, \"area\": 800, \"box\": [-20, 15, 20, 35], \"by\": 5, \"at\": [-20, 15]},\n"
              "    {\"class\": \"flap\", \"piece\": 4, \"plane\": \"horizontal\", \"offset\": 5, "
              "\"area\": 150, \"box\": [-5, -15, 5, 0]}\n"
              "  ],\n"
              "  \"doubts\": []\n"
              "}\n");
    EXPECT_TRUE(r.err.empty());
    r = cli({"check", "--strict", path});
    EXPECT_EQ(r.status, cliCheckFailed);
    // Narrow paper alone fails --strict too: the same card with a thin strip standing free.
    auto thin = makeNewCard(60, 50);
    testing::addBox(*thin, -20, 20, 20, 25);
    testing::addBox(*thin, 30, 30.4, 10, 20);
    r = cli({"check", "--strict", save(*thin, "thin.plq")});
    EXPECT_EQ(r.status, cliCheckFailed);
    EXPECT_NE(r.out.find("\"class\": \"tooThin\""), std::string::npos);
    EXPECT_NE(r.out.find("\"width\": 0.4"), std::string::npos);
    r = cli({"check", "--strict", "--min-width=0.3", save(*thin, "thin.plq")});
    EXPECT_EQ(r.status, 0);
}

TEST_F(CheckCommandTest, RefusedDesignsAndUsageErrors) {
    const fs::path garbage = folder / "garbage.plq";
    std::ofstream(garbage) << "not a design\n";
    for (const std::string& path : {garbage.string(), (folder / "missing.plq").string()}) {
        const CliResult r = cli({"check", path});
        EXPECT_EQ(r.status, cliRefused) << path;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"check"},
                                                {"check", "a.plq", "b.plq"},
                                                {"check", "a.plq", "--loose"},
                                                {"check", "a.plq", "--min-width=abc"},
                                                {"check", "a.plq", "--min-width=0"},
                                                {"check", "a.plq", "--min-width=0.5mm"}}) {
        const CliResult r = cli(bad);
        EXPECT_EQ(r.status, cliUsage) << bad.back();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

TEST_F(CheckCommandTest, ShippedExamplesCloseFlatAndNeverTearWhenCut) {
    for (const char* name : {"box", "stairs", "house", "skyline", "gallery"}) {
        const CliResult r =
            cli({"check", "--strict", std::string(PLICATO_EXAMPLES) + "/" + name + ".plq"});
        EXPECT_EQ(r.status, 0) << name << "\n" << r.out << r.err;
        EXPECT_EQ(r.out.find("sticksOut"), std::string::npos) << name;
    }
}

} // namespace
} // namespace plicato
