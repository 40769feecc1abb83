// Glyph outlines from the pinned DejaVu Sans Mono font through FreeType, and fonts that cannot
// be used.
#include "text/font_face.h"
#include "text/font_list.h"

#include "../support/test_files.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plicato;

namespace {

const std::string monoFont = std::string(PLICATO_TEST_DATA) + "/fonts/DejaVuSansMono.ttf";

std::unique_ptr<FontFace> openMono(int em) {
    CollectingMessageSink sink;
    auto f = FontFace::open(monoFont, 0, em, sink);
    EXPECT_TRUE(sink.messages.empty());
    return f;
}

} // namespace

TEST(FontFace, LetterOIsOneOuterContourAndOneHole) {
    auto font = openMono(100);
    ASSERT_TRUE(font);
    GlyphOutline o;
    ASSERT_TRUE(font->glyph(U'O', o));
    ASSERT_EQ(o.contours.size(), 2u);
    const auto contours = contourFromOutline(o, 0.0, 1.0);
    const auto holes = classifyHoles(contours);
    ASSERT_EQ(holes.size(), 2u);
    EXPECT_NE(holes[0], holes[1]);
    const Contour& outer = holes[0] ? contours[1] : contours[0];
    const Contour& hole = holes[0] ? contours[0] : contours[1];
    // TrueType outlines: quadratic records of one control point and one end point each.
    for (const OutlineContour& c : o.contours) {
        for (const CurveRecord& r : c.records) {
            if (r.type == CurveType::QuadraticSpline) {
                EXPECT_EQ(r.points.size(), 2u);
            }
            EXPECT_NE(r.type, CurveType::CubicSpline);
        }
    }
    // The hole lies inside the outer boundary and is smaller.
    EXPECT_GT(std::abs(signedArea(outer)), std::abs(signedArea(hole)));
}

TEST(FontFace, OutlinesScaleWithTheEmHeight) {
    auto small = openMono(50);
    auto large = openMono(200);
    ASSERT_TRUE(small && large);
    for (char32_t ch : {U'O', U'B', U'8', U'a'}) {
        GlyphOutline a, b;
        ASSERT_TRUE(small->glyph(ch, a));
        ASSERT_TRUE(large->glyph(ch, b));
        ASSERT_EQ(a.contours.size(), b.contours.size());
        const auto ca = contourFromOutline(a, 0.0, 1e-6);
        const auto cb = contourFromOutline(b, 0.0, 1e-6);
        for (std::size_t i = 0; i < ca.size(); ++i) {
            // Finely sampled, the areas grow with the square of the scale (unhinted outlines).
            const double ratio = signedArea(cb[i]) / signedArea(ca[i]);
            EXPECT_NEAR(ratio, 16.0, 0.16) << char(ch) << " contour " << i;
        }
    }
}

TEST(FontFace, MonospacedAdvancesAndCharactersWithoutOutline) {
    auto font = openMono(100);
    ASSERT_TRUE(font);
    GlyphOutline space, w, i;
    ASSERT_TRUE(font->glyph(U' ', space));
    ASSERT_TRUE(font->glyph(U'W', w));
    ASSERT_TRUE(font->glyph(U'i', i));
    EXPECT_TRUE(space.contours.empty());
    EXPECT_EQ(space.advance, 60.0); // 1233 / 2048 em, in whole pixels
    EXPECT_EQ(w.advance, space.advance);
    EXPECT_EQ(i.advance, space.advance);
}

TEST(FontFace, FontsThatCannotBeLoadedAreReported) {
    test::TempDir dir;
    const test::Bytes good = test::readBytes(monoFont);
    ASSERT_GT(good.size(), 100000u);
    struct Row {
        const char* what;
        test::Bytes bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"header only", test::Bytes(good.begin(), good.begin() + 12)},
        {"cut in the tables", test::Bytes(good.begin(), good.begin() + 400)},
    };
    for (const Row& r : rows) {
        const std::string path = dir.file("bad.ttf");
        test::writeBytes(path, r.bytes);
        CollectingMessageSink sink;
        EXPECT_FALSE(FontFace::open(path, 0, 40, sink)) << r.what;
        ASSERT_EQ(sink.messages.size(), 1u) << r.what;
        EXPECT_EQ(sink.messages[0], "フォントファイルを読み込めません。\n" + path);
    }
    CollectingMessageSink missing;
    EXPECT_FALSE(FontFace::open(dir.file("none.ttf"), 0, 40, missing));
    EXPECT_EQ(missing.messages.size(), 1u);
    CollectingMessageSink badSize;
    EXPECT_FALSE(FontFace::openData(good, 0, 0, badSize));
    EXPECT_FALSE(FontFace::openData(good, 5, 40, badSize)); // no such face in the file
    EXPECT_EQ(badSize.messages.size(), 2u);
}

TEST(FontFace, DamagedGlyphDataGivesNoCrash) {
    // Overwriting bytes all over the file: each variant either loads or is refused, and every
    // glyph it hands out has finite coordinates.
    const test::Bytes good = test::readBytes(monoFont);
    for (std::size_t stride : {997u, 4099u, 65537u}) {
        test::Bytes bytes = good;
        for (std::size_t k = 12; k < bytes.size(); k += stride)
            bytes[k] ^= 0x5A;
        CollectingMessageSink sink;
        auto font = FontFace::openData(bytes, 0, 40, sink);
        if (!font) {
            EXPECT_EQ(sink.messages.size(), 1u);
            continue;
        }
        for (char32_t ch : U"OBga8@%") {
            GlyphOutline g;
            if (!font->glyph(ch, g))
                continue;
            for (const Contour& c : contourFromOutline(g, 0.0, 1.0))
                for (const Point2& p : c)
                    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
}

TEST(FontList, FamiliesAreListedOnceAndFound) {
    const auto families = trueTypeFamilies();
    ASSERT_FALSE(families.empty());
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
    EXPECT_EQ(std::adjacent_find(families.begin(), families.end()), families.end());
    const auto dejavu = findFontFile("DejaVu Sans");
    ASSERT_TRUE(dejavu);
    EXPECT_EQ(dejavu->family, "DejaVu Sans");
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
    // Unknown names still get a font, as a font request does on Windows.
    EXPECT_TRUE(findFontFile("No Such Family 1234"));
}

TEST(FontList, TheWindowsGothicFaceFallsBackToAJapaneseGothic) {
    if (!findFontFile("IPAGothic") || findFontFile("IPAGothic")->family != "IPAGothic")
        GTEST_SKIP() << "IPAGothic is not installed (scripts/install-deps installs it)";
    for (const char* name : {"ＭＳ ゴシック", "MS Gothic"}) {
        const auto f = findFontFile(name);
        ASSERT_TRUE(f) << name;
        EXPECT_EQ(f->family, "IPAGothic") << name;
    }
    EXPECT_TRUE(isWindowsGothicName("ＭＳ ゴシック"));
    EXPECT_FALSE(isWindowsGothicName("IPAGothic"));
}
