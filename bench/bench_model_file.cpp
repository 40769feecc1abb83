// Saving and opening a 300-face design: encoding and parsing in memory, and the whole round
// trip through a real file (with its flush to disk and, when opening, the pop-up rebuild).
#include "model_file/model_file_reader.h"
#include "model_file/model_file_writer.h"
#include "model_file/safe_file_write.h"
#include "popup/new_card.h"

#include "tests/support/random_design.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace plicato;

namespace {

std::unique_ptr<CardModel> design(int faces) {
    auto card = makeNewCard(100, 80);
    plicato::testing::RandomDesigner designer(2024, card->cardWidth, card->cardHeight);
    for (auto& rf : designer.faces({.faceCount = faces})) {
        rf.face->triangulate();
        card->userFaces.push_back(std::move(rf.face));
    }
    return card;
}

const UnderlayLoader noPictures = [](UnderlayImage&, const std::string&) {};

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("plicato-bench-" + std::to_string(::getpid()) + ".plq"))
        .string();
}

void encode(benchmark::State& state) {
    auto card = design(int(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string b = encodeModelFile(*card);
        bytes = b.size();
        benchmark::DoNotOptimize(b.data());
    }
    state.counters["bytes"] = double(bytes);
}

// Parsing includes triangulating every face, as opening a file does.
void parse(benchmark::State& state) {
    auto card = design(int(state.range(0)));
    const std::string b = encodeModelFile(*card);
    for (auto _ : state) {
        auto m = parseBinaryModelFile(b, noPictures);
        benchmark::DoNotOptimize(m.get());
    }
}

// The share of parsing that is triangulation, for comparison with `parse`.
void triangulateOnly(benchmark::State& state) {
    auto card = design(int(state.range(0)));
    for (auto _ : state)
        for (auto& face : card->userFaces)
            face->triangulate();
}

void writeAndReadFile(benchmark::State& state) {
    auto card = design(int(state.range(0)));
    const std::string path = benchFile();
    CollectingMessageSink sink;
    for (auto _ : state) {
        writeModelFile(*card, path, sink);
        std::string bytes;
        readWholeFile(path, bytes);
        auto m = parseModelFile(bytes, sink, noPictures);
        benchmark::DoNotOptimize(m.get());
    }
    std::filesystem::remove(path);
}

// What Open costs the user: the file read, parsed and installed with its built faces.
void writeAndOpenFile(benchmark::State& state) {
    auto card = design(int(state.range(0)));
    const std::string path = benchFile();
    CollectingMessageSink sink;
    for (auto _ : state) {
        writeModelFile(*card, path, sink);
        readModelFile(path, sink);
    }
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(encode)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(parse)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(triangulateOnly)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(writeAndReadFile)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(writeAndOpenFile)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
