// Jobs shared between the caller and the helper: each runs once, on one of the two lanes, and
// all have finished when run returns, batch after batch.
#include "popup/parallel_jobs.h"

#include "popup/spare_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace plicato;

TEST(ParallelJobs, EveryJobRunsOnceAndIsDoneOnReturn) {
    for (const int lanes : {1, 2}) {
        ParallelJobs jobs(lanes);
        EXPECT_EQ(jobs.lanes(), lanes);
        int helperRuns = 0;
        for (int batch = 0; batch < 400; ++batch) {
            const std::size_t count = std::size_t(batch % 7) + (batch % 50 == 0 ? 200 : 0);
            std::vector<std::atomic<int>> hits(count);
            std::vector<int> done(count, 0);
            jobs.run(count, [&](std::size_t k, int lane) {
                ASSERT_TRUE(lane == 0 || lane == 1);
                if (lane == 1)
                    ++helperRuns; // only the helper writes it
                // Jobs that take a while: the helper joins the long batches, and run must
                // still wait for the job it holds when the caller runs out of jobs.
                if (count > 100 || lane == 1)
                    std::this_thread::sleep_for(std::chrono::microseconds(10));
                hits[k].fetch_add(1);
                done[k] = lane + 1;
            });
            for (std::size_t k = 0; k < count; ++k) {
                ASSERT_EQ(hits[k].load(), 1) << lanes << " lanes, batch " << batch << ", job " << k;
                ASSERT_NE(done[k], 0);
            }
        }
        if (lanes == 1)
            EXPECT_EQ(helperRuns, 0);
        else
            EXPECT_GT(helperRuns, 0); // the second core takes part
    }
}

// Spare work on offer while batches come and go: the helper begins items between batches, the
// caller takes each in turn (running it, or waiting for the helper's), and every item runs once
// and is done when take returns.
TEST(ParallelJobs, SpareWorkRunsEachItemOnceAndTakeWaitsForIt) {
    for (const int lanes : {1, 2}) {
        ParallelJobs jobs(lanes);
        constexpr std::size_t count = 300;
        std::vector<std::atomic<int>> runs(count);
        std::vector<int> lane(count, 0); // written by the item alone, read after take
        std::atomic<int> helperItems{0};
        const std::thread::id caller = std::this_thread::get_id();
        const auto item = [&](std::size_t k) {
            const bool helper = std::this_thread::get_id() != caller;
            if (helper)
                helperItems.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::microseconds(k % 3 == 0 ? 40 : 5));
            runs[k].fetch_add(1);
            lane[k] = helper ? 2 : 1;
        };
        SpareWork work(count, item);
        jobs.offer(work);
        if (lanes == 2) {
            // Give the helper its chance before the caller takes anything.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (helperItems.load() == 0 && std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
        }
        for (std::size_t k = 0; k < count; ++k) {
            work.take(k);
            ASSERT_EQ(runs[k].load(), 1) << lanes << " lanes, item " << k;
            ASSERT_NE(lane[k], 0) << lanes << " lanes, item " << k;
            if (k % 10 == 0) // a batch between takes still runs all its jobs
                jobs.run(4, [&](std::size_t, int) { runs[k].fetch_add(0); });
        }
        jobs.withdraw();
        for (std::size_t k = 0; k < count; ++k)
            EXPECT_EQ(runs[k].load(), 1);
        if (lanes == 1)
            EXPECT_EQ(helperItems.load(), 0);
        else
            EXPECT_GT(helperItems.load(), 0);
    }
}
