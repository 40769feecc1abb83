// The BMP information block and file bytes of 24-bit pattern images, and safe file replacement.
#include "output/bitmap_file.h"
#include "output/file_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace plicato {
namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

TEST(BitmapInfo, BitsRoundUpAndTheColourTableFollows) {
    struct Case {
        int planes, bpp, bits;
        std::uint32_t used;
        std::size_t table;
    };
    for (const Case& c : {Case{1, 1, 1, 2, 2}, Case{1, 2, 4, 16, 16}, Case{1, 5, 8, 256, 256},
                          Case{1, 9, 16, 65536, 65536}, Case{1, 17, 24, 0, 0},
                          Case{1, 24, 24, 0, 0}, Case{1, 32, 32, 0, 1}, Case{2, 16, 32, 0, 1}}) {
        const BitmapInfo info = makeBitmapInfo(10, 3, c.planes, c.bpp);
        EXPECT_EQ(info.coloursUsed, c.used) << c.bpp;
        EXPECT_EQ(info.colourTable.size(), c.table) << c.bpp;
        EXPECT_EQ(info.imageSize, std::uint32_t(c.bits) * 2 * 3) << c.bpp;
        EXPECT_EQ(info.bitCount, c.bpp);
    }
}

TEST(BitmapFile, HeaderFieldsAndBottomUpPixels) {
    RasterImage image(400, 780);
    image.setPixel(0, 0, 0x11, 0x22, 0x33);     // top-left
    image.setPixel(399, 779, 0xAA, 0xBB, 0xCC); // bottom-right
    const BitmapInfo info = makeBitmapInfo(image);
    EXPECT_EQ(info.imageSize, 24u * 50 * 780);
    const std::vector<std::uint8_t> b = bitmapFileBytes(info, image);
    ASSERT_EQ(b.size(), 14u + 40 + 24 * 50 * 780);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 6), 0u);
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 400u);
    EXPECT_EQ(le32(b, 22), 780u);
    EXPECT_EQ(b[26] | b[27] << 8, 1);
    EXPECT_EQ(b[28] | b[29] << 8, 24);
    EXPECT_EQ(le32(b, 30), 0u);
    EXPECT_EQ(le32(b, 34), info.imageSize);
    EXPECT_EQ(le32(b, 46), 0u);
    // Row 0 of the file is the bottom row; pixels are blue, green, red.
    const std::size_t stride = 1200;
    EXPECT_EQ(b[54 + 399 * 3], 0xCC);
    EXPECT_EQ(b[54 + 399 * 3 + 2], 0xAA);
    const std::size_t top = 54 + 779 * stride;
    EXPECT_EQ(b[top], 0x33);
    EXPECT_EQ(b[top + 1], 0x22);
    EXPECT_EQ(b[top + 2], 0x11);
    EXPECT_EQ(b[top + 3], 0xFF);
}

TEST(BitmapFile, RowPaddingAndTheSlackOfTheImageSizeAreZero) {
    RasterImage image(101, 2); // 303 bytes of pixels, rows padded to 304
    const BitmapInfo info = makeBitmapInfo(image);
    EXPECT_EQ(info.imageSize, 24u * 13 * 2);
    const std::vector<std::uint8_t> b = bitmapFileBytes(info, image);
    ASSERT_EQ(b.size(), 54u + 624);
    EXPECT_EQ(b[54 + 302], 0xFF);
    EXPECT_EQ(b[54 + 303], 0);
    EXPECT_EQ(b[54 + 304], 0xFF);
    for (std::size_t i = 54 + 608; i < b.size(); ++i)
        EXPECT_EQ(b[i], 0) << i;
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("plicato-output-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    static std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t entries() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(folder),
                                         std::filesystem::directory_iterator()));
    }
    std::filesystem::path folder;
};

TEST_F(TempFolder, ReplacingWritesTheWholeContentAndLeavesNoTemporaryFile) {
    const std::filesystem::path target = folder / "pattern.eps";
    ASSERT_TRUE(writeFileReplacing(target.string(), "first"));
    ASSERT_TRUE(writeFileReplacing(target.string(), std::string("second\0x", 8)));
    EXPECT_EQ(read(target), std::string("second\0x", 8));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(TempFolder, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    std::string error;
    EXPECT_FALSE(writeFileReplacing((folder / "missing" / "x.bmp").string(), "data", &error));
    EXPECT_FALSE(error.empty());
    // A folder in the way of the target: the rename fails, nothing is left behind.
    std::filesystem::create_directories(folder / "busy" / "inside");
    EXPECT_FALSE(writeFileReplacing((folder / "busy").string(), "data", &error));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "busy"));
    EXPECT_EQ(entries(), 1u);
    EXPECT_FALSE(writeFileReplacing((folder.string() + "/"), "data", &error));
}

TEST_F(TempFolder, WriteBitmapFileWritesTheBytes) {
    RasterImage image(120, 30);
    const BitmapInfo info = makeBitmapInfo(image);
    const std::filesystem::path target = folder / "p.bmp";
    ASSERT_TRUE(writeBitmapFile(target.string(), info, image));
    const std::vector<std::uint8_t> expected = bitmapFileBytes(info, image);
    EXPECT_EQ(read(target), std::string(expected.begin(), expected.end()));
}

} // namespace
} // namespace plicato
