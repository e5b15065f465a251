// rand() and srand() for the browser edition: glibc's sequence instead of the C library's own,
// so that a seed and a recording play the same game in a page as on the desktop.
#include "glibc_rand.h"

namespace {
GlibcRand generator = [] {
    GlibcRand seeded;
    seeded.seed(1); // as rand() before any srand()
    return seeded;
}();
} // namespace

extern "C" void srand(unsigned int seed) {
    generator.seed(seed);
}

extern "C" int rand(void) {
    return generator.next();
}
