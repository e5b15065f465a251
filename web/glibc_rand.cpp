// The lagged Fibonacci generator glibc's rand() uses, from its published description.
#include "glibc_rand.h"

namespace {
constexpr std::int64_t PARK_MILLER_MODULUS = 2147483647; // 2^31 - 1
constexpr std::int64_t PARK_MILLER_FACTOR = 16807;
constexpr int WARM_UP = 310; // steps discarded after seeding
} // namespace

void GlibcRand::seed(unsigned int seed) {
    // The seed is taken as a signed 32-bit number; Park-Miller's residues are kept in [0, m).
    std::int64_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < LONG_LAG; ++i) {
        word = (PARK_MILLER_FACTOR * word) % PARK_MILLER_MODULUS;
        if (word < 0) {
            word += PARK_MILLER_MODULUS;
        }
        state_[i] = static_cast<std::uint32_t>(word);
    }
    // r[31] to r[33] repeat r[0] to r[2], which hold the ring's first places: the first new
    // value, r[34] = r[3] + r[31], replaces r[3].
    at_ = SHORT_LAG;
    for (int i = 0; i < WARM_UP; ++i) {
        next();
    }
}

int GlibcRand::next() {
    // state_[at_] is r[i - 31]; r[i - 3] stands 28 places further round the ring.
    const std::uint32_t value =
        state_[at_] + state_[(at_ + LONG_LAG - SHORT_LAG) % LONG_LAG]; // wraps, as unsigned
    state_[at_] = value;
    at_ = (at_ + 1) % LONG_LAG;
    return static_cast<int>(value >> 1);
}
