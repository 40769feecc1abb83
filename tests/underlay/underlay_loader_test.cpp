// Loading pictures into underlay records: texture sides, resampling, the white ring, border
// colours, fitting to the card, and what a missing or broken file leaves behind.
#include "underlay/underlay_loader.h"

#include "tests/support/test_files.h"
#include "tests/underlay/bmp_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

using namespace plicato;
using namespace plicato::test;

namespace {

const unsigned char* at(const Picture& p, int x, int row) {
    return p.data.data() + (std::size_t(row) * p.width + x) * 3;
}

// A w x h 24-bit BMP whose pixel (x, row from bottom) is (x, row, 7).
Bytes gradientBmp(int w, int h) {
    BmpSpec s;
    s.width = w;
    s.height = h;
    const int stride = (w * 3 + 3) / 4 * 4;
    s.pixels.assign(std::size_t(stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* px = s.pixels.data() + std::size_t(y) * stride + 3 * x;
            px[0] = 7;
            px[1] = static_cast<unsigned char>(y);
            px[2] = static_cast<unsigned char>(x);
        }
    return makeBmp(s);
}

} // namespace

TEST(UnderlayLoader, TextureSideIsAPowerOfTwoFrom64UpToTheCap) {
    EXPECT_EQ(textureSide(640, 480, maxTextureSide), 1024);
    EXPECT_EQ(textureSide(300, 200, maxTextureSide), 512);
    EXPECT_EQ(textureSide(40, 30, maxTextureSide), 64);
    EXPECT_EQ(textureSide(2000, 100, maxTextureSide), 1024);
    EXPECT_EQ(textureSide(64, 65, maxTextureSide), 128);
    EXPECT_EQ(textureSide(1, 1, maxTextureSide), 64);
    EXPECT_EQ(textureSide(1025, 1, 4096), 2048);
}

TEST(UnderlayLoader, ResamplesByNearestNeighbourInsideAWhiteRing) {
    TempDir dir;
    const std::string path = dir.file("grad.bmp");
    writeBytes(path, gradientBmp(200, 100));
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, path, sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(rec.path, path);
    EXPECT_EQ(rec.imageWidth, 200);
    EXPECT_EQ(rec.imageHeight, 100);
    ASSERT_TRUE(rec.isPresent());
    const Picture& p = *rec.picture;
    ASSERT_EQ(p.width, 256);
    ASSERT_EQ(p.height, 256);
    ASSERT_EQ(p.data.size(), 256u * 256u * 3u);
    for (int k = 0; k < 256; ++k)
        for (auto [x, row] : {std::pair{k, 0}, {k, 255}, {0, k}, {255, k}})
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(p, x, row)[c], 255) << x << "," << row;
    for (int row = 1; row < 255; ++row)
        for (int x = 1; x < 255; ++x) {
            const unsigned char* px = at(p, x, row);
            ASSERT_EQ(px[0], x * 200 / 256) << x;
            ASSERT_EQ(px[1], row * 100 / 256) << row;
            ASSERT_EQ(px[2], 7);
        }
}

TEST(UnderlayLoader, JpegByExtensionInAnyCaseAndTurnedBottomUp) {
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/QUAD.JPEG"), sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(rec.imageWidth, 40);
    EXPECT_EQ(rec.imageHeight, 30);
    ASSERT_EQ(rec.picture->width, 64);
    const unsigned char* bottomLeft = at(*rec.picture, 5, 5);
    EXPECT_LT(bottomLeft[0], 40);
    EXPECT_GT(bottomLeft[2], 215); // blue was the bottom left quadrant
    const unsigned char* topLeft = at(*rec.picture, 5, 58);
    EXPECT_GT(topLeft[0], 215);
    EXPECT_LT(topLeft[2], 40);
}

TEST(UnderlayLoader, OtherExtensionsGoToTheBmpReader) {
    TempDir dir;
    const std::string gif = dir.file("picture.gif");
    writeBytes(gif, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'});
    const std::string hidden = dir.file("jpg.dir") + "/x";
    std::filesystem::create_directory(dir.file("jpg.dir"));
    writeBytes(hidden, gradientBmp(2, 2)); // a dot in the folder name is no extension
    UnderlayImage rec;
    CollectingMessageSink sink;
    EXPECT_FALSE(loadUnderlay(rec, gif, sink));
    EXPECT_TRUE(loadUnderlay(rec, hidden, sink));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Unknown DIB file format.");
}

TEST(UnderlayLoader, MissingFileIsReportedAndTheRecordKept) {
    TempDir dir;
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad24.bmp"), sink));
    const auto before = rec.picture->data;
    const std::string gone = dir.file("gone.bmp");
    EXPECT_FALSE(loadUnderlay(rec, gone, sink));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "画像ファイルが見つかりません\n" + gone);
    EXPECT_EQ(rec.path, dataFile("underlay/quad24.bmp"));
    EXPECT_EQ(rec.picture->data, before);
}

TEST(UnderlayLoader, FailedDecodeKeepsOldPathAndPicture) {
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad24.bmp"), sink));
    const auto before = rec.picture->data;
    TempDir dir;
    const std::string gif = dir.file("picture.gif");
    writeBytes(gif, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0});
    EXPECT_FALSE(loadUnderlay(rec, gif, sink));
    EXPECT_FALSE(loadUnderlay(rec, dataFile("underlay/huge_20000x20000.jpg"), sink));
    EXPECT_EQ(rec.path, dataFile("underlay/quad24.bmp"));
    EXPECT_EQ(rec.imageWidth, 40);
    EXPECT_EQ(rec.picture->data, before);
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{"Unknown DIB file format.", "JpegFile :\nOut of memory"}));
}

TEST(UnderlayLoader, ReloadAtASmallerCap) {
    UnderlayImage rec;
    CollectingMessageSink sink;
    rec.path = dataFile("underlay/progressive_640x240.jpg");
    ASSERT_TRUE(loadPicture(rec, 256, sink));
    EXPECT_EQ(rec.picture->width, 256);
    EXPECT_EQ(rec.imageWidth, 640);
}

TEST(UnderlayLoader, PaintBorderColoursTheOutermostRing) {
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad24.bmp"), sink));
    const auto inside =
        std::vector<unsigned char>(at(*rec.picture, 1, 1), at(*rec.picture, 1, 1) + 3);
    paintBorder(rec, 0x30 + 0x20 * 256 + 0x10 * 65536);
    const Picture& p = *rec.picture;
    for (int k = 0; k < 64; ++k)
        for (auto [x, row] : {std::pair{k, 0}, {k, 63}, {0, k}, {63, k}}) {
            ASSERT_EQ(at(p, x, row)[0], 0x30);
            ASSERT_EQ(at(p, x, row)[1], 0x20);
            ASSERT_EQ(at(p, x, row)[2], 0x10);
        }
    EXPECT_EQ(std::vector<unsigned char>(at(p, 1, 1), at(p, 1, 1) + 3), inside);
    UnderlayImage empty;
    paintBorder(empty, 0); // no picture: nothing to paint, nothing to crash
    EXPECT_FALSE(empty.isPresent());
}

TEST(UnderlayLoader, FitToCardUsesTheTighterSide) {
    UnderlayImage rec;
    rec.centerX = 12;
    rec.bottom = 3;
    rec.imageWidth = 640;
    rec.imageHeight = 480;
    fitToCard(rec, 150, 100);
    EXPECT_DOUBLE_EQ(rec.height, 100.0);
    EXPECT_NEAR(rec.width, 133.333333, 1e-5);
    EXPECT_EQ(rec.centerX, 0.0);
    EXPECT_EQ(rec.bottom, 0.0);
    rec.imageWidth = 1000;
    rec.imageHeight = 200;
    fitToCard(rec, 150, 100);
    EXPECT_DOUBLE_EQ(rec.width, 150.0);
    EXPECT_DOUBLE_EQ(rec.height, 30.0);
    rec.imageWidth = 3; // exactly the card's ratio: fitted to the width
    rec.imageHeight = 2;
    fitToCard(rec, 150, 100);
    EXPECT_DOUBLE_EQ(rec.width, 150.0);
    EXPECT_DOUBLE_EQ(rec.height, 100.0);
}

TEST(UnderlayLoader, MissingPictureIsFoundBesideTheModelFile) {
    TempDir dir;
    const std::string model = dir.file("design.plq");
    writeBytes(dir.file("front.bmp"), gradientBmp(4, 4));
    EXPECT_EQ(findUnderlayFile("C:\\Users\\ann\\Pictures\\front.bmp", model),
              dir.file("front.bmp"));
    EXPECT_EQ(findUnderlayFile("/home/bob/pics/front.bmp", model), dir.file("front.bmp"));
    EXPECT_EQ(findUnderlayFile("front.bmp", model), dir.file("front.bmp"));
    // An existing stored path wins; nothing beside the model file: the stored path stays.
    EXPECT_EQ(findUnderlayFile(dataFile("underlay/quad24.bmp"), model),
              dataFile("underlay/quad24.bmp"));
    EXPECT_EQ(findUnderlayFile("C:\\pics\\back.bmp", model), "C:\\pics\\back.bmp");
    EXPECT_EQ(findUnderlayFile("C:\\pics\\", model), "C:\\pics\\");
    EXPECT_EQ(findUnderlayFile("", model), "");
}

TEST(UnderlayLoader, EveryMalformedPictureIsHandledQuickly) {
    for (const auto& entry : std::filesystem::directory_iterator(dataFile("underlay"))) {
        const auto start = std::chrono::steady_clock::now();
        UnderlayImage rec;
        CollectingMessageSink sink;
        const bool loaded = loadUnderlay(rec, entry.path().string(), sink);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::seconds(1)) << entry.path();
        EXPECT_EQ(loaded, rec.isPresent()) << entry.path();
        if (loaded) {
            EXPECT_EQ(rec.picture->data.size(),
                      std::size_t(rec.picture->width) * rec.picture->height * 3);
        }
    }
}

TEST(UnderlayLoader, EveryChangeOfThePictureGivesANewVersion) {
    // The view keeps a texture while the version stays: a repaint in place, a reload of the same
    // file and a load of another must each show up as a new version.
    UnderlayImage rec;
    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad24.bmp"), sink));
    std::vector<std::uint64_t> seen{rec.picture->version};
    paintBorder(rec, 0x0000FF);
    seen.push_back(rec.picture->version);
    paintBorder(rec, 0x0000FF); // the same colour again: still a change as far as anyone knows
    seen.push_back(rec.picture->version);
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad24.bmp"), sink));
    seen.push_back(rec.picture->version);
    ASSERT_TRUE(loadUnderlay(rec, dataFile("underlay/quad4.bmp"), sink));
    seen.push_back(rec.picture->version);
    Picture other;
    seen.push_back(other.version);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_GT(seen.front(), 0u); // 0 is the renderer's "nothing uploaded"
}
