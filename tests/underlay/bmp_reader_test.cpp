// The BMP reader on pictures made by an independent encoder and on hand-built headers, including
// every way a header, palette or pixel block can be wrong.
#include "underlay/bmp_reader.h"

#include "tests/support/test_files.h"
#include "tests/underlay/bmp_builder.h"

#include <gtest/gtest.h>

#include <tuple>

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
    for (int headerSize : {16, 20, 64, 100, 200}) {
        BmpSpec s;
        s.headerSize = headerSize;
        s.pixels.assign(16, 0);
        expectRefused(makeBmp(s), "Unknown DIB file format.");
    }
    expectRefused({}, "Unknown DIB file format.");
    expectRefused({'B', 'M'}, "Unknown DIB file format.");
    expectRefused({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "Unknown DIB file format.");
    Bytes cut = makeBmp(BmpSpec{});
    cut.resize(14 + 20); // info header cut short
    expectRefused(cut, "Unknown DIB file format.");
}

TEST(BmpReader, LongerHeadersAsTodaysToolsWriteThem) {
    // The encoder's default output (124-byte header) decodes like the 40-byte fixture.
    CollectingMessageSink sink;
    auto v5 = readBmp(dataFile("underlay/quad_v5.bmp"), sink);
    auto v3 = readBmp(dataFile("underlay/quad24.bmp"), sink);
    ASSERT_NE(v5, nullptr);
    ASSERT_NE(v3, nullptr);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(v5->width, v3->width);
    EXPECT_EQ(v5->height, v3->height);
    EXPECT_EQ(v5->data, v3->data);
    // Each longer header with plain, palette and bit-field pixels; the masks of the 52-byte and
    // longer headers sit inside the header.
    for (int headerSize : {52, 56, 108, 124}) {
        SCOPED_TRACE(headerSize);
        BmpSpec plain;
        plain.headerSize = headerSize;
        plain.width = 1;
        plain.height = 1;
        plain.pixels = {0x30, 0x20, 0x10, 0};
        auto p = decode(makeBmp(plain), sink);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0x10, 0x20, 0x30}));

        BmpSpec indexed;
        indexed.headerSize = headerSize;
        indexed.bitCount = 8;
        indexed.width = 2;
        indexed.height = 1;
        indexed.colorsUsed = 2;
        indexed.palette = {0x102030, 0xA0B0C0};
        indexed.pixels = {1, 0, 0, 0};
        p = decode(makeBmp(indexed), sink);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(pixel(*p, 0, 0), (Rgb{0xA0, 0xB0, 0xC0}));
        EXPECT_EQ(pixel(*p, 1, 0), (Rgb{0x10, 0x20, 0x30}));

        BmpSpec fields;
        fields.headerSize = headerSize;
        fields.bitCount = 16;
        fields.compression = 3;
        fields.width = 1;
        fields.height = 1;
        fields.pixels = {0x00, 0xF8, 0, 0}; // 0xF800: all red in 5-6-5
        Bytes b = makeBmp(fields);
        const std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
        for (int m = 0; m < 3; ++m)
            for (int k = 0; k < 4; ++k)
                b[14 + 40 + 4 * m + k] = (masks[m] >> (8 * k)) & 0xFF;
        p = decode(b, sink);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(pixel(*p, 0, 0), (Rgb{255, 0, 0}));
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(BmpReader, RunLengthCodedEncoderFixture) {
    CollectingMessageSink sink;
    auto rle = readBmp(dataFile("underlay/quad_rle8.bmp"), sink);
    auto plain = readBmp(dataFile("underlay/quad24.bmp"), sink);
    ASSERT_NE(rle, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(rle->data, plain->data);
}

TEST(BmpReader, RunLengthCodes) {
    struct Row {
        const char* what;
        int bits;
        Bytes code;
        std::vector<int> indices; // 4 x 2, bottom row first
    };
    const Row rows[] = {
        {"runs", 8, {4, 1, 0, 0, 2, 2, 2, 3, 0, 1}, {1, 1, 1, 1, 2, 2, 3, 3}},
        {"run clipped at the row end", 8, {9, 1, 0, 0, 4, 2, 0, 1}, {1, 1, 1, 1, 2, 2, 2, 2}},
        {"literal with padding",
         8,
         {0, 3, 1, 2, 3, 0, 1, 3, 0, 0, 4, 1, 0, 1},
         {1, 2, 3, 3, 1, 1, 1, 1}},
        {"delta", 8, {1, 2, 0, 2, 2, 1, 1, 3, 0, 1}, {2, 0, 0, 0, 0, 0, 0, 3}},
        {"early end leaves index 0", 8, {2, 3, 0, 1, 2, 2}, {3, 3, 0, 0, 0, 0, 0, 0}},
        {"stream cut mid-pair", 8, {2, 3, 0}, {3, 3, 0, 0, 0, 0, 0, 0}},
        {"literal cut short", 8, {0, 4, 1, 2}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"delta beyond the picture", 8, {0, 2, 200, 200, 4, 1}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"nibble runs", 4, {4, 0x12, 0, 0, 3, 0x30, 0, 1}, {1, 2, 1, 2, 3, 0, 3, 0}},
        {"nibble literal", 4, {0, 3, 0x12, 0x30, 0, 0, 4, 0x33, 0, 1}, {1, 2, 3, 0, 3, 3, 3, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        BmpSpec s;
        s.bitCount = r.bits;
        s.compression = r.bits == 8 ? 1 : 2;
        s.width = 4;
        s.height = 2;
        s.colorsUsed = 4;
        s.palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
        s.pixels = r.code;
        CollectingMessageSink sink;
        auto p = decode(makeBmp(s), sink);
        if (r.code.size() < 2) {
            EXPECT_EQ(p, nullptr);
            continue;
        }
        ASSERT_NE(p, nullptr);
        const Rgb colours[4] = {{0, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(pixel(*p, i % 4, i / 4), colours[r.indices[i]]) << i;
    }
}

TEST(BmpReader, RunLengthCodingMustBeBottomUpAndMatchTheDepth) {
    for (auto [bits, compression, height] :
         {std::tuple{8, 1, -2}, std::tuple{4, 2, -2}, std::tuple{4, 1, 2}, std::tuple{8, 2, 2},
          std::tuple{24, 1, 2}}) {
        BmpSpec s;
        s.bitCount = bits;
        s.compression = compression;
        s.height = height;
        s.pixels = {0, 1};
        expectRefused(makeBmp(s), "Image file conversion error.");
    }
}

TEST(BmpReader, EveryTruncationOfARunLengthFileIsSafe) {
    const Bytes full = readBytes(dataFile("underlay/quad_rle8.bmp"));
    ASSERT_GT(full.size(), 100u);
    for (std::size_t n = 0; n < full.size(); ++n) {
        Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        CollectingMessageSink sink;
        auto p = readBmpData(cut.data(), cut.size(), sink);
        // Cut in the headers: refused with one message; cut in the code: the rest stays index 0.
        EXPECT_EQ(p == nullptr, sink.messages.size() == 1u) << n;
    }
}

TEST(BmpReader, UnsupportedContentIsAConversionError) {
    BmpSpec depth2;
    depth2.bitCount = 2;
    depth2.pixels.assign(8, 0);
    expectRefused(makeBmp(depth2), "Image file conversion error.");
    BmpSpec jpegInside;
    jpegInside.compression = 4;
    jpegInside.pixels.assign(8, 0);
    expectRefused(makeBmp(jpegInside), "Image file conversion error.");
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
