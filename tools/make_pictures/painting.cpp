// Shading of the round things on the ground: leaves, bushes, stones and their shadows.
#include "painting.h"

namespace pictures {

namespace {
constexpr double CENTRE = 0.5;
} // namespace

Rgb scaled(Rgb colour, double factor) {
    constexpr long MAX_CHANNEL = 255;
    const auto channel = [&](std::uint8_t value) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(value * factor), 0L, MAX_CHANNEL));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

double dither(int x, int y, std::uint32_t seed, double strength) {
    return (hashed(x, y, seed) - CENTRE) * strength;
}

void paint_blob(Image& image, Point centre, double rx, double ry, const Shades& shades, int texture,
                std::uint32_t seed) {
    constexpr double BASE_LIGHT = 0.5;
    constexpr double LIGHT_SLOPE = 0.35;
    constexpr double TEXTURE_STRENGTH = 0.45;
    constexpr double DITHER = 0.2;
    const double outline_from = 1.0 - 1.0 / std::min(rx, ry);
    for (auto y = static_cast<int>(centre.y - ry) - 1; y <= static_cast<int>(centre.y + ry) + 1;
         ++y) {
        for (auto x = static_cast<int>(centre.x - rx) - 1; x <= static_cast<int>(centre.x + rx) + 1;
             ++x) {
            const double nx = (x + CENTRE - centre.x) / rx;
            const double ny = (y + CENTRE - centre.y) / ry;
            const double distance = length(nx, ny);
            if (!image.contains(x, y) || distance > 1.0) {
                continue;
            }
            if (distance > outline_from) {
                image.at(x, y) = shades.outline;
                continue;
            }
            const double light = BASE_LIGHT - LIGHT_SLOPE * (nx + ny) +
                                 (value_noise(x, y, texture, seed) - CENTRE) * TEXTURE_STRENGTH +
                                 dither(x, y, seed + 1, DITHER);
            image.at(x, y) = pick(shades.ramp, light);
        }
    }
}

void shade_ellipse(Image& image, Point centre, double rx, double ry, double factor) {
    for (auto y = static_cast<int>(centre.y - ry); y <= static_cast<int>(centre.y + ry); ++y) {
        for (auto x = static_cast<int>(centre.x - rx); x <= static_cast<int>(centre.x + rx); ++x) {
            const double nx = (x + CENTRE - centre.x) / rx;
            const double ny = (y + CENTRE - centre.y) / ry;
            if (image.contains(x, y) && nx * nx + ny * ny <= 1.0) {
                image.at(x, y) = scaled(image.at(x, y), factor);
            }
        }
    }
}

} // namespace pictures
