#include "popup/spare_work.h"

#include <thread>

namespace plicato {

bool SpareWork::claim(std::size_t k) {
    unsigned char expected = kFree;
    return state_[k].compare_exchange_strong(expected, kBegun, std::memory_order_acq_rel);
}

void SpareWork::take(std::size_t k) {
    if (claim(k)) {
        call_(item_, k);
        state_[k].store(kDone, std::memory_order_release);
        return;
    }
    while (state_[k].load(std::memory_order_acquire) != kDone)
        std::this_thread::yield();
}

bool SpareWork::runNext() {
    while (cursor_ < count_) {
        const std::size_t k = cursor_++;
        if (!claim(k))
            continue; // the caller took it
        call_(item_, k);
        state_[k].store(kDone, std::memory_order_release);
        return true;
    }
    return false;
}

} // namespace plicato
