// rand(), srand() and rand()'s saved state for the browser edition: glibc's sequence instead of
// the C library's own, so that a seed and a recording play the same game in a page as on the
// desktop.
#include "glibc_rand.h"
#include "world/rand_state.h"

#include <cstring>
#include <type_traits>

namespace {
// The generator is its ring and its place in it, a plain value: saved_rand copies it whole.
static_assert(std::is_trivially_copyable_v<GlibcRand>);
static_assert(sizeof(GlibcRand) <= sizeof(RandState::bytes));

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

RandState saved_rand() {
    RandState state{};
    std::memcpy(state.bytes, &generator, sizeof generator);
    return state;
}

void restore_rand(const RandState& state) {
    std::memcpy(&generator, state.bytes, sizeof generator);
}
