// plicato-cli's failures, class by class: each says "plicato-cli: FILE: reason" on stderr and
// exits with its documented status, and a refused output never touches an existing file.
#include "cli/cli_runner.h"

#include "model_file/model_file_writer.h"
#include "popup/new_card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
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

// Runs the command as an unprivileged user when the test runs as root, so that file
// permissions apply; otherwise as it is.
CliResult cliWithoutPrivileges(std::vector<std::string> args) {
    if (::geteuid() != 0)
        return cli(std::move(args));
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {-1, "", "pipe failed"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        const CliResult r = cli(args);
        (void)!::write(pipeFds[1], r.err.data(), r.err.size());
        ::_exit(r.status);
    }
    ::close(pipeFds[1]);
    std::string err;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        err.append(buffer, std::size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", err};
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

void putInt32(std::string& bytes, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = char((std::uint32_t(v) >> (8 * i)) & 0xff);
}

class CliFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("plicato-cli-fail-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::all); // the unprivileged runs write here too
        auto model = makeNewCard(60, 50);
        design = encodeModelFile(*model);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder / "locked", fs::perms::owner_all, ec);
        fs::remove_all(folder);
    }
    std::string path(const char* name) const { return (folder / name).string(); }

    fs::path folder;
    std::string design; // a valid version 4 file: two base faces
};

TEST_F(CliFailureTest, EachUnreadableDesignNamesItsReasonAndExitsWithOne) {
    std::string badGrid = design;
    const double nan = std::nan("");
    std::memcpy(&badGrid[58], &nan, 8); // the grid size follows the 50 header bytes and the size
    std::string badWidth = design;
    putInt32(badWidth, 50, -5);
    std::string hugeFaces = design;
    putInt32(hugeFaces, 50 + 16 + 8, -1); // the face count, after two absent underlays

    writeBytes(path("text.plq"), "Just some notes about a card.\n");
    writeBytes(path("empty.plq"), "");
    writeBytes(path("cut.plq"), design.substr(0, 70));
    writeBytes(path("grid.plq"), badGrid);
    writeBytes(path("width.plq"), badWidth);
    writeBytes(path("faces.plq"), hugeFaces);
    writeBytes(path("v5.plq"), "# Plicato Forge PRO\nheader\nversion 5 0\nend_header\n");
    writeBytes(path("v1.plq"), "header\nversion 1 2\nwidth 100\nheight 80\nend_header\n");
    writeBytes(path("v3cut.plq"), "version 3 0\nwidth 100\nheight 80\nend_header\nface\nt");
    writeBytes(path("v3cut2.plq"), "version 3 0\nwidth 100\nheight 80\nend_header\nface\nloops 1 "
                                   "0 3 0 0 1");
    writeBytes(path("v3bad.plq"), "version 3 0\nwidth 100\nheight 80\nend_header\nface\nt x");
    writeBytes(path("nowidth.plq"), "version 3 0\nheight 80\nend_header\n");
    writeBytes(path("inheader.plq"), "# Plicato Forge PRO\nheader\nversion 3 0\nwidth 10");
    fs::create_directory(folder / "folder.plq");
    ASSERT_EQ(::mkfifo(path("fifo.plq").c_str(), 0600), 0);

    struct Row {
        const char* file;
        std::string reason;
    };
    const Row rows[] = {
        {"missing.plq", "no such file"},
        {"nofolder/x.plq", "no such file"},
        {"folder.plq", "is a directory"},
        {"fifo.plq", "not a regular file"},
        {"text.plq", "not a PlicatoPRO design (bad header)"},
        {"empty.plq", "not a PlicatoPRO design (bad header)"},
        {"nowidth.plq", "not a PlicatoPRO design (bad header)"},
        {"cut.plq", "truncated at byte 70"},
        {"inheader.plq", "truncated at byte 47"},
        {"v3cut.plq", "truncated at byte 49"},
        {"v3cut2.plq", "truncated at byte 65"},
        {"grid.plq", "malformed value at byte 58"},
        {"width.plq", "malformed value at byte 50"},
        {"faces.plq", "malformed value at byte 74"},
        {"v3bad.plq", "malformed value at byte 50"},
        {"v5.plq", "unsupported version 5.0 (made by a newer PlicatoPRO)"},
        {"v1.plq", "unsupported version 1.2 (older than version 2)"},
    };
    for (const Row& row : rows) {
        const std::string file = path(row.file);
        for (const char* command : {"info", "export"}) {
            std::vector<std::string> args = {command, file};
            if (std::string(command) == "export")
                args.push_back(path("out.svg"));
            const CliResult r = cli(args);
            EXPECT_EQ(r.status, cliInputRefused) << row.file;
            EXPECT_EQ(r.err, "plicato-cli: " + file + ": " + row.reason + "\n") << row.file;
            EXPECT_TRUE(r.out.empty());
        }
    }
    EXPECT_FALSE(fs::exists(folder / "out.svg"));
}

TEST_F(CliFailureTest, AFileWithoutReadPermissionIsUnreadable) {
    writeBytes(path("secret.plq"), design);
    fs::permissions(path("secret.plq"), fs::perms::none);
    const CliResult r = cliWithoutPrivileges({"info", path("secret.plq")});
    EXPECT_EQ(r.status, cliInputRefused);
    EXPECT_EQ(r.err, "plicato-cli: " + path("secret.plq") + ": unreadable (Permission denied)\n");
}

// Wherever a version 4 file is cut short past its version line, the message says where it ends.
TEST_F(CliFailureTest, EveryCutOfADesignIsReportedWhereItEnds) {
    const std::size_t versionLineEnd = design.find("version 4 0\n") + 12;
    ASSERT_GT(design.size(), versionLineEnd + 20);
    for (std::size_t length = 0; length < design.size(); ++length) {
        writeBytes(path("cut.plq"), design.substr(0, length));
        const CliResult r = cli({"info", path("cut.plq")});
        ASSERT_EQ(r.status, cliInputRefused) << length;
        const std::string prefix = "plicato-cli: " + path("cut.plq") + ": ";
        const std::string truncated = prefix + "truncated at byte " + std::to_string(length) + "\n";
        if (length >= versionLineEnd)
            EXPECT_EQ(r.err, truncated) << length;
        else
            EXPECT_TRUE(r.err == truncated ||
                        r.err == prefix + "not a PlicatoPRO design (bad header)\n")
                << length << ": " << r.err;
    }
    writeBytes(path("whole.plq"), design);
    EXPECT_EQ(cli({"info", path("whole.plq")}).status, cliSuccess);
}

TEST_F(CliFailureTest, WarningsNameTheFileAndQuietSilencesThem) {
    writeBytes(path("v41.plq"), design.substr(0, 20) + "header\nversion 4 1\n" +
                                    design.substr(design.find("end_header")));
    writeBytes(path("picture.plq"), "version 3 0\nwidth 100\nheight 80\n"
                                    "imageFront 0 0 50 50\n/nowhere/front.bmp\nend_header\n");
    struct Row {
        const char* file;
        std::string warning;
    };
    const Row rows[] = {
        {"v41.plq", "version 4.1 is newer than this program; some of it may not be read"},
        {"picture.plq", "picture not found: /nowhere/front.bmp"},
    };
    for (const Row& row : rows) {
        const std::string file = path(row.file);
        CliResult r = cli({"info", file});
        EXPECT_EQ(r.status, cliSuccess) << row.file;
        EXPECT_EQ(r.err, "plicato-cli: " + file + ": warning: " + row.warning + "\n");
        EXPECT_NE(r.out.find("\"cardWidth\""), std::string::npos);
        for (const char* quiet : {"--quiet", "-q"}) {
            r = cli({quiet, "info", file});
            EXPECT_EQ(r.status, cliSuccess);
            EXPECT_TRUE(r.err.empty()) << r.err;
            r = cli({"export", file, path("out.eps"), quiet});
            EXPECT_EQ(r.status, cliSuccess);
            EXPECT_TRUE(r.err.empty()) << r.err;
        }
    }
    // Quiet keeps the errors: the status alone would not say which file failed.
    const CliResult r = cli({"-q", "info", path("missing.plq")});
    EXPECT_EQ(r.err, "plicato-cli: " + path("missing.plq") + ": no such file\n");
}

TEST_F(CliFailureTest, RefusedOutputsExitWithFourAndTouchNothing) {
    const std::string kUnknownFormat =
        "unknown output format (the name must end in .eps, .bmp, .svg, .pdf or .dxf)";
    const std::string input = path("card.plq");
    writeBytes(input, design);
    // A design whose name ends like a pattern file: its own name is refused as the output.
    const std::string epsNamedDesign = path("design.eps");
    writeBytes(epsNamedDesign, design);
    fs::create_directory(folder / "out.eps");
    fs::create_directory(folder / "locked");
    writeBytes(folder / "locked" / "old.svg", "previous");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder / "locked" / "old.svg", fs::perms::owner_read | fs::perms::others_read);

    struct Row {
        std::string design;
        std::string output;
        std::string reason;
        bool unprivileged = false;
    };
    const Row rows[] = {
        {input, path("out.txt"), kUnknownFormat},
        {input, path("card.PLQ"), kUnknownFormat},
        {input, path("noext"), kUnknownFormat},
        {input, path("out.eps"), "is a directory"},
        {input, path("nofolder/out.eps"), "no such folder"},
        {input, path("card.plq/out.eps"), "no such folder"},
        {epsNamedDesign, epsNamedDesign, "refusing to overwrite the design itself"},
        {input, path("locked/new.eps"), "cannot write (Permission denied)", true},
        {input, path("locked/old.svg"), "cannot write (Permission denied)", true},
    };
    for (const Row& row : rows) {
        const std::vector<std::string> args = {"export", row.design, row.output};
        const CliResult r = row.unprivileged ? cliWithoutPrivileges(args) : cli(args);
        EXPECT_EQ(r.status, cliOutputRefused) << row.output;
        EXPECT_EQ(r.err, "plicato-cli: " + row.output + ": " + row.reason + "\n") << row.output;
    }
    EXPECT_EQ(readFile(epsNamedDesign), design);
    EXPECT_EQ(readFile(input), design);
    EXPECT_EQ(readFile(folder / "locked" / "old.svg"), "previous");
    EXPECT_FALSE(fs::exists(folder / "locked" / "new.eps"));
    EXPECT_FALSE(fs::exists(folder / "out.txt"));
    // The output is checked before the design is read: a missing design and a refused output
    // report the output.
    const CliResult r = cli({"export", path("missing.plq"), path("out.txt")});
    EXPECT_EQ(r.status, cliOutputRefused);
}

TEST_F(CliFailureTest, UsageErrorsExitWithTwoAndShowTheUsage) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"paint"}, {"export", "a.plq"}, {"info"}, {"-q"}}) {
        const CliResult r = cli(bad);
        EXPECT_EQ(r.status, cliUsage);
        EXPECT_NE(r.err.find("usage: plicato-cli"), std::string::npos);
        EXPECT_NE(r.err.find("Exit status: 0 success, 1 the design could not be read"),
                  std::string::npos);
    }
    for (const char* version : {"--version", "-V"}) {
        const CliResult r = cli({version});
        EXPECT_EQ(r.status, cliSuccess);
        EXPECT_EQ(r.out, "plicato-cli " PLICATO_VERSION "\n");
    }
}

} // namespace
} // namespace plicato
