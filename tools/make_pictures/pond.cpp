// Water deepens towards the middle in dithered steps; the shore is a wet rim and then sand.
#include "pond.h"
#include "noise.h"
#include "painting.h"

namespace pictures {
namespace {

constexpr Point POND_CENTRE{1050, 400};
constexpr double POND_RX = 112;
constexpr double POND_RY = 56;
constexpr double WOBBLE = 0.3;
constexpr int WOBBLE_CELL = 22;
constexpr std::uint32_t SEED = 37;
constexpr double SHORE_END = 1.25;

constexpr Rgb WATER[] = {{44, 92, 176}, {54, 112, 192}, {70, 134, 206}, {96, 160, 220}};
constexpr Rgb WATER_SPARKLE{200, 232, 248};
constexpr Rgb WET_SAND{140, 120, 84};
constexpr Rgb SAND[] = {{184, 164, 118}, {200, 182, 134}, {214, 198, 150}};

constexpr Round RIPPLES[] = {
    {{1010, 386}, 14}, {{1096, 412}, 10}, {{1040, 426}, 7}, {{982, 404}, 6}, {{1120, 384}, 5}};

bool on_ripple(int x, int y) {
    constexpr double SQUASH = 2.2; // rings seen at a slant look flat
    constexpr double THICKNESS = 0.8;
    for (const Round& ripple : RIPPLES) {
        const double dx = x - ripple.centre.x;
        const double dy = (y - ripple.centre.y) * SQUASH;
        const bool far_half = dy < 0; // the near half of a ring is lost in the glare
        if (far_half && std::abs(length(dx, dy) - ripple.radius) < THICKNESS) {
            return true;
        }
    }
    return false;
}

void paint_water_and_shore(Image& image) {
    constexpr int LEFT = static_cast<int>(POND_CENTRE.x - POND_RX * SHORE_END) - 1;
    constexpr int RIGHT = static_cast<int>(POND_CENTRE.x + POND_RX * SHORE_END) + 1;
    constexpr int TOP = static_cast<int>(POND_CENTRE.y - POND_RY * SHORE_END) - 1;
    constexpr int BOTTOM = static_cast<int>(POND_CENTRE.y + POND_RY * SHORE_END) + 1;
    constexpr double WET_BAND = 1.06;
    constexpr double SHALLOW = 0.75;
    constexpr double WATER_DITHER = 0.25;
    constexpr double SAND_DITHER = 0.5;
    constexpr int SAND_CELL = 5;
    constexpr double SPARKLE_CHANCE = 0.004;
    for (int y = TOP; y <= BOTTOM; ++y) {
        for (int x = LEFT; x <= RIGHT; ++x) {
            const double level = pond_level(x, y);
            if (level >= SHORE_END) {
                continue;
            }
            Rgb& pixel = image.at(x, y);
            if (level < 1.0) {
                pixel = pick(WATER, level / SHALLOW + dither(x, y, SEED + 1, WATER_DITHER));
                if (on_ripple(x, y) || hashed(x, y, SEED + 2) < SPARKLE_CHANCE) {
                    pixel = WATER_SPARKLE;
                }
            } else if (level < WET_BAND) {
                pixel = WET_SAND;
            } else {
                pixel = pick(SAND, value_noise(x, y, SAND_CELL, SEED + 3) +
                                       dither(x, y, SEED + 4, SAND_DITHER));
            }
        }
    }
}

constexpr Rgb LILY_PAD{72, 150, 62};
constexpr Rgb LILY_LIGHT{120, 190, 84};
constexpr Rgb LILY_RIM{28, 70, 40};
constexpr Rgb LILY_PETAL{250, 196, 220};
constexpr Rgb LILY_HEART{252, 184, 40};

struct Lily {
    Round leaf;
    bool flowering;
};

constexpr Lily LILIES[] = {{{{980, 380}, 7}, true},   {{{1000, 422}, 5}, false},
                           {{{1116, 420}, 6}, false}, {{{1128, 398}, 6}, true},
                           {{{1064, 366}, 5}, false}, {{{1070, 436}, 7}, false}};

// Round leaves with a notch cut towards the right, as water lilies have.
void paint_lilies(Image& image) {
    constexpr double NOTCH_SLOPE = 0.45;
    constexpr double RIM = 1.0;
    for (const Lily& lily : LILIES) {
        const double radius = lily.leaf.radius;
        const auto reach = static_cast<int>(radius) + 1;
        const auto cx = static_cast<int>(lily.leaf.centre.x);
        const auto cy = static_cast<int>(lily.leaf.centre.y);
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                const double distance = length(dx, dy);
                const bool notch = dx > 0 && std::abs(dy) < dx * NOTCH_SLOPE;
                if (distance > radius || notch) {
                    continue;
                }
                const bool lit = dx + dy < 0;
                image.at(cx + dx, cy + dy) =
                    distance > radius - RIM ? LILY_RIM : (lit ? LILY_LIGHT : LILY_PAD);
            }
        }
        if (lily.flowering) {
            image.at(cx - 1, cy) = LILY_PETAL;
            image.at(cx, cy - 1) = LILY_PETAL;
            image.at(cx, cy) = LILY_HEART;
        }
    }
}

constexpr Rgb REED{44, 104, 44};
constexpr Rgb REED_DARK{28, 70, 34};
constexpr Rgb CATTAIL{112, 70, 40};

void paint_reeds(Image& image) {
    constexpr Point CLUMPS[] = {{948, 392}, {956, 418}, {1130, 356}, {1150, 372}, {1016, 350}};
    constexpr int STEMS = 9;
    constexpr int SPREAD = 6;
    constexpr int MIN_HEIGHT = 6;
    constexpr int MAX_HEIGHT = 12;
    constexpr int CATTAIL_LENGTH = 3;
    constexpr int CATTAIL_ONE_IN = 2;
    constexpr std::uint32_t REED_SEED = 41;
    Random random(REED_SEED);
    for (const Point& clump : CLUMPS) {
        for (int stem = 0; stem < STEMS; ++stem) {
            const int x = static_cast<int>(clump.x) + random.between(-SPREAD, SPREAD);
            const int foot = static_cast<int>(clump.y) + random.between(-SPREAD / 2, SPREAD / 2);
            const int height = random.between(MIN_HEIGHT, MAX_HEIGHT);
            const bool cattail = random.between(1, CATTAIL_ONE_IN) == 1;
            for (int up = 0; up < height; ++up) {
                image.at(x, foot - up) = up == 0 ? REED_DARK : REED;
                image.at(x + 1, foot - up) = REED_DARK;
            }
            for (int up = 0; cattail && up < CATTAIL_LENGTH; ++up) {
                image.at(x, foot - height - up) = CATTAIL;
            }
        }
    }
}

} // namespace

double pond_level(int x, int y) {
    constexpr double CENTRE = 0.5;
    const double dx = (x - POND_CENTRE.x) / POND_RX;
    const double dy = (y - POND_CENTRE.y) / POND_RY;
    return dx * dx + dy * dy + (value_noise(x, y, WOBBLE_CELL, SEED) - CENTRE) * WOBBLE;
}

void paint_pond(Image& image) {
    paint_water_and_shore(image);
    paint_lilies(image);
    paint_reeds(image);
}

} // namespace pictures
