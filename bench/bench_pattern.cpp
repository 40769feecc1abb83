// The development pattern of a 300-face design: the indexed links and line collection side by
// side with the plain quadratic ones.
#include "model/core_state.h"
#include "pattern/pattern_builder.h"
#include "pattern/pattern_line.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/support/random_design.h"

#include <benchmark/benchmark.h>

namespace plicato {
namespace {

// The 300-face design of the pipeline benchmark (same seed and options): rectangles, stars and
// a quarter of glyph-like outlines with holes on a 200 x 160 mm card.
CardModel& design300() {
    static const std::unique_ptr<CardModel> model = [] {
        CoreState state;
        state.editMode = int(EditMode::FaceOperation); // add without rebuilding each time
        installCoreState(&state);
        auto m = makeNewCard(100, 80);
        testing::RandomDesigner designer(7, m->cardWidth, m->cardHeight);
        testing::RandomDesignOptions o;
        o.faceCount = 300;
        o.textShare = 0.25;
        o.cutOutShare = 0.0;
        o.glyphPoints = 240;
        for (testing::RandomFace& rf : designer.faces(o))
            addUserFace(*m, std::move(rf.face));
        installCoreState(nullptr);
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
