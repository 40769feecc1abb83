// The command line taken whole as one path, and the title and folder of a path.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

TEST(CommandLinePath, ArgumentsAreJoinedIntoOnePath) {
    EXPECT_EQ(commandLinePath({}), "");
    EXPECT_EQ(commandLinePath({"/d/house.plq"}), "/d/house.plq");
    // A path with a space that the shell split in two comes back whole.
    EXPECT_EQ(commandLinePath({"/d/my", "card.plq"}), "/d/my card.plq");
    // Two designs are not two documents: they make one path that names nothing.
    EXPECT_EQ(commandLinePath({"/d/a.plq", "/d/b.plq"}), "/d/a.plq /d/b.plq");
}

TEST(CommandLinePath, LeadingQuoteDropsFirstAndLastCharacter) {
    EXPECT_EQ(commandLinePath({"\"/d/my card.plq\""}), "/d/my card.plq");
    EXPECT_EQ(commandLinePath({"\"/d/my", "card.plq\""}), "/d/my card.plq");
    // The last character goes whatever it is, as the rule says.
    EXPECT_EQ(commandLinePath({"\"/d/a.plq"}), "/d/a.pl");
    EXPECT_EQ(commandLinePath({"\""}), "");
    EXPECT_EQ(commandLinePath({"/d/\"q\".plq"}), "/d/\"q\".plq");
}

TEST(FileTitle, NameWithoutFolderAndExtension) {
    EXPECT_EQ(fileTitle("/home/u/house.plq"), "house");
    EXPECT_EQ(fileTitle("/home/u/a.b.plq"), "a.b");
    EXPECT_EQ(fileTitle("/home/u.d/noext"), "noext");
    EXPECT_EQ(fileTitle("/home/u/.hidden"), ".hidden");
    EXPECT_EQ(fileTitle("家.plq"), "家");
}

TEST(FolderOf, FolderEndsInSlash) {
    EXPECT_EQ(folderOf("/home/u/house.plq"), "/home/u/");
    EXPECT_EQ(folderOf("/house.plq"), "/");
    EXPECT_EQ(folderOf("house.plq"), "");
}

} // namespace
} // namespace plicato
