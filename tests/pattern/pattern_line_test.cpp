// Adding output lines: duplicates, merging of collinear lines per kind, and what stays apart.
#include "pattern/pattern_line.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

PatternLine line(double x1, double y1, double x2, double y2, LineKind k) {
    return {x1, y1, x2, y2, int(k)};
}

TEST(AddPatternLine, DuplicatesInEitherDirectionAreIgnored) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {10, 0}, {0, 0}, LineKind::Cut);
    addPatternLine(list, {0.00005, 0}, {10, -0.00005}, LineKind::Cut);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 10, 0, LineKind::Cut));
}

TEST(AddPatternLine, SameLineOfAnotherKindIsKept) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Valley);
    addPatternLine(list, {10, 0}, {20, 0}, LineKind::Mountain);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].kind, int(LineKind::Valley));
    EXPECT_EQ(list[2], line(10, 0, 20, 0, LineKind::Mountain));
}

TEST(AddPatternLine, TouchingCollinearLinesBecomeOne) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {10, 0}, {25, 0}, LineKind::Cut);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 25, 0, LineKind::Cut));

    // Along y (the dominant axis of a vertical line), given in reverse order.
    addPatternLine(list, {5, 40}, {5, 0}, LineKind::Cut);
    addPatternLine(list, {5, -30}, {5, 0}, LineKind::Cut);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], line(5, -30, 5, 40, LineKind::Cut));
}

TEST(AddPatternLine, OverlapAndContainmentMergeIntoTheSpan) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 10}, LineKind::Mountain);
    addPatternLine(list, {5, 5}, {20, 20}, LineKind::Mountain);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 20, 20, LineKind::Mountain));
    addPatternLine(list, {12, 12}, {8, 8}, LineKind::Mountain);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 20, 20, LineKind::Mountain));
}

TEST(AddPatternLine, ABridgingLineJoinsTwoLinesAndTheirPlaceIsTheEnd) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Valley);
    addPatternLine(list, {0, 5}, {10, 5}, LineKind::Cut);
    addPatternLine(list, {20, 0}, {30, 0}, LineKind::Valley);
    addPatternLine(list, {10, 0}, {20, 0}, LineKind::Valley);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], line(0, 5, 10, 5, LineKind::Cut));
    EXPECT_EQ(list[1], line(0, 0, 30, 0, LineKind::Valley));
}

TEST(AddPatternLine, GapsParallelLinesAndOtherKindsStayApart) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {10.001, 0}, {20, 0}, LineKind::Cut);    // gap larger than the tolerance
    addPatternLine(list, {0, 0.001}, {10, 0.001}, LineKind::Cut); // parallel, not collinear
    addPatternLine(list, {10, 0}, {20, 0}, LineKind::Mountain);
    addPatternLine(list, {10, 0}, {10, 10}, LineKind::Cut); // meets an end at a right angle
    EXPECT_EQ(list.size(), 5u);
}

TEST(AddPatternLine, EndsWithinTheToleranceTouch) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {10.00005, 0}, {20, 0}, LineKind::Cut);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 20, 0, LineKind::Cut));
}

TEST(AddPatternLine, LinesOfZeroLengthAreDropped) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {10, 0}, LineKind::Cut);
    addPatternLine(list, {5, 0}, {5, 0}, LineKind::Cut);
    addPatternLine(list, {3, 3}, {3, 3}, LineKind::Cut);
    addPatternLine(list, {7, 7}, {7, 7.00001}, LineKind::Valley);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], line(0, 0, 10, 0, LineKind::Cut));
}

TEST(PatternLength, SumsOneKind) {
    PatternLineList list;
    addPatternLine(list, {0, 0}, {3, 4}, LineKind::Cut);
    addPatternLine(list, {0, 10}, {0, 20}, LineKind::Cut);
    addPatternLine(list, {0, -5}, {7, -5}, LineKind::Valley);
    EXPECT_DOUBLE_EQ(patternLength(list, LineKind::Cut), 15.0);
    EXPECT_DOUBLE_EQ(patternLength(list, LineKind::Valley), 7.0);
    EXPECT_DOUBLE_EQ(patternLength(list, LineKind::Mountain), 0.0);
}

} // namespace
} // namespace plicato
