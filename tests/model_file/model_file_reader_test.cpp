// Reading hand-made files of every version: the exact models they give, the version messages,
// the quirks of the text format, and what a successful or failed read does to the current model.
#include "model/core_state.h"
#include "model_file/model_file_reader.h"
#include "popup/new_card.h"

#include "tests/model_file/model_builder.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

using namespace plicato;
using namespace plicato::test;

namespace {

const char* const newerRefused =
    "新しいバージョンのファイルなため、本バージョンでは読み込めません。"
    "\n最新版のPlicatoPROを入手してください。";
const char* const newerWarning = "新しいバージョンのファイルなため、一部の情報を読み込めない可能性"
                                 "があります。\n最新版のPlicatoPROを入手してください。";
const char* const olderRefused = "古いバージョンのファイルなため、本バージョンでは読み込めません。";

std::string fixture(const std::string& name) {
    return dataFile("model_file/" + name);
}

void expectLoop(const Face& face, std::size_t index, bool hole, std::vector<Point2> points) {
    ASSERT_LT(index, face.polygon.loops.size());
    const Loop& loop = *face.polygon.loops[index];
    EXPECT_EQ(loop.isHole, hole) << index;
    EXPECT_EQ(loop.points, points) << index;
}

void expectFace(const Face& face, FacePlane plane, double offset, bool base, std::size_t loops) {
    EXPECT_EQ(face.plane, plane);
    EXPECT_EQ(face.offset, offset);
    EXPECT_EQ(face.isBase, base);
    EXPECT_EQ(face.polygon.loops.size(), loops);
}

// A current model with a selection, clipboard and undo history that a failed read must keep.
CardModel* installSentinel() {
    auto card = makeNewCard(70, 35);
    card->selectedFaces.push_back(card->userFaces[0].get());
    card->userFaces[0]->isSelected = true;
    card->clipboardFaces.push_back(std::make_unique<Face>(*card->userFaces[1]));
    card->undoHistory.push_back(std::make_unique<UndoSnapshot>());
    card->editOffset = 20;
    setCurrentModel(std::move(card));
    return currentModel();
}

void expectSentinelKept(CardModel* sentinel) {
    ASSERT_EQ(currentModel(), sentinel);
    EXPECT_EQ(sentinel->cardWidth, 140);
    EXPECT_EQ(sentinel->selectedFaces.size(), 1u);
    EXPECT_EQ(sentinel->clipboardFaces.size(), 1u);
    EXPECT_EQ(sentinel->undoHistory.size(), 1u);
    EXPECT_EQ(sentinel->editOffset, 20.0);
}

} // namespace

TEST(ModelFileReader, Version40DesignExactly) {
    installSentinel();
    coreState().mirrorEdit = true;
    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(fixture("v40_design.plq"), sink));
    EXPECT_TRUE(sink.messages.empty()) << sink.messages[0];
    const CardModel& m = *currentModel();
    EXPECT_FALSE(coreState().mirrorEdit);
    EXPECT_EQ(m.cardWidth, 200);
    EXPECT_EQ(m.cardHeight, 100);
    EXPECT_EQ(m.initGridSize, 10.0);
    EXPECT_EQ(m.gridSize, 10.0);
    EXPECT_EQ(m.gridLevel, 0);
    EXPECT_EQ(m.editPlane, FacePlane::Vertical);
    EXPECT_EQ(m.editOffset, 0.0);
    EXPECT_TRUE(m.selectedFaces.empty());
    EXPECT_TRUE(m.clipboardFaces.empty());
    EXPECT_TRUE(m.undoHistory.empty());
    // The Windows path is not here; the picture of that name beside the file is.
    ASSERT_TRUE(m.frontImage.isPresent());
    EXPECT_EQ(m.frontImage.path, fixture("front.bmp"));
    EXPECT_EQ(m.frontImage.centerX, 1.5);
    EXPECT_EQ(m.frontImage.bottom, 2.5);
    EXPECT_EQ(m.frontImage.width, 120.0);
    EXPECT_EQ(m.frontImage.height, 90.0);
    EXPECT_EQ(m.frontImage.imageWidth, 2);
    EXPECT_EQ(m.frontImage.picture->width, 64);
    EXPECT_FALSE(m.topImage.isPresent());

    ASSERT_EQ(m.userFaces.size(), 4u);
    expectFace(*m.userFaces[0], FacePlane::Horizontal, 0.0, true, 1);
    expectLoop(*m.userFaces[0], 0, false, {{-100, 0}, {-100, -100}, {100, -100}, {100, 0}});
    expectFace(*m.userFaces[1], FacePlane::Vertical, 0.0, true, 1);
    // Plane value 2 is vertical; hole flag 5 is an outer boundary in this format.
    expectFace(*m.userFaces[2], FacePlane::Vertical, 30.0, false, 3);
    expectLoop(*m.userFaces[2], 0, false, {{-20, 0}, {20, 0}, {20, 40}, {-20, 40}});
    expectLoop(*m.userFaces[2], 1, true, {{-10, 10}, {10, 10}, {10, 30}, {-10, 30}});
    expectLoop(*m.userFaces[2], 2, false, {{-0.1, -0.25}, {60.125, -0.25}, {60.125, 7.5}});
    // A second horizontal face at offset 0 is no base face.
    expectFace(*m.userFaces[3], FacePlane::Horizontal, -0.0, false, 1);
    for (const auto& f : m.userFaces)
        EXPECT_FALSE(f->triangles.empty());
    EXPECT_FALSE(m.builtFaces.empty());
}

TEST(ModelFileReader, BinaryReaderDirectly) {
    CollectingMessageSink sink;
    ASSERT_TRUE(readBinaryModelFile(fixture("v40_small.plq"), sink));
    EXPECT_EQ(currentModel()->cardWidth, 160);
    EXPECT_EQ(currentModel()->initGridSize, 16.0);
    ASSERT_EQ(currentModel()->userFaces.size(), 1u);
    EXPECT_TRUE(currentModel()->userFaces[0]->isBase);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ModelFileReader, MinorVersionAboveZeroWarnsThenReads) {
    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(fixture("v41_small.plq"), sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{newerWarning});
    EXPECT_EQ(currentModel()->cardWidth, 160);
    EXPECT_EQ(currentModel()->userFaces.size(), 1u);
}

TEST(ModelFileReader, NewerAndOlderMajorVersionsAreRefused) {
    CardModel* sentinel = installSentinel();
    CollectingMessageSink sink;
    EXPECT_FALSE(readModelFile(fixture("v50_small.plq"), sink));
    EXPECT_FALSE(readModelFile(fixture("v10_small.plq"), sink));
    EXPECT_EQ(sink.messages, (std::vector<std::string>{newerRefused, olderRefused}));
    expectSentinelKept(sentinel);
}

TEST(ModelFileReader, TextVersion2Quirks) {
    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(fixture("v2_quirks.plq"), sink));
    EXPECT_TRUE(sink.messages.empty());
    const CardModel& m = *currentModel();
    EXPECT_EQ(m.cardWidth, 160);
    EXPECT_EQ(m.cardHeight, 80);
    EXPECT_EQ(m.initGridSize, 16.0); // no initGridSize keyword
    EXPECT_FALSE(m.frontImage.isPresent());
    ASSERT_EQ(m.userFaces.size(), 4u);
    expectFace(*m.userFaces[0], FacePlane::Horizontal, 0.0, true, 1);
    expectLoop(*m.userFaces[0], 0, false, {{-80, 0}, {-80, -80}, {80, -80}, {80, 0}});
    expectFace(*m.userFaces[1], FacePlane::Vertical, 0.0, true, 1);
    expectLoop(*m.userFaces[1], 0, false, {{-80, 0}, {80, 0}, {80, 80}, {-80, 80}});
    // "type" 2 is vertical; hole flag 5 is a hole in this format.
    expectFace(*m.userFaces[2], FacePlane::Vertical, 20.0, false, 2);
    expectLoop(*m.userFaces[2], 0, false, {{-10, 0}, {10, 0}, {10, 30}, {-10, 30}});
    expectLoop(*m.userFaces[2], 1, true, {{-5, 10}, {5, 10}, {5, 20}, {-5, 20}});
    expectFace(*m.userFaces[3], FacePlane::Horizontal, 0.000001, false, 1);
    expectLoop(*m.userFaces[3], 0, false, {{0.5, -10}, {10, -10.25}, {-10, -10}});
}

TEST(ModelFileReader, TextVersion3PicturesAndFacesWithoutOffset) {
    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(fixture("v3_images.plq"), sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{
                                 "画像ファイルが見つかりません\n/nonexistent/folder/top.jpg"});
    const CardModel& m = *currentModel();
    EXPECT_EQ(m.cardWidth, 200);
    EXPECT_EQ(m.cardHeight, 100);
    EXPECT_EQ(m.initGridSize, 5.0);
    ASSERT_TRUE(m.frontImage.isPresent());
    EXPECT_EQ(m.frontImage.path, fixture("front.bmp"));
    EXPECT_EQ(m.frontImage.centerX, 1.5);
    EXPECT_EQ(m.frontImage.bottom, 2.5);
    EXPECT_EQ(m.frontImage.width, 100.0);
    EXPECT_EQ(m.frontImage.height, 75.0);
    // A missing picture leaves no picture, but the placement numbers are kept.
    EXPECT_FALSE(m.topImage.isPresent());
    EXPECT_EQ(m.topImage.path, "");
    EXPECT_EQ(m.topImage.centerX, -3.0);
    EXPECT_EQ(m.topImage.width, 50.0);
    EXPECT_EQ(m.topImage.height, 40.0);
    ASSERT_EQ(m.userFaces.size(), 4u);
    // Without a "t" the base rule is never asked, so the first face at 0 is not a base face.
    expectFace(*m.userFaces[0], FacePlane::Horizontal, 0.0, false, 1);
    expectFace(*m.userFaces[1], FacePlane::Horizontal, 0.0, true, 1);
    expectFace(*m.userFaces[2], FacePlane::Vertical, 0.0, true, 1);
    // A face cut off by the end of the file is kept, without loops or triangles.
    expectFace(*m.userFaces[3], FacePlane::Vertical, 15.0, false, 0);
    EXPECT_TRUE(m.userFaces[3]->triangles.empty());
}

TEST(ModelFileReader, TextWithWindowsLineEnds) {
    CollectingMessageSink sink;
    ASSERT_TRUE(readModelFile(fixture("v2_crlf.plq"), sink));
    EXPECT_TRUE(sink.messages.empty());
    const CardModel& m = *currentModel();
    EXPECT_EQ(m.cardWidth, 100);
    EXPECT_EQ(m.initGridSize, 10.0);
    EXPECT_EQ(m.frontImage.path, fixture("front.bmp"));
    ASSERT_EQ(m.userFaces.size(), 1u);
    expectFace(*m.userFaces[0], FacePlane::Horizontal, 0.0, true, 1);
    expectLoop(*m.userFaces[0], 0, false, {{0, 0}, {10, 0}, {10, -10}});
}

TEST(ModelFileReader, UnusableTextFilesAreRefusedSilently) {
    CardModel* sentinel = installSentinel();
    for (const char* name : {"text_no_end_header.plq", "text_zero_width.plq", "text_no_width.plq",
                             "text_missing_value.plq", "text_nan.plq", "text_bad_point.plq",
                             "text_zero_grid.plq", "does_not_exist.plq"}) {
        CollectingMessageSink sink;
        EXPECT_FALSE(readModelFile(fixture(name), sink)) << name;
        EXPECT_TRUE(sink.messages.empty()) << name;
    }
    CollectingMessageSink sink;
    EXPECT_FALSE(readModelFile(dataFile("model_file"), sink)); // a folder
    expectSentinelKept(sentinel);
}

TEST(ModelFileReader, TextNumbersAreReadLikeAFormattedStreamRead) {
    std::vector<std::string> loaded;
    const UnderlayLoader loader = [&](UnderlayImage&, const std::string& p) {
        loaded.push_back(p);
    };
    CollectingMessageSink sink;
    // "4.5" as an integer is 4 followed by the unknown token ".5"; "+7" and "1e1" are numbers.
    auto m = parseModelFile("width +120 height 60.5 end_header face type 1 t 1e1 loops 1 "
                            "0 2 -1.5e0 +2 .25 3.",
                            sink, loader);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->cardWidth, 120);
    EXPECT_EQ(m->cardHeight, 60);
    ASSERT_EQ(m->userFaces.size(), 1u);
    expectFace(*m->userFaces[0], FacePlane::Horizontal, 10.0, false, 1);
    expectLoop(*m->userFaces[0], 0, false, {{-1.5, 2}, {0.25, 3}});
    EXPECT_TRUE(loaded.empty());
    EXPECT_EQ(parseModelFile("width 99999999999 height 5 end_header", sink, loader), nullptr);
    EXPECT_EQ(parseModelFile("width 10 height 5 end_header face t +-1", sink, loader), nullptr);
    EXPECT_EQ(parseModelFile("width 10 height 5 end_header face t inf", sink, loader), nullptr);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ModelFileReader, StoredPathsReachTheLoaderAsWritten) {
    std::vector<std::string> loaded;
    const UnderlayLoader loader = [&](UnderlayImage&, const std::string& p) {
        loaded.push_back(p);
    };
    CollectingMessageSink sink;
    std::string longLine(300, 'a');
    auto m = parseModelFile("version 2 0 width 10 height 5\nimageFront 0 0 1 1\n" + longLine +
                                "\nimageTop 0 0 1 1 rest\n" + longLine + "\nend_header\n",
                            sink, loader);
    ASSERT_NE(m, nullptr);
    // Path lines are cut at 258 and 259 characters; the rest is skipped as unknown words.
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0], std::string(258, 'a'));
    EXPECT_EQ(loaded[1], std::string(259, 'a'));
}
