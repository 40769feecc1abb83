// The clean-up's sort of a design's coordinates against the standard sort, on sets shaped like
// a design's (many repeats, values a hair apart, both signs, zeros of both signs) and on sets
// made to defeat it (long runs that agree in all but the lowest bits, or that share one bucket of
// a range stretched by a far value).
#include "popup/value_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

using namespace plicato;

TEST(ValueSort, OrdersLikeTheStandardSortWithZeroOfOneSign) {
    std::mt19937_64 rng(5);
    for (int round = 0; round < 400; ++round) {
        const int shape = round % 5;
        const std::size_t n = std::size_t(rng() % (round % 50 == 0 ? 60000 : 3000));
        std::vector<double> pool;
        for (int k = 0; k < 40; ++k)
            pool.push_back(std::ldexp(double(rng() % 200000) - 50000.0, -int(rng() % 20)));
        std::vector<double> values(n);
        for (double& v : values) {
            const double base = pool[rng() % pool.size()];
            switch (shape) {
            case 0:
                v = base;
                break; // repeats only
            case 1:
                v = std::nextafter(base, base + (rng() % 2 ? 1.0 : -1.0));
                break;
            case 2:
                v = rng() % 3 ? base : (rng() % 2 ? 0.0 : -0.0);
                break;
            case 3: // all in one long run of the high bits, low bits at random; with a far
                    // value, all in one bucket of the range
                v = &v == &values.front() && round % 2
                        ? 1e12
                        : std::bit_cast<double>(std::bit_cast<std::uint64_t>(1.5) ^
                                                (rng() & 0xFFFFFF));
                break;
            default:
                v = std::bit_cast<double>((rng() & ~(std::uint64_t{0x7FF} << 52)) |
                                          (std::uint64_t{rng() % 2046 + 1} << 52));
            }
        }
        std::vector<double> expected = values;
        std::sort(expected.begin(), expected.end());
        for (double& v : expected)
            v = v == 0.0 ? 0.0 : v;
        sortValues(values);
        ASSERT_EQ(values.size(), expected.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            ASSERT_EQ(std::bit_cast<std::uint64_t>(values[i]),
                      std::bit_cast<std::uint64_t>(expected[i]))
                << "round " << round << " shape " << shape << " at " << i;
    }
}

TEST(ValueSort, PutsNaNsLastAndSortsTheRest) {
    // No design should hold a NaN, but one must not upset the sort: before the numbers' sort,
    // a NaN has no bucket, and the standard sort has no order for it.
    std::mt19937_64 rng(9);
    for (const std::size_t n : {std::size_t{3}, std::size_t{300}, std::size_t{5000}}) {
        std::vector<double> values(n);
        for (double& v : values)
            v = rng() % 7 == 0 ? std::nan("") : double(rng() % 20001) / 100.0 - 100.0;
        values[0] = std::nan("");
        std::vector<double> expected;
        for (const double v : values)
            if (!std::isnan(v))
                expected.push_back(v);
        std::sort(expected.begin(), expected.end());
        sortValues(values);
        ASSERT_EQ(values.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            if (i < expected.size())
                EXPECT_EQ(values[i], expected[i]) << n << " at " << i;
            else
                EXPECT_TRUE(std::isnan(values[i])) << n << " at " << i;
        }
    }
}
