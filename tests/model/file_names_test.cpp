// The title and folder of a path.
#include "model/file_names.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

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
