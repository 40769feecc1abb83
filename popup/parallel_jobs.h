// Independent jobs shared out between the calling thread and one helper thread, so that a
// rebuild's clips use the second core most machines have.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

namespace plicato {

class SpareWork;

class ParallelJobs {
public:
    // `lanes` > 1 starts the helper; 1 runs every job on the caller.
    explicit ParallelJobs(int lanes);
    ~ParallelJobs();
    ParallelJobs(const ParallelJobs&) = delete;
    ParallelJobs& operator=(const ParallelJobs&) = delete;

    // The one the rebuild uses: two lanes on a machine with two or more cores, else one.
    static ParallelJobs& shared();

    int lanes() const { return helper_.joinable() ? 2 : 1; }

    // Calls job(k, lane) once for every k in [0, count), lane 0 on the calling thread and lane 1
    // on the helper, and returns when all have returned. Jobs must not throw. Not reentrant.
    template <class Job> void run(std::size_t count, const Job& job) {
        if (count < 2 || !helper_.joinable() || !inOwnProcess()) {
            for (std::size_t k = 0; k < count; ++k)
                job(k, 0);
            return;
        }
        runShared(count, &job, [](const void* j, std::size_t k, int lane) {
            (*static_cast<const Job*>(j))(k, lane);
        });
    }

    // Lets the helper begin `work`'s items whenever no batch is open, until withdrawn; the
    // work must stay alive until then. One offer at a time.
    void offer(SpareWork& work);
    // Takes the offer back: on return the helper is in none of its items and begins no more.
    void withdraw();

private:
    // A forked child has no helper thread (and maybe a mutex its parent's helper held).
    bool inOwnProcess() const;

    using Trampoline = void (*)(const void*, std::size_t, int);
    void runShared(std::size_t count, const void* job, Trampoline call);
    void takeJobs(int lane);
    void helperLoop();
    // The helper's side: runs one item of the spare work on offer; false when there was none.
    bool runSpare();
    bool spareWaiting() const; // with mutex_ held

    // A batch's number times four plus its state: open to the helper, taken by it, or closed
    // (all done, or finished by the caller before the helper came).
    static constexpr std::uint64_t kOpen = 0;
    static constexpr std::uint64_t kTaken = 1;
    static constexpr std::uint64_t kClosed = 2;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::uint64_t batches_ = 0; // caller's side only
    std::atomic<std::uint64_t> ticket_{kClosed};
    std::atomic<std::size_t> next_{0};
    std::size_t count_ = 0;
    const void* job_ = nullptr;
    Trampoline call_ = nullptr;
    // The spare work on offer (changed with mutex_ held), and whether the helper may be in it.
    // Apart from the batch's fields, which both threads write.
    alignas(64) std::atomic<SpareWork*> spare_{nullptr};
    std::atomic<bool> inSpare_{false};
    std::thread helper_;
    long owner_ = 0; // process that started the helper
};

} // namespace plicato
