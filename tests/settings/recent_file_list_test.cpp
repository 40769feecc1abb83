// Recent-file list: order, capacity, duplicates and the profile section.
#include "settings/recent_file_list.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

using Files = std::vector<std::string>;

TEST(RecentFileList, NewestFirstAtMostFourNoDuplicates) {
    RecentFileList r;
    for (const char* f : {"/a.plq", "/b.plq", "/c.plq", "/d.plq", "/e.plq"})
        r.add(f);
    EXPECT_EQ(r.files(), (Files{"/e.plq", "/d.plq", "/c.plq", "/b.plq"}));
    r.add("/c.plq");
    EXPECT_EQ(r.files(), (Files{"/c.plq", "/e.plq", "/d.plq", "/b.plq"}));
    r.add("/C.plq"); // Linux file names differ by case
    EXPECT_EQ(r.files().front(), "/C.plq");
    EXPECT_EQ(r.files().size(), 4u);
    r.add("");
    EXPECT_EQ(r.files().front(), "/C.plq");
    r.remove(0);
    r.remove(99);
    EXPECT_EQ(r.files(), (Files{"/c.plq", "/e.plq", "/d.plq"}));
}

TEST(RecentFileList, ProfileSectionRoundTripsAndDropsStaleKeys) {
    ProfileStore p;
    p.parse("[Recent File List]\nFile1=/x.plq\nFile2=\nFile3=/y y.plq\nFile4=/x.plq\nFile5=/z\n");
    RecentFileList r;
    r.load(p);
    EXPECT_EQ(r.files(), (Files{"/x.plq", "/y y.plq"}));
    r.save(p);
    EXPECT_EQ(p.getString("Recent File List", "File1"), "/x.plq");
    EXPECT_EQ(p.getString("Recent File List", "File2"), "/y y.plq");
    EXPECT_EQ(p.getString("Recent File List", "File3"), std::nullopt);
    EXPECT_EQ(p.getString("Recent File List", "File5"), std::nullopt);
}

TEST(RecentFileList, MenuTextNumbersFromOneAndEscapesAmpersands) {
    EXPECT_EQ(RecentFileList::menuText(0, "/home/a&b.plq"), "&1 /home/a&&b.plq");
    EXPECT_EQ(RecentFileList::menuText(3, "x"), "&4 x");
}

} // namespace
} // namespace plicato
