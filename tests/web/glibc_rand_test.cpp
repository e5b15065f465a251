// The page's generator draws what glibc's rand() draws, seed for seed, so that the same seed and
// recording give the same crowd in a page as on the desktop.
#include "glibc_rand.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(GlibcRand, DrawsWhatTheDesktopsRandDraws) {
    // 0 seeds as 1; seeds from 2^31 up are negative numbers to the seeding.
    for (unsigned int seed : {0u, 1u, 2u, 7u, 42u, 20787u, 2147483647u, 2147483648u, 2147483649u,
                              3000000000u, 4294967295u}) {
        SCOPED_TRACE(seed);
        GlibcRand ours;
        ours.seed(seed);
        srand(seed);
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(ours.next(), rand()) << "value " << i;
        }
    }
}

} // namespace
