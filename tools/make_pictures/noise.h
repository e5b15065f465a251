// Deterministic randomness for the pictures: a fixed-seed generator and hashed value noise, so
// every build draws the same bytes.
#pragma once

#include <cstdint>

namespace pictures {

// xorshift32: tiny, fast and identical on every platform.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}

    std::uint32_t next();
    // Uniform in [low, high].
    int between(int low, int high);
    // Uniform in [0, 1).
    double unit();

private:
    std::uint32_t state_;
};

// A well-mixed hash of a lattice point, uniform in [0, 1).
double hashed(int x, int y, std::uint32_t seed);

// Smooth noise in [0, 1) whose features are about cell pixels wide.
double value_noise(int x, int y, int cell, std::uint32_t seed);

} // namespace pictures
