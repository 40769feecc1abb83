// A radix sort on the values' places along their range. Each value's bucket is its distance
// from the lowest value scaled to 22 bits, which never orders two values against their order;
// two passes of 11 bits sort the buckets. Values that share a bucket lie within a few
// hundred-thousandths of the range of each other and are nearly always equal, so one walk
// finds the rare buckets out of order and sorts them. A digit that all values share costs no
// pass.
#include "popup/value_sort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

namespace plicato {

namespace {

constexpr int kDigitBits = 11;
constexpr std::size_t kFewValues = 256;
constexpr std::uint32_t kDigitMask = (std::uint32_t{1} << kDigitBits) - 1;
constexpr double kTopBucket = double((std::uint32_t{1} << (2 * kDigitBits)) - 1);

// The bucket of a value: rounding keeps the subtraction and the product in order, and
// truncation the bucket.
struct Buckets {
    double low;
    double scale;
    std::uint32_t operator()(double v) const {
        return static_cast<std::uint32_t>(std::min((v - low) * scale, kTopBucket));
    }
};

// Sorts values that are already ordered by bucket: each run sharing one is short.
void orderRuns(double* values, std::size_t n, const Buckets& bucket) {
    for (std::size_t i = 1; i < n; ++i) {
        const double v = values[i];
        if (values[i - 1] <= v)
            continue;
        // Out of order within its bucket: find the bucket's run and sort it whole (long runs
        // stay fast).
        const std::uint32_t b = bucket(v);
        std::size_t start = i - 1;
        while (start > 0 && bucket(values[start - 1]) == b)
            --start;
        std::size_t end = i + 1;
        while (end < n && bucket(values[end]) == b)
            ++end;
        std::sort(values + start, values + end);
        i = end - 1;
    }
}

// Sorts n values, none of them a NaN, each -0 already made 0, lying from low to high.
void sortNumbers(double* values, std::size_t n, double low, double high) {
    if (n < 2 || low == high)
        return;
    const double scale = kTopBucket / (high - low);
    // Few values sort faster than the counts are set up; beyond the counts' range, or a range
    // beyond a double's, no design comes near.
    if (n < kFewValues || n > UINT32_MAX || !std::isfinite(scale) || scale <= 0.0) {
        std::sort(values, values + n);
        return;
    }
    const Buckets bucket{low, scale};
    std::array<std::array<std::uint32_t, std::size_t{1} << kDigitBits>, 2> counts{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t b = bucket(values[i]);
        ++counts[0][b & kDigitMask];
        ++counts[1][b >> kDigitBits];
    }
    // Not set first: every place is written before it is read.
    const std::unique_ptr<double[]> spare(new double[n]);
    double* from = values;
    double* to = spare.get();
    for (int d = 0; d < 2; ++d) {
        auto& c = counts[static_cast<std::size_t>(d)];
        const int shift = kDigitBits * d;
        if (c[(bucket(from[0]) >> shift) & kDigitMask] == n)
            continue;
        std::uint32_t at = 0;
        for (std::uint32_t& k : c) {
            const std::uint32_t here = k;
            k = at;
            at += here;
        }
        for (std::size_t i = 0; i < n; ++i)
            to[c[(bucket(from[i]) >> shift) & kDigitMask]++] = from[i];
        std::swap(from, to);
    }
    if (from != values)
        std::copy(from, from + n, values);
    orderRuns(values, n, bucket);
}

} // namespace

void sortValues(std::vector<double>& values) {
    const std::size_t n = values.size();
    double low = 0.0, high = 0.0;
    bool nan = false;
    for (std::size_t i = 0; i < n; ++i) {
        double& v = values[i];
        v = v == 0.0 ? 0.0 : v;
        nan = nan || std::isnan(v);
        low = i == 0 ? v : std::min(low, v);
        high = i == 0 ? v : std::max(high, v);
    }
    if (!nan) {
        sortNumbers(values.data(), n, low, high);
        return;
    }
    // A NaN has no place among numbers, nor a bucket: NaNs go last, the numbers before them
    // are sorted.
    const auto numbers = static_cast<std::size_t>(
        std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); }) -
        values.begin());
    if (numbers == 0)
        return;
    const auto [lowest, highest] =
        std::minmax_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(numbers));
    sortNumbers(values.data(), numbers, *lowest, *highest);
}

} // namespace plicato
