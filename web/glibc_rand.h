// The generator behind glibc's rand(), so that the page draws the same crowd from a seed as the
// desktop does: an additive lagged Fibonacci generator, r[i] = r[i - 3] + r[i - 31], seeded by
// the Park-Miller generator and run 310 steps before its first value.
#pragma once

#include <cstdint>

class GlibcRand {
public:
    // As srand(seed): 0 seeds as 1.
    void seed(unsigned int seed);
    // As rand(): 0 to 2147483647.
    int next();

private:
    static constexpr int LONG_LAG = 31;
    static constexpr int SHORT_LAG = 3;
    std::uint32_t state_[LONG_LAG] = {}; // the last 31 values, a ring
    int at_ = 0;                         // where the oldest value stands in the ring
};
