// Rebuilding the built faces of generated designs (rectangles, star polygons, glyph-like outlines
// with holes), with and without skipping faces whose boxes do not meet, and the memory a large
// design holds with its built faces and a full undo history.
#include "popup/built_face_cleanup.h"
#include "popup/built_faces.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "popup/rebuild_memo.h"
#include "tests/support/random_design.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#ifdef PLICATO_TCMALLOC
#include <gperftools/malloc_extension_c.h>
#endif

#include <cmath>
#include <random>
#include <vector>

using namespace plicato;

namespace {

std::unique_ptr<CardModel> makeDesign(int faceCount, unsigned seed) {
    CoreState state;
    state.editMode = int(EditMode::FaceOperation); // add without rebuilding each time
    installCoreState(&state);
    auto model = makeNewCard(100, 80);
    testing::RandomDesigner designer(seed, model->cardWidth, model->cardHeight);
    testing::RandomDesignOptions o;
    o.faceCount = faceCount;
    o.textShare = 0.25;
    o.cutOutShare = 0.0;
    o.glyphPoints = 240;
    for (testing::RandomFace& rf : designer.faces(o))
        addUserFace(*model, std::move(rf.face));
    installCoreState(nullptr);
    return model;
}

// A rebuild from nothing each time: earlier results are not reused.
void rebuild(benchmark::State& state, bool skip) {
    auto model = makeDesign(int(state.range(0)), 7);
    RebuildOptions options;
    options.skipDisjointBoxes = skip;
    options.reuseEarlierResults = false;
    for (auto _ : state) {
        rebuildBuiltFaces(*model, options);
        benchmark::DoNotOptimize(model->builtFaces.data());
    }
    std::size_t points = 0;
    for (const auto& f : model->userFaces)
        for (const auto& loop : f->polygon.loops)
            points += loop->points.size();
    state.counters["userPoints"] = double(points);
    state.counters["builtFaces"] = double(model->builtFaces.size());
}

void BM_RebuildBuiltFaces(benchmark::State& state) {
    rebuild(state, true);
}
void BM_RebuildBuiltFacesFull(benchmark::State& state) {
    rebuild(state, false);
}

// The first rebuild of a design with the memo on, as after opening a file: nothing to reuse
// yet, and everything the next edits will look for is kept.
void BM_RebuildWithEmptyMemo(benchmark::State& state) {
    auto model = makeDesign(int(state.range(0)), 7);
    for (auto _ : state) {
        model->rebuildMemo.reset();
        rebuildBuiltFaces(*model);
        benchmark::DoNotOptimize(model->builtFaces.data());
    }
}

// The rebuild after one face is moved, the way an edit changes a design: each time a different
// face, chosen at random, so that on average half the faces come after it, to a place within a
// millimetre of where it started and never the same twice (so never back to an earlier design,
// and the design stays as it was made however long the run). The memo holds the results of the
// rebuild before, as it does in the editor.
void BM_RebuildAfterOneFaceEdit(benchmark::State& state) {
    auto model = makeDesign(int(state.range(0)), 7);
    rebuildBuiltFaces(*model);
    std::mt19937 rng(99);
    std::uniform_int_distribution<std::size_t> pick(2, model->userFaces.size() - 1);
    std::vector<double> shift(model->userFaces.size(), 0.0);
    double turn = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t i = pick(rng);
        turn = std::fmod(turn + 0.6180339887498949, 1.0);
        const double to = 2.0 * turn - 1.0;
        Face& f = *model->userFaces[i];
        for (auto& loop : f.polygon.loops)
            for (Point2& p : loop->points)
                p.x += to - shift[i];
        shift[i] = to;
        f.triangulate();
        state.ResumeTiming();
        rebuildBuiltFaces(*model);
        benchmark::DoNotOptimize(model->builtFaces.data());
    }
    // What the memo holds at the end: it must follow the design, not the number of edits.
    state.counters["memoEntries"] = double(model->rebuildMemo->entryCount());
    state.counters["checkpoints"] = double(model->rebuildMemo->checkpointCount());
}

// Bytes the program has allocated and not freed, from whichever allocator it runs on.
std::size_t heapInUse() {
#ifdef PLICATO_TCMALLOC
    std::size_t bytes = 0;
    MallocExtension_GetNumericProperty("generic.current_allocated_bytes", &bytes);
    return bytes;
#else
    return mallinfo2().uordblks;
#endif
}

// Heap in use by a 300-face design with its built faces and ten undo snapshots.
void BM_DesignMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto model = makeDesign(int(state.range(0)), 11);
        rebuildBuiltFaces(*model);
        for (int i = 0; i < 10; ++i) {
            auto snap = std::make_unique<UndoSnapshot>();
            for (const auto& f : model->userFaces)
                snap->faces.push_back(std::make_unique<Face>(*f));
            model->undoHistory.push_back(std::move(snap));
        }
        const std::size_t after = heapInUse();
        state.counters["heapMB"] = double(after - before) / (1024.0 * 1024.0);
    }
}

} // namespace

// The rebuilds share their clips with a second thread: timed by the clock, not by the processor
// time of the calling thread.
BENCHMARK(BM_RebuildBuiltFaces)
    ->Arg(50)
    ->Arg(150)
    ->Arg(300)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildBuiltFacesFull)
    ->Arg(50)
    ->Arg(150)
    ->Arg(300)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// The clean-up that ends every rebuild, on its own: the scan for coordinates a hair apart over
// the built faces of a design that has none (what a rebuild pays in the common case).
void BM_CleanBuiltFaces(benchmark::State& state) {
    auto model = makeDesign(int(state.range(0)), 7);
    rebuildBuiltFaces(*model);
    for (auto _ : state)
        benchmark::DoNotOptimize(cleanBuiltFaces(*model));
}

BENCHMARK(BM_CleanBuiltFaces)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildWithEmptyMemo)->Arg(300)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildAfterOneFaceEdit)->Arg(300)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesignMemory)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
