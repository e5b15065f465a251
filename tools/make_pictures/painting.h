// Drawing helpers for the background: dithered tone ramps and shaded, outlined round shapes.
#pragma once

#include "bmp_writer.h"
#include "noise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pictures {

struct Point {
    double x;
    double y;
};

struct Round {
    Point centre;
    double radius;
};

// sqrt is exactly rounded everywhere, unlike hypot, which keeps the pictures' bytes stable.
inline double length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

Rgb scaled(Rgb colour, double factor);

// One of a ramp of tones for a level in [0, 1); noise added to the level dithers the borders.
template <std::size_t N> Rgb pick(const Rgb (&ramp)[N], double level) {
    const auto last = static_cast<long>(N) - 1;
    const long index = std::clamp(static_cast<long>(level * static_cast<double>(N)), 0L, last);
    return ramp[index];
}

// Per-pixel noise centred on zero, strength wide.
double dither(int x, int y, std::uint32_t seed, double strength);

constexpr std::size_t SHADE_STEPS = 4;

struct Shades {
    Rgb outline;
    Rgb ramp[SHADE_STEPS]; // dark to bright
};

// A filled ellipse lit from the upper left with a one-pixel outline; its surface is broken up
// by noise whose features are texture pixels wide.
void paint_blob(Image& image, Point centre, double rx, double ry, const Shades& shades, int texture,
                std::uint32_t seed);

// Multiplies the colours inside an ellipse by factor: shadows on the ground.
void shade_ellipse(Image& image, Point centre, double rx, double ry, double factor);

} // namespace pictures
