// The design check of the 300-face pipeline design, beside the pattern builder whose links it
// reads (the check runs after every edit, so it must stay a small share of a frame).
#include "check/design_check.h"
#include "model/core_state.h"
#include "pattern/pattern_builder.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "tests/support/random_design.h"
#include "view/check_overlay.h"

#include <benchmark/benchmark.h>

namespace plicato {
namespace {

// The 300-face design of the pipeline benchmark (same seed and options) with its links built.
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
        buildPattern(*m);
        return m;
    }();
    return *model;
}

void BM_CheckDesign(benchmark::State& state) {
    CardModel& model = design300();
    CheckResult result;
    for (auto _ : state) {
        result = checkDesign(model);
        benchmark::DoNotOptimize(result.pieces.data());
    }
    std::size_t points = 0;
    for (const auto& f : model.builtFaces)
        for (const auto& loop : f->polygon.loops)
            points += loop->points.size();
    state.counters["pieces"] = double(result.pieces.size());
    state.counters["points"] = double(points);
    state.counters["findings"] = double(result.findings.size());
}

void BM_BuildPattern(benchmark::State& state) {
    CardModel& model = design300();
    for (auto _ : state) {
        buildPattern(model);
        benchmark::DoNotOptimize(model.links.data());
    }
}

// What the view pays before a frame: after an edit the pattern links and the check; on every
// other frame only the digest that tells the pieces have not changed.
void BM_CheckAfterEdit(benchmark::State& state) {
    CardModel& model = design300();
    DesignCheckRunner runner;
    for (auto _ : state) {
        runner.invalidate();
        benchmark::DoNotOptimize(runner.update(model, {}).pieces.data());
    }
}

void BM_CheckUnchangedFrame(benchmark::State& state) {
    CardModel& model = design300();
    DesignCheckRunner runner;
    runner.update(model, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(runner.update(model, {}).pieces.data());
    state.counters["runs"] = double(runner.runs());
}

} // namespace
} // namespace plicato

BENCHMARK(plicato::BM_CheckDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(plicato::BM_BuildPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(plicato::BM_CheckAfterEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(plicato::BM_CheckUnchangedFrame)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
