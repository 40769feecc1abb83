// The memo shared by the rebuild's two threads: stores and lookups from both at once, while the
// table grows, lose nothing and hand out only what was stored under the key.
#include "popup/rebuild_memo.h"

#include <gtest/gtest.h>

#include <atomic>
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
