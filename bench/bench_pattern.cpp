// The development pattern of a 300-face design: the indexed links and line collection side by
// side with the plain quadratic ones.
#include "popup/built_faces.h"
#include "popup/new_card.h"
#include "popup/pattern_builder.h"
#include "popup/pattern_line.h"
#include "tests/support/random_design.h"

#include <benchmark/benchmark.h>

namespace plicato {
namespace {

// 300 random faces (a fifth of them letter-like outlines with holes) on a 200 x 100 mm card.
CardModel& design300() {
    static const std::unique_ptr<CardModel> model = [] {
        auto m = makeNewCard(100, 100);
        testing::RandomDesigner designer(300, m->cardWidth, m->cardHeight);
        testing::RandomDesignOptions options;
        options.faceCount = 300;
        options.cutOutShare = 0.0;
        for (testing::RandomFace& rf : designer.faces(options)) {
            rf.face->triangulate();
            if (!rf.face->triangles.empty())
                m->userFaces.push_back(std::move(rf.face));
        }
        rebuildBuiltFaces(*m);
        return m;
    }();
    return *model;
}

void reportSize(benchmark::State& state, const CardModel& model, std::size_t lines) {
    state.counters["builtFaces"] = double(model.builtFaces.size());
    state.counters["links"] = double(model.links.size());
    state.counters["lines"] = double(lines);
}

void BM_PatternIndexed(benchmark::State& state) {
    CardModel& model = design300();
    std::size_t lines = 0;
    for (auto _ : state) {
        buildPattern(model);
        PatternLineList list;
        collectPatternLines(model, list);
        lines = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    reportSize(state, model, lines);
}

void BM_PatternLiteral(benchmark::State& state) {
    CardModel& model = design300();
    std::size_t lines = 0;
    for (auto _ : state) {
        buildPatternLiteral(model);
        PatternLineList list;
        collectPatternLinesLiteral(model, list);
        lines = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    reportSize(state, model, lines);
}

void BM_CollectPatternLines(benchmark::State& state) {
    CardModel& model = design300();
    buildPattern(model);
    for (auto _ : state) {
        PatternLineList list;
        collectPatternLines(model, list);
        benchmark::DoNotOptimize(list.data());
    }
}

BENCHMARK(BM_PatternIndexed)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PatternLiteral)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_CollectPatternLines)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
} // namespace plicato

BENCHMARK_MAIN();
