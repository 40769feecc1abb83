// A radix sort on the values' bits ordered as numbers. Only the high 40 bits are sorted by
// digits, 11 at a time: values that share those lie within a few parts in a billion of each
// other and are nearly always equal, so one walk finds the rare runs out of order and sorts
// them. A digit that all values share costs no pass.
#include "popup/value_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace plicato {

namespace {

constexpr int kLowBits = 24; // left to the last pass
constexpr int kDigitBits = 11;
constexpr int kDigits = 4; // 4 x 11 >= 64 - 24; the histogram below counts four
constexpr std::uint64_t kDigitMask = (std::uint64_t{1} << kDigitBits) - 1;

// Orders like the value: the sign bit set for positives, every bit flipped for negatives.
std::uint64_t keyOf(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v == 0.0 ? 0.0 : v);
    return bits >> 63 ? ~bits : bits | (std::uint64_t{1} << 63);
}

double valueOf(std::uint64_t key) {
    return std::bit_cast<double>(key >> 63 ? key & ~(std::uint64_t{1} << 63) : ~key);
}

unsigned digitOf(std::uint64_t key, int d) {
    return static_cast<unsigned>((key >> (kLowBits + kDigitBits * d)) & kDigitMask);
}

// Sorts keys that are already ordered by their high bits: each run sharing those is short.
void orderRuns(std::vector<std::uint64_t>& keys) {
    const std::size_t n = keys.size();
    for (std::size_t i = 1; i < n; ++i) {
        const std::uint64_t k = keys[i];
        if (keys[i - 1] <= k)
            continue;
        // Out of order within its run: find the run and sort it whole (long runs stay fast).
        std::size_t start = i - 1;
        while (start > 0 && (keys[start - 1] >> kLowBits) == (k >> kLowBits))
            --start;
        std::size_t end = i + 1;
        while (end < n && (keys[end] >> kLowBits) == (k >> kLowBits))
            ++end;
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(start),
                  keys.begin() + static_cast<std::ptrdiff_t>(end));
        i = end - 1;
    }
}

} // namespace

void sortValues(std::vector<double>& values) {
    const std::size_t n = values.size();
    if (n < 2)
        return;
    if (n > UINT32_MAX) { // beyond the counts' range; no design comes near
        for (double& v : values)
            v = v == 0.0 ? 0.0 : v;
        std::sort(values.begin(), values.end());
        return;
    }
    std::vector<std::uint64_t> keys(n), spare(n);
    std::vector<std::array<std::uint32_t, std::size_t{1} << kDigitBits>> counts(kDigits);
    for (auto& c : counts)
        c.fill(0);
    std::uint32_t* c0 = counts[0].data();
    std::uint32_t* c1 = counts[1].data();
    std::uint32_t* c2 = counts[2].data();
    std::uint32_t* c3 = counts[3].data();
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = keyOf(values[i]);
        keys[i] = key;
        ++c0[digitOf(key, 0)];
        ++c1[digitOf(key, 1)];
        ++c2[digitOf(key, 2)];
        ++c3[digitOf(key, 3)];
    }
    for (int d = 0; d < kDigits; ++d) {
        std::uint32_t* c = counts[static_cast<std::size_t>(d)].data();
        if (c[digitOf(keys[0], d)] == n)
            continue;
        std::uint32_t at = 0;
        for (std::size_t k = 0; k < counts[0].size(); ++k) {
            const std::uint32_t here = c[k];
            c[k] = at;
            at += here;
        }
        const int shift = kLowBits + kDigitBits * d;
        for (const std::uint64_t key : keys)
            spare[c[(key >> shift) & kDigitMask]++] = key;
        keys.swap(spare);
    }
    orderRuns(keys);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = valueOf(keys[i]);
}

} // namespace plicato
