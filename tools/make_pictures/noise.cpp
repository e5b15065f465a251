// Integer-only hashing keeps the noise identical across compilers and libraries.
#include "noise.h"

namespace pictures {

namespace {
constexpr int XORSHIFT_A = 13;
constexpr int XORSHIFT_B = 17;
constexpr int XORSHIFT_C = 5;
constexpr double TWO_TO_32 = 4294967296.0;

// Odd constants from the usual 32-bit hash finalisers; any large odd numbers would do.
constexpr std::uint32_t PRIME_X = 0x8da6b343u;
constexpr std::uint32_t PRIME_Y = 0xd8163841u;
constexpr std::uint32_t PRIME_SEED = 0xcb1ab31fu;
constexpr std::uint32_t MIX_1 = 0x7feb352du;
constexpr std::uint32_t MIX_2 = 0x846ca68bu;
constexpr int SHIFT_1 = 16;
constexpr int SHIFT_2 = 15;

std::uint32_t hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * PRIME_X ^
                      static_cast<std::uint32_t>(y) * PRIME_Y ^ seed * PRIME_SEED;
    h ^= h >> SHIFT_1;
    h *= MIX_1;
    h ^= h >> SHIFT_2;
    h *= MIX_2;
    h ^= h >> SHIFT_1;
    return h;
}

// Rounds towards minus infinity, so noise runs on smoothly across zero.
int floor_div(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}
} // namespace

std::uint32_t Random::next() {
    state_ ^= state_ << XORSHIFT_A;
    state_ ^= state_ >> XORSHIFT_B;
    state_ ^= state_ << XORSHIFT_C;
    return state_;
}

int Random::between(int low, int high) {
    const auto span = static_cast<std::uint32_t>(high - low + 1);
    return low + static_cast<int>(next() % span);
}

double Random::unit() {
    return next() / TWO_TO_32;
}

double hashed(int x, int y, std::uint32_t seed) {
    return hash(x, y, seed) / TWO_TO_32;
}

double value_noise(int x, int y, int cell, std::uint32_t seed) {
    const int cx = floor_div(x, cell);
    const int cy = floor_div(y, cell);
    const double fx = smooth(static_cast<double>(x - cx * cell) / cell);
    const double fy = smooth(static_cast<double>(y - cy * cell) / cell);
    const double top = lerp(hashed(cx, cy, seed), hashed(cx + 1, cy, seed), fx);
    const double bottom = lerp(hashed(cx, cy + 1, seed), hashed(cx + 1, cy + 1, seed), fx);
    return lerp(top, bottom, fy);
}

} // namespace pictures
