// The "Settings" keys and the window placement: read rules, defaults and what is written back.
#include "settings/app_settings.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

ColorNumbers factoryLike() {
    ColorNumbers c{};
    for (int i = 0; i < 16; ++i)
        c[std::size_t(i)] = 1000 + i;
    return c;
}

TEST(AppSettings, MissingProfileKeepsEveryDefault) {
    ProfileStore p;
    AppSettings s;
    ColorNumbers c = factoryLike();
    loadSettings(p, s, c);
    EXPECT_EQ(s.defaultFileDir, "");
    EXPECT_EQ(s.defaultImageDir, "");
    EXPECT_FALSE(s.isReverseTenkaizu);
    EXPECT_EQ(s.tenkaizuSizeRatio, 50);
    EXPECT_EQ(c, factoryLike());
}

TEST(AppSettings, ColourKeysAcceptHexAndIgnoreMinusOneAndLetters) {
    ProfileStore p;
    p.parse("[Settings]\ncolor0=0x00FF00\ncolor1=-1\ncolor2=abc\ncolor3=255\ncolor4=\n"
            "color5=0777\ncolor15=65536\n");
    AppSettings s;
    ColorNumbers c = factoryLike();
    loadSettings(p, s, c);
    EXPECT_EQ(c[0], 0xFF00);
    EXPECT_EQ(c[1], 1001);
    EXPECT_EQ(c[2], 1002);
    EXPECT_EQ(c[3], 255);
    EXPECT_EQ(c[4], 1004);
    EXPECT_EQ(c[5], 0777);
    EXPECT_EQ(c[6], 1006);
    EXPECT_EQ(c[15], 65536);
}

TEST(AppSettings, ReverseFlagIsAnyNonZeroAndIsWrittenBackAsOne) {
    ProfileStore p;
    p.parse("[Settings]\nisReverseTenkaizu=2\ntenkaizuSizeRatio=0x20\n");
    AppSettings s;
    ColorNumbers c = factoryLike();
    loadSettings(p, s, c);
    EXPECT_TRUE(s.isReverseTenkaizu);
    EXPECT_EQ(s.tenkaizuSizeRatio, 32);
    saveSettings(p, s, c);
    EXPECT_EQ(p.getString("Settings", "isReverseTenkaizu"), "1");
    EXPECT_EQ(p.getString("Settings", "tenkaizuSizeRatio"), "32");
    EXPECT_EQ(p.getString("Settings", "color7"), "1007");

    p.parse("[Settings]\nisReverseTenkaizu=yes\ntenkaizuSizeRatio=x\n");
    s.isReverseTenkaizu = true;
    loadSettings(p, s, c);
    EXPECT_TRUE(s.isReverseTenkaizu) << "an unreadable value keeps the current one";
    EXPECT_EQ(s.tenkaizuSizeRatio, 32);
    s.isReverseTenkaizu = false;
    saveSettings(p, s, c);
    EXPECT_EQ(p.getString("Settings", "isReverseTenkaizu"), "0");
}

TEST(AppSettings, FoldersRoundTripVerbatim) {
    ProfileStore p;
    AppSettings s;
    s.defaultFileDir = "/home/me/カード/";
    s.defaultImageDir = "C:\\old\\path\\";
    ColorNumbers c = factoryLike();
    saveSettings(p, s, c);
    ProfileStore q;
    q.parse(p.toText());
    AppSettings t;
    ColorNumbers d{};
    loadSettings(q, t, d);
    EXPECT_EQ(t.defaultFileDir, s.defaultFileDir);
    EXPECT_EQ(t.defaultImageDir, s.defaultImageDir);
    EXPECT_EQ(d, c);
}

TEST(WindowPlacement, TenFieldsRoundTrip) {
    WindowPlacement w;
    w.flags = 2;
    w.showCommand = 2;
    w.left = 10;
    w.top = 20;
    w.right = 810;
    w.bottom = 620;
    const std::string text = formatPlacement(w);
    EXPECT_EQ(text, "2:2:-1:-1:-1:-1:10:20:810:620");
    WindowPlacement back;
    ASSERT_TRUE(parsePlacement(text, back));
    EXPECT_EQ(back, w);
}

TEST(WindowPlacement, RefusesAnythingButTenIntegers) {
    WindowPlacement w;
    EXPECT_FALSE(parsePlacement("", w));
    EXPECT_FALSE(parsePlacement("1:2:3:4:5:6:7:8:9", w));
    EXPECT_FALSE(parsePlacement("1:2:3:4:5:6:7:8:9:", w));
    EXPECT_FALSE(parsePlacement("1:2:3:4:5:x:7:8:9:10", w));
    EXPECT_FALSE(parsePlacement("1 :2:3:4:5:6:7:8:9:10", w));
    EXPECT_FALSE(parsePlacement("1x:2:3:4:5:6:7:8:9:10", w));
    EXPECT_EQ(w, WindowPlacement{}) << "a refused text leaves the record alone";
    // What the scan accepts: blanks before numbers, other bases, text after the tenth.
    ASSERT_TRUE(parsePlacement(" 0: 1:0x10:-1:-1:-1:010:0:100:100 trailing", w));
    EXPECT_EQ(w.minX, 16);
    EXPECT_EQ(w.left, 8);
}

TEST(WindowPlacement, AbsentOrEmptyKeyIsNoPlacement) {
    ProfileStore p;
    WindowPlacement w;
    EXPECT_FALSE(readPlacement(p, w));
    p.setString("Settings", "WindowPos", "");
    EXPECT_FALSE(readPlacement(p, w));
    WindowPlacement stored;
    stored.flags = WindowPlacement::restoreToMaximized;
    stored.right = 300;
    writePlacement(p, stored);
    ASSERT_TRUE(readPlacement(p, w));
    EXPECT_EQ(w, stored);
}

} // namespace
} // namespace plicato
