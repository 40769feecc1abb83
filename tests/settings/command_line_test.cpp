// The command line taken whole as one path.
#include "settings/command_line.h"

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

} // namespace
} // namespace plicato
