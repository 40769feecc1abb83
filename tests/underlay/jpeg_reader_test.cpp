// The JPEG reader on encoder-made pictures: colour and grey, progressive, CMYK, cut short,
// impossible sizes and files that are not JPEG at all.
#include "underlay/jpeg_reader.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace plicato;
using namespace plicato::test;

namespace {

// Top-down rows, as the reader delivers them; JPEG is lossy, so colours are compared loosely.
void expectNear(const JpegImage& img, int x, int y, int r, int g, int b) {
    const unsigned char* px = img.rgb.data() + (std::size_t(y) * img.width + x) * 3;
    EXPECT_LE(std::abs(px[0] - r), 24) << x << "," << y;
    EXPECT_LE(std::abs(px[1] - g), 24) << x << "," << y;
    EXPECT_LE(std::abs(px[2] - b), 24) << x << "," << y;
}

} // namespace

TEST(JpegReader, ColourPictureTopRowFirst) {
    CollectingMessageSink sink;
    JpegImage img;
    ASSERT_TRUE(readJpeg(dataFile("underlay/quadrants.jpg"), sink, img));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(img.width, 40);
    EXPECT_EQ(img.height, 30);
    ASSERT_EQ(img.rgb.size(), 40u * 30u * 3u);
    expectNear(img, 5, 3, 255, 0, 0);  // top left red
    expectNear(img, 35, 3, 0, 255, 0); // top right green
    expectNear(img, 5, 26, 0, 0, 255); // bottom left blue
    expectNear(img, 35, 26, 255, 255, 255);
}

TEST(JpegReader, GreyPictureIsWidenedToEqualChannels) {
    CollectingMessageSink sink;
    JpegImage img;
    ASSERT_TRUE(readJpeg(dataFile("underlay/quadrants_grey.jpg"), sink, img));
    EXPECT_EQ(img.width, 40);
    EXPECT_EQ(img.height, 30);
    for (std::size_t i = 0; i < img.rgb.size(); i += 3) {
        ASSERT_EQ(img.rgb[i], img.rgb[i + 1]);
        ASSERT_EQ(img.rgb[i], img.rgb[i + 2]);
    }
    expectNear(img, 35, 26, 255, 255, 255);
}

TEST(JpegReader, ProgressivePicture) {
    CollectingMessageSink sink;
    JpegImage img;
    ASSERT_TRUE(readJpeg(dataFile("underlay/progressive_640x240.jpg"), sink, img));
    EXPECT_EQ(img.width, 640);
    EXPECT_EQ(img.height, 240);
    expectNear(img, 600, 20, 0, 255, 0);
    expectNear(img, 20, 220, 0, 0, 255);
}

TEST(JpegReader, FourComponentPictureLeavesRowsUnset) {
    CollectingMessageSink sink;
    JpegImage img;
    ASSERT_TRUE(readJpeg(dataFile("underlay/cmyk.jpg"), sink, img));
    EXPECT_EQ(img.width, 40);
    ASSERT_EQ(img.rgb.size(), 40u * 30u * 3u);
    for (unsigned char v : img.rgb)
        ASSERT_EQ(v, 0);
}

TEST(JpegReader, DataCutShortStillDecodesWithFullSize) {
    // libjpeg only warns when the scan data ends early; the rows it could not read come out
    // grey. The picture is still usable for tracing, so it is accepted.
    CollectingMessageSink sink;
    JpegImage img;
    ASSERT_TRUE(readJpeg(dataFile("underlay/cut_short.jpg"), sink, img));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(img.width, 40);
    EXPECT_EQ(img.height, 30);
    EXPECT_EQ(img.rgb.size(), 40u * 30u * 3u);
    expectNear(img, 5, 3, 255, 0, 0); // the rows before the cut are intact
}

TEST(JpegReader, DecodingErrorsFailWithoutMessage) {
    for (const char* name :
         {"underlay/cut_in_header.jpg", "underlay/zero_width.jpg", "underlay/not_a_jpeg.jpg"}) {
        CollectingMessageSink sink;
        JpegImage img;
        EXPECT_FALSE(readJpeg(dataFile(name), sink, img)) << name;
        EXPECT_TRUE(sink.messages.empty()) << name;
        EXPECT_EQ(img.width, 0);
    }
    CollectingMessageSink sink;
    JpegImage img;
    EXPECT_FALSE(readJpegData(nullptr, 0, sink, img));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(JpegReader, OversizedPictureIsRefusedBeforeDecoding) {
    CollectingMessageSink sink;
    JpegImage img;
    EXPECT_FALSE(readJpeg(dataFile("underlay/huge_20000x20000.jpg"), sink, img));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "JpegFile :\nOut of memory");
}

TEST(JpegReader, MissingFileNamesThePath) {
    TempDir dir;
    CollectingMessageSink sink;
    JpegImage img;
    EXPECT_FALSE(readJpeg(dir.file("gone.jpg"), sink, img));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "JPEG :\nCan't open " + dir.file("gone.jpg") + "\n");
}

TEST(JpegReader, EveryTruncationOfASmallFileIsSafeAndQuick) {
    const Bytes full = readBytes(dataFile("underlay/quadrants_grey.jpg"));
    ASSERT_GT(full.size(), 100u);
    for (std::size_t n = 0; n <= full.size(); ++n) {
        Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        CollectingMessageSink sink;
        JpegImage img;
        if (readJpegData(cut.data(), cut.size(), sink, img)) {
            EXPECT_EQ(img.rgb.size(), std::size_t(img.width) * img.height * 3) << n;
        }
        EXPECT_TRUE(sink.messages.empty()) << n;
    }
}
