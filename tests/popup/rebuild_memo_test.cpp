// The memo shared by the rebuild's two threads: stores and lookups from both at once, while the
// table grows, lose nothing and hand out only what was stored under the key. Fingerprints tell
// apart inputs that differ in the smallest ways.
#include "model/clip_holder.h"
#include "popup/rebuild_memo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <random>
#include <thread>

using namespace plicato;

namespace {

// A small polygon that tells its key apart.
Polygon polygonFor(int thread, int k) {
    auto loop = std::make_unique<Loop>();
    const double x = thread * 100000.0 + k;
    loop->points = {{x, 0}, {x + 1, 0}, {x + 1, 1}};
    Polygon p;
    p.addLoop(std::move(loop));
    return p;
}

RebuildMemo::Key keyFor(int thread, int k) {
    const auto n = static_cast<std::uint64_t>(thread * 100000.0 + k + 1);
    return {n * 0x9E3779B97F4A7C15ull, n};
}

} // namespace

TEST(RebuildMemo, TwoThreadsStoreAndCopyAtOnceWithoutLosingAnything) {
    constexpr int perThread = 20000; // enough to grow the table many times over
    RebuildMemo memo;
    std::atomic<int> ready{0};
    auto work = [&](int self, int& mismatches) {
        // Both start together, so that their stores meet while the table grows.
        ready.fetch_add(1);
        while (ready.load() < 2)
            std::this_thread::yield();
        const int other = 1 - self;
        for (int k = 0; k < perThread; ++k) {
            memo.storeClip(keyFor(self, k), polygonFor(self, k));
            Polygon got;
            if (!memo.copyClip(keyFor(self, k), got) ||
                got.loops.front()->points != polygonFor(self, k).loops.front()->points)
                ++mismatches;
            // What the other thread may or may not have stored yet: whole if there at all.
            if (memo.copyClip(keyFor(other, k), got) &&
                got.loops.front()->points != polygonFor(other, k).loops.front()->points)
                ++mismatches;
        }
    };
    int mismatches[2] = {0, 0};
    std::thread second(work, 1, std::ref(mismatches[1]));
    work(0, mismatches[0]);
    second.join();
    EXPECT_EQ(mismatches[0] + mismatches[1], 0);
    EXPECT_EQ(memo.entryCount(), std::size_t(2 * perThread));
}

namespace {

Polygon randomPolygon(std::mt19937& rng) {
    std::uniform_int_distribution<int> loops(1, 3), points(3, 12);
    std::uniform_real_distribution<double> coord(-100.0, 100.0);
    Polygon p;
    for (int l = loops(rng); l > 0; --l) {
        auto loop = std::make_unique<Loop>();
        loop->isHole = p.loops.size() > 0 && rng() % 2 == 0;
        for (int k = points(rng); k > 0; --k)
            loop->points.push_back({coord(rng), coord(rng)});
        p.addLoop(std::move(loop));
    }
    return p;
}

} // namespace

// Every change a rebuild could meet gives a new print: one coordinate a bit off, x and y of a
// point or of all points exchanged, two points exchanged, the points of a loop turned round by
// one, a loop's hole flag, a point moved to the next loop, two loops exchanged. The outline in
// the engine's form prints as it does as a polygon.
TEST(RebuildMemo, PrintsTellApartTheSmallestChanges) {
    using Change = std::function<bool(Polygon&, std::mt19937&)>; // false: does not apply
    const auto anyLoop = [](Polygon& p, std::mt19937& rng) -> Loop& {
        return *p.loops[rng() % p.loops.size()];
    };
    const std::pair<const char*, Change> changes[] = {
        {"one coordinate a bit off",
         [&](Polygon& p, std::mt19937& rng) {
             Point2& q = anyLoop(p, rng).points.front();
             q.y = std::nextafter(q.y, 1e9);
             return true;
         }},
        {"x and y of a point exchanged",
         [&](Polygon& p, std::mt19937& rng) {
             Point2& q = anyLoop(p, rng).points.back();
             std::swap(q.x, q.y);
             return true;
         }},
        {"x and y of all points exchanged",
         [](Polygon& p, std::mt19937&) {
             for (auto& loop : p.loops)
                 for (Point2& q : loop->points)
                     std::swap(q.x, q.y);
             return true;
         }},
        {"two points exchanged",
         [&](Polygon& p, std::mt19937& rng) {
             auto& pts = anyLoop(p, rng).points;
             std::swap(pts[0], pts[1]);
             return true;
         }},
        {"a loop turned round by one",
         [&](Polygon& p, std::mt19937& rng) {
             auto& pts = anyLoop(p, rng).points;
             std::rotate(pts.begin(), pts.begin() + 1, pts.end());
             return true;
         }},
        {"a hole flag",
         [&](Polygon& p, std::mt19937& rng) {
             Loop& loop = anyLoop(p, rng);
             loop.isHole = !loop.isHole;
             return true;
         }},
        {"a point moved to the next loop",
         [](Polygon& p, std::mt19937&) {
             if (p.loops.size() < 2)
                 return false;
             p.loops[1]->points.insert(p.loops[1]->points.begin(), p.loops[0]->points.back());
             p.loops[0]->points.pop_back();
             return true;
         }},
        {"two loops exchanged",
         [](Polygon& p, std::mt19937&) {
             if (p.loops.size() < 2)
                 return false;
             std::swap(p.loops[0], p.loops[1]);
             return true;
         }},
    };
    std::mt19937 rng(2024);
    RebuildMemo memo;
    for (int round = 0; round < 300; ++round) {
        const Polygon original = randomPolygon(rng);
        const RebuildMemo::Key print = RebuildMemo::polygonPrint(original);
        ClipHolder engineForm;
        original.toClipPolygon(engineForm.p);
        ASSERT_EQ(RebuildMemo::polygonPrint(engineForm.p), print);
        ASSERT_EQ(memo.clipKey(ClipOp::Union, original, engineForm.p),
                  memo.clipKey(ClipOp::Union, original, original));
        for (const auto& [name, change] : changes) {
            Polygon changed = original;
            if (!change(changed, rng) || changed.loops.front()->points.empty())
                continue;
            const RebuildMemo::Key after = RebuildMemo::polygonPrint(changed);
            EXPECT_NE(after.a, print.a) << name << ", round " << round;
            EXPECT_NE(after.b, print.b) << name << ", round " << round;
            EXPECT_NE(RebuildMemo::fillKey(changed), RebuildMemo::fillKey(original)) << name;
            EXPECT_NE(memo.clipKey(ClipOp::Difference, original, changed),
                      memo.clipKey(ClipOp::Difference, original, original))
                << name;
        }
    }
}
