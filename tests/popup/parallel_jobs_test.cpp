// Jobs shared between the caller and the helper: each runs once, on one of the two lanes, and
// all have finished when run returns, batch after batch.
#include "popup/parallel_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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
