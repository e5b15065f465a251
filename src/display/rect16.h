// Arithmetic on SDL_Rect fields: sums are formed in 32 bits and stored back into the signed
// 16-bit x and y keeping their low 16 bits, so a coordinate past 32767 wraps by design.
#pragma once

#include <SDL.h>
#include <cstdint>

// The low 16 bits of value as a signed 16-bit coordinate. The detour through the unsigned type
// keeps the narrowing free of undefined or implementation-defined steps.
constexpr Sint16 low16(std::int64_t value) {
    const auto bits = static_cast<std::uint16_t>(static_cast<std::uint64_t>(value));
    return static_cast<Sint16>(bits >= 0x8000 ? static_cast<int>(bits) - 0x10000
                                              : static_cast<int>(bits));
}
