// Malformed model files: every truncation, impossible counts and lengths, non-finite numbers
// and garbage. Each is refused or read, never crashes, reads past the end or takes long.
#include "model_file/model_file_reader.h"
#include "popup/new_card.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <limits>
#include <random>

using namespace plicato;
using namespace plicato::test;

namespace {

std::string fixtureText(const std::string& name) {
    const Bytes b = readBytes(dataFile("model_file/" + name));
    return std::string(b.begin(), b.end());
}

struct Outcome {
    bool read = false;
    std::vector<std::string> paths;
    std::vector<std::string> messages;
};

// Parses a private copy of exactly the given bytes, so ASan catches any read past its end.
Outcome parse(const std::string& bytes) {
    Outcome out;
    const UnderlayLoader loader = [&](UnderlayImage&, const std::string& p) {
        out.paths.push_back(p);
    };
    auto copy = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    CollectingMessageSink sink;
    const auto start = std::chrono::steady_clock::now();
    out.read = parseModelFile(std::string_view(copy.get(), bytes.size()), sink, loader) != nullptr;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    out.messages = sink.messages;
    return out;
}

void putInt32(std::string& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}
void putFloat64(std::string& b, std::size_t at, double d) {
    std::uint64_t v;
    std::memcpy(&v, &d, sizeof v);
    for (int i = 0; i < 8; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Offsets in v40_small.plq: header 50 bytes, then the fields below; one face of one loop of
// four points.
constexpr std::size_t widthAt = 50, heightAt = 54, gridAt = 58, frontAt = 66, faceCountAt = 74,
                      planeAt = 78, offsetAt = 82, loopCountAt = 90, holeAt = 94, pointCountAt = 98,
                      firstPointAt = 102;

} // namespace

TEST(MalformedModel, SmallFixtureReadsAsIs) {
    const std::string b = fixtureText("v40_small.plq");
    ASSERT_EQ(b.size(), firstPointAt + 64);
    EXPECT_TRUE(parse(b).read);
}

TEST(MalformedModel, EveryTruncationOfABinaryFileIsRefused) {
    for (const char* name : {"v40_small.plq", "v40_design.plq", "v41_small.plq"}) {
        const std::string full = fixtureText(name);
        for (std::size_t n = 0; n < full.size(); ++n) {
            const Outcome o = parse(full.substr(0, n));
            EXPECT_FALSE(o.read) << name << " cut at " << n;
        }
        EXPECT_TRUE(parse(full).read) << name;
    }
}

TEST(MalformedModel, EveryTruncationOfATextFileIsSafe) {
    for (const char* name : {"v2_quirks.plq", "v3_images.plq", "v2_crlf.plq"}) {
        const std::string full = fixtureText(name);
        const std::size_t endHeader = full.find("end_header");
        std::size_t accepted = 0;
        for (std::size_t n = 0; n <= full.size(); ++n) {
            const Outcome o = parse(full.substr(0, n));
            // Nothing before the end of the header part can be a design.
            if (n < endHeader + 10) {
                EXPECT_FALSE(o.read) << name << " cut at " << n;
            }
            accepted += o.read;
        }
        EXPECT_GT(accepted, 0u) << name;
    }
}

TEST(MalformedModel, CountsTheFileCannotHoldAreRefused) {
    const std::string good = fixtureText("v40_small.plq");
    struct Case {
        std::size_t at;
        std::int32_t value;
    };
    for (Case c :
         {Case{faceCountAt, std::numeric_limits<std::int32_t>::max()}, Case{faceCountAt, -1},
          Case{faceCountAt, std::numeric_limits<std::int32_t>::min()}, Case{faceCountAt, 2},
          Case{loopCountAt, 0x40000000}, Case{loopCountAt, -5}, Case{loopCountAt, 2},
          Case{pointCountAt, 0x10000000}, Case{pointCountAt, -1}, Case{pointCountAt, 5},
          Case{widthAt, 0}, Case{widthAt, -160}, Case{heightAt, 0},
          Case{widthAt, std::numeric_limits<std::int32_t>::max()}}) {
        std::string b = good;
        putInt32(b, c.at, c.value);
        EXPECT_FALSE(parse(b).read) << c.at << " = " << c.value;
    }
    // Fewer points or loops than there are bytes for: the rest is trailing data, read past.
    std::string fewer = good;
    putInt32(fewer, pointCountAt, 3);
    EXPECT_TRUE(parse(fewer).read);
}

TEST(MalformedModel, MoreFacesOrLoopsThanAnyDesignAreRefused) {
    const std::string good = fixtureText("v40_small.plq");
    // Enough bytes for every declared face or loop, so only the caps can refuse them.
    std::string faces =
        good.substr(0, faceCountAt + 4) + std::string(16 * (maxModelFaces + 1), '\0');
    putInt32(faces, faceCountAt, std::int32_t(maxModelFaces + 1));
    EXPECT_FALSE(parse(faces).read);
    std::string loops = good.substr(0, holeAt) + std::string(8 * (maxModelLoops + 1), '\0');
    putInt32(loops, loopCountAt, std::int32_t(maxModelLoops + 1));
    EXPECT_FALSE(parse(loops).read);
    const std::string text =
        "width 10 height 10 end_header face loops " + std::to_string(maxModelLoops + 1) + " 0 0";
    EXPECT_FALSE(parse(text).read);
}

TEST(MalformedModel, FlagValuesOtherThanOneMeanNo) {
    std::string b = fixtureText("v40_small.plq");
    putInt32(b, planeAt, -7);
    putInt32(b, holeAt, 2);
    putInt32(b, frontAt, 5); // not 1: no picture, and nothing more of the block is read
    EXPECT_TRUE(parse(b).read);
}

TEST(MalformedModel, NonFiniteAndAbsurdNumbersAreRefused) {
    const std::string good = fixtureText("v40_small.plq");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::size_t at;
        double value;
    };
    for (Case c :
         {Case{gridAt, nan}, Case{gridAt, inf}, Case{gridAt, 0.0}, Case{gridAt, -1.0},
          Case{offsetAt, nan}, Case{offsetAt, -inf}, Case{offsetAt, 1e300}, Case{firstPointAt, nan},
          Case{firstPointAt + 8, inf}, Case{firstPointAt + 56, -1e7}}) {
        std::string b = good;
        putFloat64(b, c.at, c.value);
        EXPECT_FALSE(parse(b).read) << c.at << " = " << c.value;
    }
}

TEST(MalformedModel, UnderlayPathLengths) {
    const std::string good = fixtureText("v40_small.plq");
    auto withFront = [&](std::int32_t length, std::size_t actual, double width = 10.0) {
        std::string b = good.substr(0, frontAt);
        std::string block(4 + 32 + 4, '\0');
        putInt32(block, 0, 1);
        putFloat64(block, 4 + 16, width);
        putInt32(block, 36, length);
        return b + block + std::string(actual, 'p') + good.substr(frontAt + 4);
    };
    Outcome o = parse(withFront(300, 300));
    ASSERT_TRUE(o.read);
    EXPECT_EQ(o.paths, std::vector<std::string>{std::string(300, 'p')});
    EXPECT_TRUE(parse(withFront(0, 0)).read);
    EXPECT_TRUE(parse(withFront(4095, 4095)).read);
    EXPECT_FALSE(parse(withFront(4096, 4096)).read);
    EXPECT_FALSE(parse(withFront(-1, 0)).read);
    EXPECT_FALSE(parse(withFront(std::numeric_limits<std::int32_t>::max(), 10)).read);
    EXPECT_FALSE(parse(withFront(5, 5, std::numeric_limits<double>::quiet_NaN())).read);
}

TEST(MalformedModel, HeaderLinesAreBoundedAndRequired) {
    const std::string good = fixtureText("v40_small.plq");
    // A first line longer than a line buffer is taken in pieces, which shifts the body.
    std::string longFirst = "#" + std::string(2000, 'x') + good.substr(19);
    EXPECT_FALSE(parse(longFirst).read);
    EXPECT_FALSE(parse("version 4 0\n").read);
    EXPECT_FALSE(parse("version 4 0").read);
    EXPECT_FALSE(parse("").read);
    EXPECT_FALSE(parse(std::string(100, '\0')).read);
    EXPECT_FALSE(parse(std::string(5000, '\n')).read);
}

TEST(MalformedModel, GarbageIsRefusedOrReadButNeverHarmful) {
    std::mt19937 rng(12345);
    const std::string good = fixtureText("v40_design.plq");
    const std::string text = fixtureText("v2_quirks.plq");
    for (int round = 0; round < 400; ++round) {
        std::string b;
        switch (round % 4) {
        case 0: // random bytes
            b.resize(rng() % 600);
            for (char& c : b)
                c = static_cast<char>(rng());
            break;
        case 1: // a valid header, then random bytes
            b = good.substr(0, 50);
            for (std::size_t i = rng() % 400; i > 0; --i)
                b.push_back(static_cast<char>(rng()));
            break;
        case 2: // a valid binary file with a few bytes changed
            b = good;
            for (int k = 0; k < 4; ++k)
                b[50 + rng() % (b.size() - 50)] = static_cast<char>(rng());
            break;
        default: // a valid text file with a few characters changed
            b = text;
            for (int k = 0; k < 4; ++k)
                b[rng() % b.size()] = " 0123456789-.eface\n"[rng() % 19];
            break;
        }
        const Outcome o = parse(b);
        for (const auto& m : o.messages)
            EXPECT_FALSE(m.empty());
    }
}

TEST(MalformedModel, RefusedFileLeavesTheCurrentModel) {
    setCurrentModel(makeNewCard(10, 10));
    CardModel* before = currentModel();
    TempDir dir;
    std::string b = fixtureText("v40_design.plq");
    b.resize(b.size() - 1);
    writeBytes(dir.file("cut.plq"), Bytes(b.begin(), b.end()));
    CollectingMessageSink sink;
    EXPECT_FALSE(readModelFile(dir.file("cut.plq"), sink));
    EXPECT_EQ(currentModel(), before);
    EXPECT_EQ(currentModel()->cardWidth, 20);
    writeBytes(dir.file("empty.plq"), {});
    EXPECT_FALSE(readModelFile(dir.file("empty.plq"), sink));
    EXPECT_EQ(currentModel(), before);
}
