// rand()'s state on the desktop: glibc hands its generator's array over through setstate, with
// the generator's place written into the array's first word as it leaves it.
#include "world/rand_state.h"

#include <cstdlib>
#include <cstring>

namespace {

// glibc's default generator: a word for the place, then a ring of 31 words.
constexpr std::size_t GLIBC_STATE_BYTES = sizeof(RandState::bytes);

// Switches rand() to an array of our own for a moment and returns the live one, whose first word
// then records where the generator stood in it.
char* leaveLive() {
    alignas(std::uint32_t) static char scratch[GLIBC_STATE_BYTES];
    static bool made = false;
    if (!made) {
        made = true;
        return initstate(1, scratch, GLIBC_STATE_BYTES); // seeds scratch alone
    }
    return setstate(scratch);
}

} // namespace

RandState saved_rand() {
    char* const live = leaveLive();
    RandState state;
    std::memcpy(state.bytes, live, GLIBC_STATE_BYTES);
    setstate(live);
    return state;
}

void restore_rand(const RandState& state) {
    char* const live = leaveLive();
    std::memcpy(live, state.bytes, GLIBC_STATE_BYTES);
    setstate(live); // reads the place back from the first word
}
