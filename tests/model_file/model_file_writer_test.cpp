// The model file writer: the exact bytes of the layout, round trips through real files, and
// saves that fail without harming the previous file.
#include "model_file/model_file_reader.h"
#include "model_file/model_file_writer.h"
#include "popup/new_card.h"
#include "underlay/underlay_loader.h"

#include "tests/model_file/model_builder.h"
#include "tests/support/random_design.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plicato;
using namespace plicato::test;

namespace {

std::int32_t int32At(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return static_cast<std::int32_t>(v);
}

double float64At(const std::string& b, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    double d;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

std::vector<std::string> folderEntries(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string header = "# Plicato Forge PRO\nheader\nversion 4 0\nend_header\n";

} // namespace

TEST(ModelFileWriter, NewCardLayoutByteForByte) {
    auto card = makeNewCard(100, 80);
    const std::string b = encodeModelFile(*card);
    ASSERT_EQ(header.size(), 50u);
    EXPECT_EQ(b.substr(0, 50), header);
    // 50 header bytes, size and grid 16, two absent underlays 8, face count 4, two faces of 88.
    ASSERT_EQ(b.size(), 50u + 16 + 8 + 4 + 2 * 88);
    EXPECT_EQ(int32At(b, 50), 200);
    EXPECT_EQ(int32At(b, 54), 80);
    EXPECT_EQ(float64At(b, 58), 10.0);
    EXPECT_EQ(int32At(b, 66), 0);
    EXPECT_EQ(int32At(b, 70), 0);
    EXPECT_EQ(int32At(b, 74), 2);
    // The horizontal base face comes first: plane 1, offset 0, one outer loop of four points.
    EXPECT_EQ(int32At(b, 78), 1);
    EXPECT_EQ(float64At(b, 82), 0.0);
    EXPECT_EQ(int32At(b, 90), 1);
    EXPECT_EQ(int32At(b, 94), 0);
    EXPECT_EQ(int32At(b, 98), 4);
    const Loop& first = *card->userFaces[0]->polygon.loops[0];
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(float64At(b, 102 + 16 * k), first.points[k].x);
        EXPECT_EQ(float64At(b, 110 + 16 * k), first.points[k].y);
    }
    EXPECT_EQ(int32At(b, 78 + 88), 0); // then the vertical one
}

TEST(ModelFileWriter, FaceAndUnderlayBlockSizes) {
    auto card = makeNewCard(50, 50);
    const std::size_t before = encodeModelFile(*card).size();
    card->userFaces.push_back(
        makeFace(FacePlane::Vertical, 5, oneLoop({{0, 0}, {1, 0}, {1, 1}, {0, 1}})));
    EXPECT_EQ(encodeModelFile(*card).size() - before, 88u);

    auto hole = makeFace(FacePlane::Horizontal, 0, oneLoop({{0, 0}, {4, 0}, {4, -4}}));
    hole->polygon.addLoop(makeLoop({{1, -1}, {2, -1}, {2, -2}}, true));
    card->userFaces.push_back(std::move(hole));
    const std::string b = encodeModelFile(*card);
    EXPECT_EQ(b.size() - before, 88u + 16 + 2 * (8 + 3 * 16));
    const std::size_t holeLoop = before + 88 + 16 + 8 + 3 * 16;
    EXPECT_EQ(int32At(b, holeLoop), 1);
    EXPECT_EQ(int32At(b, holeLoop + 4), 3);

    CollectingMessageSink sink;
    ASSERT_TRUE(loadUnderlay(card->topImage, dataFile("model_file/front.bmp"), sink));
    card->topImage.centerX = -2.5;
    const std::string withPicture = encodeModelFile(*card);
    const std::size_t path = card->topImage.path.size();
    EXPECT_EQ(withPicture.size() - b.size(), 32 + 4 + path); // the flag was there already
    EXPECT_EQ(int32At(withPicture, 70), 1);
    EXPECT_EQ(float64At(withPicture, 74), -2.5);
    EXPECT_EQ(int32At(withPicture, 106), int(path));
    EXPECT_EQ(withPicture.substr(110, path), card->topImage.path);
}

TEST(ModelFileWriter, RecordWithPathButNoPictureIsWrittenAbsent) {
    auto card = makeNewCard(50, 50);
    card->frontImage.path = "/somewhere/lost.bmp";
    card->frontImage.width = 10;
    EXPECT_EQ(encodeModelFile(*card).size(), 50u + 16 + 8 + 4 + 2 * 88);
}

TEST(ModelFileWriter, RoundTripThroughAFileIsBitExact) {
    TempDir dir;
    auto card = makeNewCard(120, 90);
    card->setGridSize(2.5);
    plicato::testing::RandomDesigner designer(7, card->cardWidth, card->cardHeight);
    for (auto& rf : designer.faces({.faceCount = 25}))
        card->userFaces.push_back(std::move(rf.face));
    // Values whose bits a careless encoding would change.
    card->userFaces.push_back(makeFace(FacePlane::Horizontal, -0.0,
                                       oneLoop({{0.1, -0.0}, {1e-310, 1.0 / 3}, {-7e5, 5e-324}})));
    card->userFaces.push_back(makeFace(FacePlane::Vertical, 12.125, {}));
    CollectingMessageSink sink;
    writeBytes(dir.file("front.bmp"), readBytes(dataFile("model_file/front.bmp")));
    ASSERT_TRUE(loadUnderlay(card->frontImage, dir.file("front.bmp"), sink));
    card->frontImage.centerX = 0.1;
    card->frontImage.bottom = -3;
    card->frontImage.width = 33.3;
    card->frontImage.height = 1e-3;

    const std::string path = dir.file("design.plq");
    ASSERT_TRUE(writeModelFile(*card, path, sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(folderEntries(dir.path), (std::vector<std::string>{"design.plq", "front.bmp"}));
    ASSERT_TRUE(readModelFile(path, sink));
    EXPECT_TRUE(sink.messages.empty());
    const CardModel& back = *currentModel();
    expectSamePersistentData(*card, back);
    EXPECT_EQ(back.gridSize, 2.5);
    EXPECT_TRUE(back.userFaces[0]->isBase);
    EXPECT_TRUE(back.userFaces[1]->isBase);
    EXPECT_EQ(back.frontImage.imageWidth, 2);
    EXPECT_FALSE(back.builtFaces.empty());
    // Written again, the design gives the very same bytes.
    EXPECT_EQ(encodeModelFile(back), encodeModelFile(*card));
}

TEST(ModelFileWriter, WriteReplacesAndKeepsModeAndLinks) {
    TempDir dir;
    auto card = makeNewCard(30, 20);
    CollectingMessageSink sink;
    const std::string real = dir.file("real.plq");
    writeBytes(real, {'o', 'l', 'd'});
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.plq", dir.file("link.plq"));
    ASSERT_TRUE(writeModelFile(*card, dir.file("link.plq"), sink));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.plq")));
    const auto written = readBytes(real);
    EXPECT_EQ(std::string(written.begin(), written.end()), encodeModelFile(*card));
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folderEntries(dir.path), (std::vector<std::string>{"link.plq", "real.plq"}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ModelFileWriter, WriterFailingMidwayLeavesThePreviousFile) {
    TempDir dir;
    const std::string path = dir.file("design.plq");
    const Bytes previous = readBytes(dataFile("model_file/v40_design.plq"));
    writeBytes(path, previous);
    auto card = makeNewCard(100, 100);
    plicato::testing::RandomDesigner designer(3, 200, 100);
    for (auto& rf : designer.faces({.faceCount = 10}))
        card->userFaces.push_back(std::move(rf.face));
    ASSERT_GT(encodeModelFile(*card).size(), 1000u);

    // A file size limit makes the write stop part way, like a full disk.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 300;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    CollectingMessageSink sink;
    const bool written = writeModelFile(*card, path, sink);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ファイルに書き込めません"});
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_EQ(folderEntries(dir.path), std::vector<std::string>{"design.plq"});
}

TEST(ModelFileWriter, UnwritablePlacesShowTheMessage) {
    TempDir dir;
    auto card = makeNewCard(30, 20);
    CollectingMessageSink sink;
    EXPECT_FALSE(writeModelFile(*card, dir.file("no/such/folder/x.plq"), sink));
    std::filesystem::create_directory(dir.file("taken.plq"));
    writeBytes(dir.file("taken.plq/inside"), {1, 2, 3});
    EXPECT_FALSE(writeModelFile(*card, dir.file("taken.plq"), sink));
    EXPECT_EQ(readBytes(dir.file("taken.plq/inside")), (Bytes{1, 2, 3}));
    EXPECT_EQ(sink.messages, (std::vector<std::string>(2, "ファイルに書き込めません")));
    EXPECT_EQ(folderEntries(dir.path), std::vector<std::string>{"taken.plq"});
}

TEST(ModelFileWriter, ReadOnlyFolderAndFileAreRespected) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    auto card = makeNewCard(30, 20);
    const std::string path = dir.file("design.plq");
    const Bytes previous = {'k', 'e', 'e', 'p'};
    writeBytes(path, previous);
    CollectingMessageSink sink;
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(writeModelFile(*card, path, sink));
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path.c_str(), 0555);
    EXPECT_FALSE(writeModelFile(*card, path, sink));
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_EQ(sink.messages, (std::vector<std::string>(2, "ファイルに書き込めません")));
    EXPECT_EQ(folderEntries(dir.path), std::vector<std::string>{"design.plq"});
}

TEST(ModelFileWriter, ModelsTheReadersWouldRefuseAreNotSaved) {
    TempDir dir;
    const std::string path = dir.file("design.plq");
    const Bytes previous = {'o', 'l', 'd'};
    writeBytes(path, previous);
    auto spoil = [](int what) {
        auto card = makeNewCard(30, 20);
        switch (what) {
        case 0:
            card->userFaces[1]->offset = std::numeric_limits<double>::quiet_NaN();
            break;
        case 1:
            card->userFaces[0]->polygon.loops[0]->points[2].x = 2e6;
            break;
        case 2:
            card->setGridSize(0.0);
            break;
        default:
            card->cardHeight = 0;
            break;
        }
        return card;
    };
    CollectingMessageSink sink;
    for (int what = 0; what < 4; ++what) {
        auto card = spoil(what);
        EXPECT_FALSE(modelFitsFileLimits(*card)) << what;
        EXPECT_FALSE(writeModelFile(*card, path, sink)) << what;
    }
    EXPECT_EQ(sink.messages, (std::vector<std::string>(4, "ファイルに書き込めません")));
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_TRUE(modelFitsFileLimits(*makeNewCard(30, 20)));
}

TEST(ModelFileWriter, DesignsAtTheFaceAndLoopLimitsSaveAndOneMoreDoesNot) {
    TempDir dir;
    const std::string path = dir.file("limits.plq");
    CollectingMessageSink sink;
    const auto loopCount = [](const CardModel& m) {
        std::int64_t n = 0;
        for (const auto& face : m.userFaces)
            n += std::int64_t(face->polygon.loops.size());
        return n;
    };

    // Faces: loopless faces up to the limit itself.
    auto card = makeNewCard(30, 20);
    while (std::int64_t(card->userFaces.size()) < maxModelFaces)
        card->userFaces.push_back(std::make_unique<Face>(FacePlane::Vertical, 0.0));
    EXPECT_TRUE(writeModelFile(*card, path, sink));
    const Bytes atLimit = readBytes(path);
    // Every face takes at least 16 bytes: all of them reached the file.
    EXPECT_GE(std::int64_t(atLimit.size()), 16 * maxModelFaces);
    card->userFaces.push_back(std::make_unique<Face>(FacePlane::Vertical, 0.0));
    EXPECT_FALSE(writeModelFile(*card, path, sink));
    EXPECT_EQ(readBytes(path), atLimit);
    card.reset();

    // Loops: one face carries empty loops up to the limit.
    card = makeNewCard(30, 20);
    auto face = std::make_unique<Face>(FacePlane::Vertical, 0.0);
    for (std::int64_t n = loopCount(*card); n < maxModelLoops; ++n)
        face->polygon.loops.push_back(std::make_unique<Loop>());
    card->userFaces.push_back(std::move(face));
    ASSERT_EQ(loopCount(*card), maxModelLoops);
    EXPECT_TRUE(writeModelFile(*card, path, sink));
    const Bytes loopsAtLimit = readBytes(path);
    EXPECT_GE(std::int64_t(loopsAtLimit.size()), 8 * maxModelLoops);
    card->userFaces.back()->polygon.loops.push_back(std::make_unique<Loop>());
    EXPECT_FALSE(writeModelFile(*card, path, sink));
    EXPECT_EQ(readBytes(path), loopsAtLimit);
    EXPECT_EQ(sink.messages, (std::vector<std::string>(2, "ファイルに書き込めません")));
}

TEST(ModelFileWriter, CurrentModelIsTheDefaultSubject) {
    TempDir dir;
    setCurrentModel(makeNewCard(40, 30));
    CollectingMessageSink sink;
    ASSERT_TRUE(writeModelFile(dir.file("a.plq"), sink));
    const Bytes b = readBytes(dir.file("a.plq"));
    EXPECT_EQ(std::string(b.begin(), b.end()), encodeModelFile(*currentModel()));
}
