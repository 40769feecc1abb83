// The factory colours, get/set/reset, and the tint of vertical faces by the opening angle.
#include "view/color_table.h"
#include "view/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace plicato;

TEST(ColorTable, FactoryValuesAndReset) {
    ColorTable t;
    EXPECT_EQ(t.get(0), 0xffffff);
    EXPECT_EQ(t.get(1), colorNumber(200, 200, 200));
    EXPECT_EQ(t.get(3), 128 * 65536);
    EXPECT_EQ(t.get(4), 128 * 256);
    EXPECT_EQ(t.get(13), 255 * 65536);
    EXPECT_EQ(t.get(14), colorNumber(255, 190, 0));
    t.set(13, colorNumber(1, 2, 3));
    EXPECT_EQ(t.rgba(13), (Rgba{1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 1}));
    t.set(16, 5);
    t.set(-1, 5);
    EXPECT_EQ(t.get(16), 0);
    t.resetToDefaults();
    EXPECT_EQ(t.get(13), 255 * 65536);
}

TEST(ColorTable, VerticalFacesTakeTheHorizontalColourAsTheCardCloses) {
    ColorTable t;
    const Rgba white{1, 1, 1, 1};
    const float grey = 200 / 255.0f;
    EXPECT_EQ(verticalFaceColor(t, 90), white);
    EXPECT_EQ(verticalFaceColor(t, 80), white);
    EXPECT_EQ(verticalFaceColor(t, 100), white);
    EXPECT_NEAR(verticalFaceColor(t, 0).r, grey, 1e-6);
    EXPECT_NEAR(verticalFaceColor(t, 180).g, grey, 1e-6);
    // sin 30 = 0.5: halfway between the two.
    EXPECT_NEAR(verticalFaceColor(t, 30).b, (grey + 1) / 2, 1e-6);
    EXPECT_NEAR(verticalFaceColor(t, 150).r, (grey + 1) / 2, 1e-6);
    const float s79 = float(std::sin(79 * std::numbers::pi / 180));
    EXPECT_NEAR(verticalFaceColor(t, 79).r, (1 - s79) * grey + s79, 1e-6);
    EXPECT_LT(verticalFaceColor(t, 79).r, 1.0f);
}

TEST(NumberText, ReadsPlainDecimalsOnly) {
    EXPECT_EQ(parseDecimal(" 30 "), 30.0);
    EXPECT_EQ(parseDecimal("-0.05"), -0.05);
    EXPECT_EQ(parseDecimal("+1.5e1"), 15.0);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_FALSE(parseDecimal(""));
    EXPECT_FALSE(parseDecimal("  "));
    EXPECT_FALSE(parseDecimal("abc"));
    EXPECT_FALSE(parseDecimal("1,5"));
    EXPECT_FALSE(parseDecimal("12x"));
    EXPECT_FALSE(parseDecimal("nan"));
    EXPECT_FALSE(parseDecimal("inf"));
    EXPECT_FALSE(parseDecimal("1e999"));
    EXPECT_FALSE(parseDecimal("+-1"));
    EXPECT_FALSE(parseDecimal("-"));
}

TEST(NumberText, FormatReadsBackExactly) {
    for (double v : {30.0, -88.5, 0.1, 1.0 / 3.0, 1e-7, 123456789.125}) {
        const auto back = parseDecimal(formatDecimal(v));
        ASSERT_TRUE(back) << formatDecimal(v);
        EXPECT_EQ(*back, v);
    }
    EXPECT_EQ(formatDecimal(30.0), "30");
    EXPECT_EQ(formatDecimal(0.3), "0.3");
}
