// The BMP reader on pictures made by an independent encoder and on hand-built headers, including
// every way a header, palette or pixel block can be wrong.
#include "underlay/bmp_reader.h"

#include "tests/support/test_files.h"
#include "tests/underlay/bmp_builder.h"

#include <gtest/gtest.h>

using namespace plicato;
using namespace plicato::test;

namespace {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Row counted from the bottom, as the picture stores it.
Rgb pixel(const Picture& p, int x, int rowFromBottom) {
    const unsigned char* px = p.data.data() + (std::size_t(rowFromBottom) * p.width + x) * 3;
    return {px[0], px[1], px[2]};
}

std::unique_ptr<Picture> decode(const Bytes& b, CollectingMessageSink& sink) {
    return readBmpData(b.data(), b.size(), sink);
}

void expectRefused(const Bytes& b, const std::string& message) {
    CollectingMessageSink sink;
    EXPECT_EQ(decode(b, sink), nullptr);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], message);
}

} // namespace

TEST(BmpReader, EncoderFixturesDecodeBottomUp) {
    for (const char* name : {"quad24.bmp", "quad4.bmp"}) {
        SCOPED_TRACE(name);
        CollectingMessageSink sink;
        auto p = readBmp(dataFile(std::string("underlay/") + name), sink);
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(p->width, 40);
        EXPECT_EQ(p->height, 30);
        EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0, 0, 255}));      // bottom left: blue
        EXPECT_EQ(pixel(*p, 39, 0), (Rgb{255, 255, 255})); // bottom right: white
        EXPECT_EQ(pixel(*p, 0, 29), (Rgb{255, 0, 0}));     // top left: red
        EXPECT_EQ(pixel(*p, 39, 29), (Rgb{0, 255, 0}));    // top right: green
        EXPECT_EQ(pixel(*p, 19, 14), (Rgb{0, 0, 255}));
        EXPECT_EQ(pixel(*p, 20, 15), (Rgb{0, 255, 0}));
    }
}

TEST(BmpReader, MonochromeFixtureUsesItsTwoColourPalette) {
    CollectingMessageSink sink;
    auto p = readBmp(dataFile("underlay/quad1.bmp"), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width, 40);
    EXPECT_EQ(p->height, 30);
    EXPECT_EQ(pixel(*p, 39, 0), (Rgb{255, 255, 255}));
    for (std::size_t i = 0; i < p->data.size(); ++i)
        ASSERT_TRUE(p->data[i] == 0 || p->data[i] == 255) << i;
}

TEST(BmpReader, CoreHeaderWidensThreeBytePalette) {
    BmpSpec s;
    s.headerSize = 12;
    s.bitCount = 8;
    s.width = 3;
    s.height = 2;
    s.palette.assign(256, 0);
    s.palette[1] = 0x102030;
    s.palette[200] = 0xA0B0C0;
    s.pixels = {1, 200, 0, 0, /* next row */ 200, 1, 1, 0};
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(pixel(*p, 1, 0), (Rgb{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(pixel(*p, 2, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(*p, 0, 1), (Rgb{0xA0, 0xB0, 0xC0}));
}

TEST(BmpReader, FourBitOddWidthKeepsRowPadding) {
    BmpSpec s;
    s.bitCount = 4;
    s.width = 3;
    s.height = 2;
    s.colorsUsed = 3;
    s.palette = {0x000000, 0xFF0000, 0x0000FF};
    // Row 0: indices 1 2 1, row 1: 2 0 2; each row padded to 4 bytes.
    s.pixels = {0x12, 0x10, 0xEE, 0xEE, 0x20, 0x20, 0xEE, 0xEE};
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel(*p, 1, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(*p, 2, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel(*p, 0, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(*p, 1, 1), (Rgb{0, 0, 0}));
}

TEST(BmpReader, IndexBeyondShortPaletteIsBlack) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 2;
    s.height = 1;
    s.colorsUsed = 1;
    s.palette = {0xFFFFFF};
    s.pixels = {0, 255, 0, 0};
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixel(*p, 1, 0), (Rgb{0, 0, 0}));
}

TEST(BmpReader, TopDownRowsAreTurnedOver) {
    BmpSpec s;
    s.width = 1;
    s.height = -2;
    s.pixels = {0, 0, 255, 0, /* second stored row */ 255, 0, 0, 0};
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->height, 2);
    EXPECT_EQ(pixel(*p, 0, 1), (Rgb{255, 0, 0})); // first stored row is the top
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0, 0, 255}));
}

TEST(BmpReader, SixteenAndThirtyTwoBitsWithDefaultAndExplicitMasks) {
    BmpSpec s16;
    s16.bitCount = 16;
    s16.width = 2;
    s16.height = 1;
    s16.pixels = {0x00, 0x7C, 0x1F, 0x00}; // pure red, pure blue in 5-5-5
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s16), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel(*p, 1, 0), (Rgb{0, 0, 255}));

    BmpSpec s565 = s16;
    s565.compression = 3;
    s565.masks = {0xF800, 0x07E0, 0x001F};
    s565.pixels = {0xE0, 0x07, 0x00, 0xF8}; // pure green, pure red in 5-6-5
    p = decode(makeBmp(s565), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixel(*p, 1, 0), (Rgb{255, 0, 0}));

    BmpSpec s32;
    s32.bitCount = 32;
    s32.width = 1;
    s32.height = 1;
    s32.pixels = {0x30, 0x20, 0x10, 0xFF};
    p = decode(makeBmp(s32), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0x10, 0x20, 0x30}));

    BmpSpec swapped = s32;
    swapped.compression = 3;
    swapped.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    p = decode(makeBmp(swapped), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0x30, 0x20, 0x10}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(BmpReader, BareBitmapWithoutFileHeader) {
    BmpSpec s;
    s.fileHeader = false;
    s.width = 1;
    s.height = 1;
    s.pixels = {1, 2, 3, 0};
    CollectingMessageSink sink;
    auto p = decode(makeBmp(s), sink);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pixel(*p, 0, 0), (Rgb{3, 2, 1}));
}

TEST(BmpReader, HeadersOfOtherSizesAreUnknown) {
    expectRefused(readBytes(dataFile("underlay/quad_v5.bmp")), "Unknown DIB file format.");
    BmpSpec s;
    s.headerSize = 108;
    s.pixels.assign(16, 0);
    expectRefused(makeBmp(s), "Unknown DIB file format.");
    expectRefused({}, "Unknown DIB file format.");
    expectRefused({'B', 'M'}, "Unknown DIB file format.");
    expectRefused({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "Unknown DIB file format.");
    Bytes cut = makeBmp(BmpSpec{});
    cut.resize(14 + 20); // info header cut short
    expectRefused(cut, "Unknown DIB file format.");
}

TEST(BmpReader, UnsupportedContentIsAConversionError) {
    BmpSpec depth2;
    depth2.bitCount = 2;
    depth2.pixels.assign(8, 0);
    expectRefused(makeBmp(depth2), "Image file conversion error.");
    BmpSpec rle;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.pixels.assign(8, 0);
    expectRefused(makeBmp(rle), "Image file conversion error.");
    BmpSpec zero;
    zero.width = 0;
    expectRefused(makeBmp(zero), "Image file conversion error.");
    BmpSpec negativeWidth;
    negativeWidth.width = -4;
    expectRefused(makeBmp(negativeWidth), "Image file conversion error.");
    BmpSpec shortPixels;
    shortPixels.width = 4;
    shortPixels.height = 4;
    shortPixels.pixels.assign(4 * 12 - 1, 0); // one byte short of four 12-byte rows
    expectRefused(makeBmp(shortPixels), "Image file conversion error.");
    BmpSpec masksMissing;
    masksMissing.bitCount = 32;
    masksMissing.compression = 3;
    Bytes b = makeBmp(masksMissing);
    expectRefused(b, "Image file conversion error.");
    BmpSpec offsetPastEnd;
    Bytes far = makeBmp(offsetPastEnd);
    far[10] = 0xFF;
    far[11] = 0xFF;
    far[12] = 0xFF;
    far[13] = 0x7F;
    expectRefused(far, "Image file conversion error.");
}

TEST(BmpReader, OversizedPicturesAreRefusedBeforeDecoding) {
    BmpSpec wide;
    wide.width = 16385;
    wide.height = 1;
    expectRefused(makeBmp(wide), "Out of memory.");
    BmpSpec manyPixels;
    manyPixels.width = 16000;
    manyPixels.height = 4001; // 64.016 million pixels
    expectRefused(makeBmp(manyPixels), "Out of memory.");
    BmpSpec tall;
    tall.width = 1;
    tall.height = -16385;
    expectRefused(makeBmp(tall), "Out of memory.");
}

TEST(BmpReader, UnopenableFilesNameThePath) {
    TempDir dir;
    CollectingMessageSink sink;
    const std::string missing = dir.file("none.bmp");
    EXPECT_EQ(readBmp(missing, sink), nullptr);
    EXPECT_EQ(readBmp(dir.path.string(), sink), nullptr); // a folder is not a picture
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], "Failed to open DIB file " + missing + ".\n");
    EXPECT_EQ(sink.messages[1], "Failed to open DIB file " + dir.path.string() + ".\n");
}

TEST(BmpReader, EveryTruncationOfAValidFileIsSafe) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 3;
    s.height = 3;
    s.colorsUsed = 4;
    s.palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    s.pixels = {0, 1, 2, 0, 3, 2, 1, 0, 1, 1, 1, 0};
    const Bytes full = makeBmp(s);
    for (std::size_t n = 0; n < full.size(); ++n) {
        // A fresh copy of exactly n bytes, so ASan sees any read past the end.
        Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        CollectingMessageSink sink;
        EXPECT_EQ(readBmpData(cut.data(), cut.size(), sink), nullptr) << n;
        EXPECT_EQ(sink.messages.size(), 1u) << n;
    }
    CollectingMessageSink sink;
    EXPECT_NE(decode(full, sink), nullptr);
}
