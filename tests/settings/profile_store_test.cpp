// The profile file: the "%i" scan, raw values, sections, saving and where the file lives.
#include "settings/profile_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace plicato {
namespace {

namespace fs = std::filesystem;

TEST(ScanInt, AcceptsDecimalHexAndOctalLikeTheCFormat) {
    EXPECT_EQ(scanInt("42"), 42);
    EXPECT_EQ(scanInt("  -17"), -17);
    EXPECT_EQ(scanInt("+8"), 8);
    EXPECT_EQ(scanInt("0x1F"), 31);
    EXPECT_EQ(scanInt("0XfF"), 255);
    EXPECT_EQ(scanInt("010"), 8);
    EXPECT_EQ(scanInt("0"), 0);
    EXPECT_EQ(scanInt("-0x10"), -16);
}

TEST(ScanInt, StopsAtTheFirstCharacterThatCannotContinueTheNumber) {
    EXPECT_EQ(scanInt("12abc"), 12);
    EXPECT_EQ(scanInt("09"), 0); // 9 is no octal digit
    EXPECT_EQ(scanInt("0x"), 0); // no hex digit: the 0 alone is the number
    EXPECT_EQ(scanInt("0xg1"), 0);
    std::size_t used = 0;
    EXPECT_EQ(scanInt(" 0x10:5", &used), 16);
    EXPECT_EQ(used, 5u);
}

TEST(ScanInt, RefusesTextWithoutANumberAndValuesBeyondInt) {
    EXPECT_FALSE(scanInt(""));
    EXPECT_FALSE(scanInt("   "));
    EXPECT_FALSE(scanInt("abc"));
    EXPECT_FALSE(scanInt("-"));
    EXPECT_FALSE(scanInt("+x1"));
    EXPECT_FALSE(scanInt("2147483648"));
    EXPECT_FALSE(scanInt("0x100000000"));
    EXPECT_EQ(scanInt("2147483647"), 2147483647);
    EXPECT_EQ(scanInt("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(scanInt("-2147483649"));
}

TEST(ProfileStore, KeepsValuesRawIncludingBackslashesAndQuotes) {
    ProfileStore p;
    p.parse(
        "[ControlBars\\State]\nkey=C:\\dir\\\"x\"\n[Settings]\n defaultFileDir = /home/a b/ \n");
    EXPECT_EQ(p.getString("ControlBars\\State", "key"), "C:\\dir\\\"x\"");
    EXPECT_EQ(p.getString("Settings", "defaultFileDir"), "/home/a b/");
}

TEST(ProfileStore, NamesIgnoreAsciiCaseAndTheLastDuplicateWins) {
    ProfileStore p;
    p.parse("[settings]\nColor1=5\ncolor1=6\n[SETTINGS]\nother=x\n");
    EXPECT_EQ(p.getInt("Settings", "COLOR1"), 6);
    EXPECT_EQ(p.getString("Settings", "other"), "x");
    EXPECT_EQ(p.getString("Settings", "missing"), std::nullopt);
    EXPECT_EQ(p.getString("Nowhere", "other"), std::nullopt);
}

TEST(ProfileStore, SkipsLinesThatAreNotEntries) {
    ProfileStore p;
    p.parse("orphan=1\n; comment\n[Broken\n[S]\nno equals sign\n=novalue\r\nk=v\r\n\n[T]");
    EXPECT_EQ(p.getString("S", "k"), "v"); // carriage return gone
    EXPECT_EQ(p.getString("S", ""), std::nullopt);
    EXPECT_FALSE(p.getString("Broken", "k"));
    EXPECT_EQ(p.getString("", "orphan"), std::nullopt);
    EXPECT_TRUE(p.hasSection("T"));
}

TEST(ProfileStore, TextRoundTripsAndSetReplacesInPlace) {
    ProfileStore p;
    p.setString("A", "x", "1");
    p.setInt("A", "y", -3);
    p.setString("B", "z", "multi\nline");
    p.setString("a", "X", "2");
    EXPECT_EQ(p.toText(), "[A]\nx=2\ny=-3\n\n[B]\nz=multi\n");
    ProfileStore q;
    q.parse(p.toText());
    EXPECT_EQ(q.toText(), p.toText());
    q.removeSection("b");
    EXPECT_FALSE(q.hasSection("B"));
    EXPECT_EQ(q.getInt("A", "y"), -3);
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plicato_profile_" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(ProfileFileTest, MissingFileLoadsEmptyAndSaveCreatesFolders) {
    const fs::path file = dir / "sub" / "deeper" / "PlicatoPRO.ini";
    ProfileStore p(file.string());
    EXPECT_TRUE(p.load());
    EXPECT_FALSE(p.hasSection("Settings"));
    p.setString("Settings", "defaultFileDir", "/x/");
    ASSERT_TRUE(p.save());
    ProfileStore q(file.string());
    ASSERT_TRUE(q.load());
    EXPECT_EQ(q.getString("Settings", "defaultFileDir"), "/x/");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(ProfileFileTest, FailedSaveKeepsThePreviousFile) {
    const fs::path file = dir / "p.ini";
    { std::ofstream(file) << "[S]\nk=old\n"; }
    ProfileStore p(file.string());
    ASSERT_TRUE(p.load());
    p.setString("S", "k", "new");
    // Block the temporary file's place with a folder, which even root cannot open as a file.
    const fs::path blocker = file.string() + ".tmp" + std::to_string(::getpid());
    fs::create_directory(blocker);
    EXPECT_FALSE(p.save());
    fs::remove(blocker);
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "[S]\nk=old\n");
}

TEST_F(ProfileFileTest, OversizedOrUnreadableFileIsRefused) {
    const fs::path big = dir / "big.ini";
    {
        std::ofstream out(big, std::ios::binary);
        out << "[S]\nk=v\n";
        std::string filler(1024 * 1024, 'x');
        for (int i = 0; i < 5; ++i)
            out << filler;
    }
    ProfileStore p(big.string());
    EXPECT_FALSE(p.load());
    EXPECT_FALSE(p.hasSection("S"));
    ProfileStore folder(dir.string()); // a folder is no file
    EXPECT_FALSE(folder.load());
}

ProfileLocationInputs inputs(bool writable) {
    ProfileLocationInputs in;
    in.programPath = "/opt/plicato/bin/PlicatoPRO";
    in.home = "/home/u";
    in.isWritableFolder = [writable](const std::string& f) {
        return writable && f == "/opt/plicato/bin";
    };
    return in;
}

TEST(ProfilePath, BesideTheProgramWhenItsFolderIsWritable) {
    EXPECT_EQ(profilePath(inputs(true)), "/opt/plicato/bin/PlicatoPRO.ini");
    auto in = inputs(true);
    in.programPath = "/opt/plicato/bin/plicato.bin";
    EXPECT_EQ(profilePath(in), "/opt/plicato/bin/plicato.ini");
}

TEST(ProfilePath, PerUserConfigFolderWhenInstalledReadOnly) {
    auto in = inputs(false);
    EXPECT_EQ(profilePath(in), "/home/u/.config/PlicatoPRO/PlicatoPRO.ini");
    in.xdgConfigHome = "/cfg";
    EXPECT_EQ(profilePath(in), "/cfg/PlicatoPRO/PlicatoPRO.ini");
    in.xdgConfigHome = "relative/ignored";
    EXPECT_EQ(profilePath(in), "/home/u/.config/PlicatoPRO/PlicatoPRO.ini");
}

TEST(ProfilePath, EnvironmentOverridesEverything) {
    auto in = inputs(true);
    in.profileEnv = "/tmp/test.ini";
    EXPECT_EQ(profilePath(in), "/tmp/test.ini");
}

} // namespace
} // namespace plicato
