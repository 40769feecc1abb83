// Numbers shown to people in the view's dialogs: rounded, without a trail of zeros, and read
// back exactly as written.
#include "view/number_text.h"

#include <gtest/gtest.h>

#include <utility>

using namespace plicato;

TEST(NumberText, RoundedForPeople) {
    const std::pair<double, const char*> rows[] = {
        {11.999999999999993, "12"},
        {0.30000000000000004, "0.3"},
        {-12.5, "-12.5"},
        {30, "30"},
        {-0.0000001, "0"},
        {-0.0, "0"},
        {1.2345674, "1.234567"},
        {1.0000005, "1.000001"},
        {0.1 + 0.2 - 0.3, "0"},
        {180, "180"},
        {-179.99999999999997, "-180"},
        {1e7, "10000000"},
        {0.002, "0.002"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(formatRounded(value), text) << value;
    EXPECT_EQ(formatRounded(2.5, 0), "2");
    EXPECT_EQ(formatRounded(0.125, 2), "0.12");
}

TEST(NumberText, RoundedTextReadsBackWithinHalfAStep) {
    for (double v = -200.0; v <= 200.0; v += 0.37) {
        const auto back = parseDecimal(formatRounded(v));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_NEAR(*back, v, 0.5e-6) << v;
    }
}
