// Recovery copies: folder and file naming, the side file, which copy is offered, and that two
// instances (one of them killed outright) never take or overwrite each other's copy.
#include "settings/recovery_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plicato {
namespace {

namespace fs = std::filesystem;

TEST(RecoveryFolderTest, FollowsTheStateHomeRules) {
    struct Row {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Row rows[] = {
        {"/state", "/home/u", "/state/PlicatoPRO/recovery"},
        {"", "/home/u", "/home/u/.local/state/PlicatoPRO/recovery"},
        {"relative/state", "/home/u", "/home/u/.local/state/PlicatoPRO/recovery"},
        {"/s/", "", "/s/PlicatoPRO/recovery"},
        {"", "", ""},
        {"relative", "", ""},
        {"", "relative-home", ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(recoveryFolder({r.xdg, r.home}), r.expected) << r.xdg << " | " << r.home;
}

TEST(RecoveryNamesTest, OnlyWellFormedNamesAreOurs) {
    struct Row {
        const char* file;
        const char* ext;
        const char* instance; // nullptr: not ours
    };
    const Row rows[] = {
        {"12-ab.plq", "plq", "12-ab"},   {"12-ab.info", "info", "12-ab"},
        {"12-ab.lock", "lock", "12-ab"}, {"12-ab.lock.new", "lock", nullptr},
        {"12-ab.plq", "info", nullptr},  {"12-AB.plq", "plq", nullptr},
        {"-ab.plq", "plq", nullptr},     {"12-.plq", "plq", nullptr},
        {"12ab.plq", "plq", nullptr},    {"x2-ab.plq", "plq", nullptr},
        {"12-ab-c.plq", "plq", nullptr}, {".plq", "plq", nullptr},
        {"plq", "plq", nullptr},         {"12-abplq", "plq", nullptr},
        {"card.plq", "plq", nullptr},
    };
    for (const Row& r : rows) {
        const auto got = recoveryInstanceOf(r.file, r.ext);
        if (r.instance)
            EXPECT_EQ(got, std::optional<std::string>(r.instance)) << r.file;
        else
            EXPECT_FALSE(got.has_value()) << r.file;
    }
}

TEST(RecoveryNamesTest, EveryInstanceNameReadsBack) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 500; ++i) {
        const long pid = long(rng() % 4'000'000);
        const std::uint64_t token = i < 3 ? std::uint64_t(i) : rng();
        const std::string name = recoveryInstanceName(pid, token);
        for (const char* ext : {"plq", "info", "lock"})
            EXPECT_EQ(recoveryInstanceOf(name + "." + ext, ext), name);
        // Different tokens never give one name.
        EXPECT_NE(recoveryInstanceName(pid, token ^ 1), name);
    }
}

TEST(RecoveryInfoTest, AnyPathAndTitleSurviveTheSideFile) {
    std::mt19937 rng(11);
    const std::string alphabet = "ab/\\\n\r=. design=title=\xe7\x84\xa1";
    for (int i = 0; i < 400; ++i) {
        RecoveryInfo info;
        for (int n = int(rng() % 20); n > 0; --n)
            info.designPath += alphabet[rng() % alphabet.size()];
        for (int n = int(rng() % 20); n > 0; --n)
            info.title += alphabet[rng() % alphabet.size()];
        const RecoveryInfo back = decodeRecoveryInfo(encodeRecoveryInfo(info));
        EXPECT_EQ(back.designPath, info.designPath);
        EXPECT_EQ(back.title, info.title);
    }
    const RecoveryInfo odd = decodeRecoveryInfo("junk\ntitle=T\ndesign=/a\\\nb");
    EXPECT_EQ(odd.title, "T");
    EXPECT_EQ(odd.designPath, "/a\\");
}

TEST(RecoveryNewerTest, CopyAgainstItsDesign) {
    struct Row {
        std::int64_t copy;
        std::optional<std::int64_t> design;
        bool offered;
    };
    const Row rows[] = {
        {100, std::nullopt, true}, // untitled, or the file is gone
        {100, 99, true},
        {100, 100, false}, // saved at the same instant: the file holds the work
        {100, 101, false},
        {1, 1'000'000'000'000, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(recoveryIsNewer(r.copy, r.design), r.offered) << r.copy;
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("plicato-recovery-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        dir = (root / "PlicatoPRO" / "recovery").string();
    }
    void TearDown() override { fs::remove_all(root); }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t filesInFolder() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
            ++n;
        return n;
    }

    fs::path root;
    std::string dir;
};

TEST_F(RecoveryStoreTest, TwoLiveInstancesKeepTheirOwnCopies) {
    RecoveryStore a(dir, "10-a");
    RecoveryStore b(dir, "11-b");
    ASSERT_TRUE(a.claim());
    ASSERT_TRUE(b.claim());
    EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
    ASSERT_TRUE(a.write("design A", {"", "無題"}));
    ASSERT_TRUE(b.write("design B", {"/x/card.plq", "card"}));
    EXPECT_NE(a.copyPath(), b.copyPath());
    EXPECT_EQ(readFile(a.copyPath()), "design A");
    EXPECT_EQ(readFile(b.copyPath()), "design B");
    // Neither sees the other's copy as left behind.
    EXPECT_TRUE(a.orphans().empty());
    EXPECT_TRUE(b.orphans().empty());
    // Rewriting replaces only one's own.
    ASSERT_TRUE(a.write("design A2", {"", "無題"}));
    EXPECT_EQ(readFile(b.copyPath()), "design B");
    EXPECT_EQ(readFile(a.copyPath()), "design A2");
}

TEST_F(RecoveryStoreTest, ACleanExitLeavesNothing) {
    {
        RecoveryStore a(dir, "10-a");
        ASSERT_TRUE(a.claim());
        ASSERT_TRUE(a.write("bytes", {"", "t"}));
        EXPECT_TRUE(a.hasCopy());
        a.removeCopy(); // a save
        EXPECT_FALSE(a.hasCopy());
        ASSERT_TRUE(a.write("bytes again", {"", "t"}));
        a.release();
        EXPECT_FALSE(a.write("after release", {"", "t"}));
    }
    EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(RecoveryStoreTest, ACopyLeftBehindIsOfferedOnceAndOnlyToOneInstance) {
    {
        RecoveryStore dead(dir, "10-a");
        ASSERT_TRUE(dead.claim());
        ASSERT_TRUE(dead.write("unsaved work", {"", "無題"}));
    } // the process ends without a clean exit: lock gone, copy stays
    RecoveryStore next(dir, "12-c");
    ASSERT_TRUE(next.claim());
    RecoveryStore other(dir, "13-d");
    ASSERT_TRUE(other.claim());

    const auto offered = next.orphans();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].instance, "10-a");
    EXPECT_EQ(offered[0].info.title, "無題");
    EXPECT_EQ(readFile(offered[0].copyPath), "unsaved work");
    // While `next` holds it, a second instance does not offer it too.
    EXPECT_TRUE(other.orphans().empty());
    next.keep(offered[0]);
    // Kept for later: offered again.
    const auto again = other.orphans();
    ASSERT_EQ(again.size(), 1u);
    other.discard(again[0]);
    EXPECT_TRUE(next.orphans().empty());
    EXPECT_FALSE(fs::exists(again[0].copyPath));
}

TEST_F(RecoveryStoreTest, CopiesOlderThanTheirDesignAreNotOffered) {
    fs::create_directories(root);
    const std::string older = (root / "older.plq").string();
    const std::string newer = (root / "newer.plq").string();
    std::ofstream(older) << "o";
    {
        RecoveryStore x(dir, "20-a");
        RecoveryStore y(dir, "21-b");
        RecoveryStore z(dir, "22-c");
        ASSERT_TRUE(x.claim() && y.claim() && z.claim());
        ASSERT_TRUE(x.write("copy of older", {older, "older"}));
        ASSERT_TRUE(y.write("copy of newer", {newer, "newer"}));
        ASSERT_TRUE(z.write("copy of gone", {(root / "gone.plq").string(), "gone"}));
    }
    std::ofstream(newer) << "saved after the copy";
    // Make the order certain whatever the file system's time resolution.
    const auto t = fs::last_write_time(dir + "/20-a.plq");
    fs::last_write_time(older, t - std::chrono::seconds(5));
    fs::last_write_time(newer, t + std::chrono::seconds(5));

    RecoveryStore next(dir, "30-d");
    ASSERT_TRUE(next.claim());
    const auto offered = next.orphans();
    std::vector<std::string> titles;
    for (const auto& c : offered)
        titles.push_back(c.info.title);
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"gone", "older"}));
    EXPECT_FALSE(fs::exists(dir + "/21-b.plq")); // outdated by the save: cleared
    EXPECT_TRUE(fs::exists(newer));
    EXPECT_EQ(readFile(newer), "saved after the copy");
}

TEST_F(RecoveryStoreTest, NewestCopyFirstAndLeftoversCleared) {
    fs::create_directories(dir);
    std::ofstream(dir + "/40-a.plq") << "first";
    std::ofstream(dir + "/41-b.plq") << "second";
    std::ofstream(dir + "/42-c.info") << "design=\ntitle=x\n"; // no copy
    std::ofstream(dir + "/43-d.lock");                         // no copy
    std::ofstream(dir + "/notes.txt") << "not ours";
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(dir + "/40-a.plq", now - std::chrono::seconds(60));
    fs::last_write_time(dir + "/41-b.plq", now - std::chrono::seconds(30));

    RecoveryStore next(dir, "50-e");
    ASSERT_TRUE(next.claim());
    const auto offered = next.orphans();
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].instance, "41-b");
    EXPECT_EQ(offered[1].instance, "40-a");
    EXPECT_TRUE(offered[0].info.designPath.empty()); // no side file: untitled
    EXPECT_FALSE(fs::exists(dir + "/42-c.info"));
    EXPECT_FALSE(fs::exists(dir + "/43-d.lock"));
    EXPECT_TRUE(fs::exists(dir + "/notes.txt"));
}

TEST_F(RecoveryStoreTest, NeverWritesOverTheUsersFile) {
    RecoveryStore a(dir, "60-a");
    ASSERT_TRUE(a.claim());
    const std::string alias = (root / "alias.plq").string();
    fs::create_symlink(a.copyPath(), alias);
    EXPECT_FALSE(a.write("x", {a.copyPath(), "t"}));
    ASSERT_TRUE(a.write("first", {"", "t"}));
    EXPECT_FALSE(a.write("second", {alias, "t"})); // the same file under another name
    EXPECT_EQ(readFile(a.copyPath()), "first");
}

TEST_F(RecoveryStoreTest, AnUnusableFolderTurnsAutosaveOff) {
    fs::create_directories(root);
    std::ofstream(root / "file") << "x";
    RecoveryStore blocked((root / "file" / "recovery").string(), "70-a");
    EXPECT_FALSE(blocked.claim());
    EXPECT_FALSE(blocked.write("x", {"", "t"}));
    RecoveryStore none("", "71-a");
    EXPECT_FALSE(none.claim());
}

// A process killed outright cannot clean up; its last copy must come back byte for byte.
TEST_F(RecoveryStoreTest, AKilledInstanceLeavesItsLastCopyWhole) {
    std::string lastWritten;
    for (int i = 0; i < 2000; ++i)
        lastWritten.push_back(char(i * 31 % 251));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryStore mine(dir, recoveryInstanceName(::getpid(), 1));
        bool ok =
            mine.claim() && mine.write("older", {"", "t"}) && mine.write(lastWritten, {"", "t"});
        const char c = ok ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(c, 'y');
    {
        // Alive: not offered.
        RecoveryStore probe(dir, "99-f");
        ASSERT_TRUE(probe.claim());
        EXPECT_TRUE(probe.orphans().empty());
        probe.release();
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    RecoveryStore next(dir, "98-e");
    ASSERT_TRUE(next.claim());
    const auto offered = next.orphans();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].instance, recoveryInstanceName(child, 1));
    EXPECT_EQ(readFile(offered[0].copyPath), lastWritten);
}

} // namespace
} // namespace plicato
