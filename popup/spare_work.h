// Independent items of work for the helper's spare moments: between batches it begins them one
// after another, from the first, while the caller takes each as it needs it and runs it itself
// when the helper has not begun it. Either way every item runs once.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

namespace plicato {

class SpareWork {
public:
    // `item(k)` for k in [0, count); it must outlive this object. Items must not throw.
    template <class Item>
    SpareWork(std::size_t count, const Item& item)
        : count_(count), state_(std::make_unique<std::atomic<unsigned char>[]>(count)),
          item_(&item),
          call_([](const void* i, std::size_t k) { (*static_cast<const Item*>(i))(k); }) {}
    SpareWork(const SpareWork&) = delete;
    SpareWork& operator=(const SpareWork&) = delete;

    std::size_t count() const { return count_; }
    // Returns once item k is done: run here, or waited for when the helper has begun it.
    void take(std::size_t k);
    // The helper's side: runs the first item nobody has begun; false when all are begun.
    bool runNext();
    // The helper's side: whether some item may still be unbegun.
    bool anyLeft() const { return cursor_ < count_; }

private:
    static constexpr unsigned char kFree = 0;
    static constexpr unsigned char kBegun = 1;
    static constexpr unsigned char kDone = 2;
    bool claim(std::size_t k);

    std::size_t count_;
    std::unique_ptr<std::atomic<unsigned char>[]> state_;
    std::size_t cursor_ = 0; // the helper's next item to try
    const void* item_;
    void (*call_)(const void*, std::size_t);
};

} // namespace plicato
