// rand()'s whole state, saved and put back, so that a world played again from a kept moment
// draws the very numbers it drew the first time. Each build provides it for its own generator.
#pragma once

#include <cstdint>

struct RandState {
    alignas(std::uint32_t) unsigned char bytes[128]; // the generator's ring and its place in it
};

RandState saved_rand();
// rand() then goes on from where it stood when state was saved; srand's seed plays no part.
void restore_rand(const RandState& state);
