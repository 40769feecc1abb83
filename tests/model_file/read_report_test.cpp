// The read report: a design cut anywhere past its header is "truncated" where it ends, an
// impossible value is named by its offset, and the messages the application shows stay as
// they were.
#include "model_file/model_file_reader.h"
#include "model_file/model_file_writer.h"
#include "tests/model_file/model_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace plicato {
namespace {

using Problem = ModelReadReport::Problem;

const UnderlayLoader keepPath = [](UnderlayImage& record, const std::string& path) {
    record.path = path;
};

std::string richDesign() {
    CardModel model;
    model.cardWidth = 140;
    model.cardHeight = 70;
    model.setGridSize(5);
    model.frontImage.path = "front.bmp";
    model.frontImage.picture = std::make_unique<Picture>();
    model.frontImage.width = 40;
    model.frontImage.height = 30;
    for (int f = 0; f < 4; ++f) {
        std::vector<std::unique_ptr<Loop>> loops;
        loops.push_back(test::makeLoop({{-10.0 - f, 5}, {10, 5}, {10, 20.0 + f}, {-10, 20}}));
        loops.push_back(test::makeLoop({{-2, 8}, {2, 8}, {0, 12}}, true));
        model.userFaces.push_back(test::makeFace(
            f % 2 ? FacePlane::Horizontal : FacePlane::Vertical, 10.0 * f, std::move(loops)));
    }
    return encodeModelFile(model);
}

TEST(ReadReportTest, EveryCutPastTheHeaderIsTruncatedWhereTheFileEnds) {
    const std::string bytes = richDesign();
    ASSERT_TRUE(parseModelFile(bytes, *std::make_unique<CollectingMessageSink>(), keepPath));
    for (std::size_t length = 50; length < bytes.size(); ++length) {
        CollectingMessageSink sink;
        ModelReadReport report;
        EXPECT_EQ(parseModelFile(bytes.substr(0, length), sink, keepPath, &report), nullptr);
        EXPECT_EQ(report.problem, Problem::Truncated) << length;
        EXPECT_EQ(report.byte, length);
        EXPECT_EQ(report.major, 4);
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST(ReadReportTest, ImpossibleValuesAreNamedByTheirOffset) {
    const std::string good = richDesign();
    const double nan = std::nan("");
    const double huge = 1e300;
    struct Row {
        std::size_t at;
        std::string bytes; // written over the design at `at`
    };
    const auto int32 = [](std::int32_t v) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i)
            s[std::size_t(i)] = char((std::uint32_t(v) >> (8 * i)) & 0xff);
        return s;
    };
    const auto float64 = [](double v) {
        std::string s(8, '\0');
        std::memcpy(s.data(), &v, 8);
        return s;
    };
    // Offsets: header 50, width 50, height 54, grid 58, front underlay 66 (present, four reals
    // 70..102, path length 102, path 106..115), top underlay 115, face count 119, first face
    // 123 (plane, offset 127, loop count 135, hole 139, point count 143, points 147).
    const Row rows[] = {
        {50, int32(0)},    {50, int32(-1)},         {54, int32(2'000'000)}, {58, float64(nan)},
        {58, float64(-1)}, {70, float64(huge)},     {102, int32(-4)},       {102, int32(5000)},
        {119, int32(-1)},  {119, int32(2'000'000)}, {127, float64(nan)},    {135, int32(-2)},
        {143, int32(-3)},  {147, float64(huge)},
    };
    for (const Row& row : rows) {
        std::string bytes = good;
        bytes.replace(row.at, row.bytes.size(), row.bytes);
        CollectingMessageSink sink;
        ModelReadReport report;
        EXPECT_EQ(parseModelFile(bytes, sink, keepPath, &report), nullptr) << row.at;
        EXPECT_EQ(report.problem, Problem::BadValue) << row.at;
        EXPECT_EQ(report.byte, row.at);
    }
}

TEST(ReadReportTest, VersionsAndHeadersWithTheApplicationsMessagesUnchanged) {
    struct Row {
        std::string text;
        Problem problem;
        int major, minor;
        std::vector<std::string> messages;
    };
    const std::string tooNew =
        "新しいバージョンのファイルなため、本バージョンでは読み込めません。\n"
        "最新版のPlicatoPROを入手してください。";
    const std::string tooOld = "古いバージョンのファイルなため、本バージョンでは読み込めません。";
    const Row rows[] = {
        {"header\nversion 5 0\nend_header\n", Problem::TooNew, 5, 0, {tooNew}},
        {"header\nversion 1 9\nend_header\n", Problem::TooOld, 1, 9, {tooOld}},
        {"GIF89a\x01\x02\x03", Problem::BadHeader, -1, -1, {}},
        {"", Problem::BadHeader, -1, -1, {}},
        {"version 3 0\nend_header\n", Problem::BadHeader, 3, 0, {}},
        {"version 3 0\nwidth 0\nheight 5\nend_header\n", Problem::BadValue, 3, 0, {}},
        {"version 3 0\nwidth 5\nheight 5\ninitGridSize -2\nend_header\n",
         Problem::BadValue,
         3,
         0,
         {}},
        {"version", Problem::Truncated, -1, -1, {}},
        {"version 3", Problem::Truncated, -1, -1, {}},
        {"version x 0", Problem::BadValue, -1, -1, {}},
    };
    for (const Row& row : rows) {
        CollectingMessageSink sink;
        ModelReadReport report;
        EXPECT_EQ(parseModelFile(row.text, sink, keepPath, &report), nullptr) << row.text;
        EXPECT_EQ(report.problem, row.problem) << row.text;
        EXPECT_EQ(report.major, row.major) << row.text;
        EXPECT_EQ(report.minor, row.minor) << row.text;
        EXPECT_EQ(sink.messages, row.messages) << row.text;
    }
    // A newer minor version is read, with its warning, and the report keeps the version.
    std::string minor = richDesign();
    minor.replace(minor.find("version 4 0"), 11, "version 4 7");
    CollectingMessageSink sink;
    ModelReadReport report;
    EXPECT_NE(parseModelFile(minor, sink, keepPath, &report), nullptr);
    EXPECT_EQ(report.problem, Problem::None);
    EXPECT_EQ(report.minor, 7);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("新しいバージョンのファイルなため、一部の情報", 0), 0u);
}

} // namespace
} // namespace plicato
