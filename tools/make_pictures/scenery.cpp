// Trees and bushes are clusters of shaded blobs; small things are placed by fixed-seed dice.
#include "scenery.h"
#include "noise.h"
#include "painting.h"

#include <vector>

namespace pictures {
namespace {

constexpr Shades LEAVES = {{22, 52, 28},
                           {{34, 84, 40}, {46, 112, 48}, {70, 142, 58}, {112, 178, 78}}};
constexpr Shades HEDGE = {{16, 40, 22}, {{26, 66, 32}, {36, 88, 40}, {52, 112, 48}, {84, 144, 62}}};
constexpr Shades STONE = {{54, 54, 60},
                          {{98, 98, 104}, {128, 126, 128}, {158, 156, 152}, {196, 194, 186}}};
constexpr Rgb TRUNK{108, 70, 40};
constexpr Rgb TRUNK_SHADE{72, 46, 28};

// Rows along the north and south edges, and a few in the gaps between the rows of figures.
constexpr Round TREES[] = {
    {{70, 50}, 34},   {{180, 36}, 30},   {{430, 48}, 32},   {{560, 34}, 28},   {{690, 52}, 34},
    {{940, 42}, 31},  {{1070, 54}, 33},  {{1190, 38}, 29},  {{1290, 56}, 32},  {{150, 222}, 30},
    {{560, 230}, 32}, {{1230, 222}, 30}, {{446, 386}, 24},  {{120, 626}, 32},  {{520, 620}, 30},
    {{890, 630}, 31}, {{1200, 622}, 30}, {{60, 792}, 32},   {{200, 806}, 30},  {{460, 796}, 33},
    {{600, 810}, 28}, {{760, 794}, 31},  {{1010, 804}, 34}, {{1150, 792}, 29}, {{1280, 800}, 32},
};

// Lumps of foliage around a canopy's centre, as fractions of its radius, back ones first.
constexpr Point LUMPS[] = {{-0.4, -0.7}, {0.4, -0.66}, {0.0, -0.35}, {-0.5, -0.1},
                           {0.5, -0.06}, {-0.2, 0.2},  {0.28, 0.22}};

void paint_tree(Image& image, const Round& tree, std::uint32_t seed) {
    constexpr double LUMP_SIZE = 0.58;
    constexpr int LEAF_CELL = 3;
    constexpr double SHADOW_SHIFT_X = 0.3;
    constexpr double SHADOW_SHIFT_Y = 0.6;
    constexpr double SHADOW_RX = 1.05;
    constexpr double SHADOW_RY = 0.75;
    constexpr double SHADOW = 0.6;
    constexpr double TRUNK_HALF_WIDTH = 0.14;
    constexpr double TRUNK_BOTTOM = 1.05;
    const Point c = tree.centre;
    const double r = tree.radius;
    shade_ellipse(image, {c.x + SHADOW_SHIFT_X * r, c.y + SHADOW_SHIFT_Y * r}, SHADOW_RX * r,
                  SHADOW_RY * r, SHADOW);
    const auto trunk_half = static_cast<int>(TRUNK_HALF_WIDTH * r);
    for (auto y = static_cast<int>(c.y); y < static_cast<int>(c.y + TRUNK_BOTTOM * r); ++y) {
        for (int dx = -trunk_half; dx <= trunk_half; ++dx) {
            const int x = static_cast<int>(c.x) + dx;
            if (image.contains(x, y)) {
                const bool edge = dx == -trunk_half || dx == trunk_half;
                image.at(x, y) = edge ? TRUNK_SHADE : TRUNK;
            }
        }
    }
    for (const Point& lump : LUMPS) {
        paint_blob(image, {c.x + lump.x * r, c.y + lump.y * r}, LUMP_SIZE * r, LUMP_SIZE * r,
                   LEAVES, LEAF_CELL, ++seed);
    }
}

struct Spot {
    int x;
    int y;
};

Spot random_spot(Random& random, const Image& image) {
    return {random.between(0, image.width() - 1), random.between(0, image.height() - 1)};
}

constexpr Rgb TUFT_DARK{40, 92, 40};
constexpr Rgb TUFT_LIGHT{138, 196, 88};

constexpr Rgb PETALS[] = {
    {248, 248, 236}, {252, 220, 72}, {232, 76, 64}, {244, 150, 190}, {140, 140, 244},
};
constexpr int PALE_PETALS = 2; // white and yellow, the commonest
constexpr Rgb FLOWER_HEART{252, 184, 40};
constexpr Rgb FLOWER_SHADOW{36, 76, 34};

} // namespace

bool under_tree(int x, int y) {
    constexpr double MARGIN = 1.2;
    return std::any_of(std::begin(TREES), std::end(TREES), [&](const Round& tree) {
        return length(x - tree.centre.x, y - tree.centre.y) < MARGIN * tree.radius;
    });
}

void paint_trees(Image& image) {
    constexpr std::uint32_t SEED = 131;
    std::uint32_t seed = SEED;
    for (const Round& tree : TREES) {
        paint_tree(image, tree, seed);
        seed += static_cast<std::uint32_t>(std::size(LUMPS));
    }
}

void paint_hedge(Image& image) {
    constexpr int SPACING = 22;
    constexpr double RADIUS = 15;
    constexpr double INSET = 4;
    constexpr int JITTER = 4;
    constexpr int TEXTURE = 3;
    constexpr std::uint32_t SEED = 53;
    Random random(SEED);
    const auto jitter = [&] { return static_cast<double>(random.between(-JITTER, JITTER)); };
    const double width = image.width();
    const double height = image.height();
    std::vector<Point> bushes;
    for (int x = 0; x <= image.width(); x += SPACING) {
        bushes.push_back({static_cast<double>(x), INSET + jitter()});
        bushes.push_back({static_cast<double>(x), height - INSET + jitter()});
    }
    for (int y = SPACING; y < image.height(); y += SPACING) {
        bushes.push_back({INSET + jitter(), static_cast<double>(y)});
        bushes.push_back({width - INSET + jitter(), static_cast<double>(y)});
    }
    // Lower bushes are nearer the viewer, so they are drawn last, over the ones behind.
    std::stable_sort(bushes.begin(), bushes.end(),
                     [](const Point& a, const Point& b) { return a.y < b.y; });
    std::uint32_t seed = SEED;
    for (const Point& bush : bushes) {
        const double radius = RADIUS + jitter();
        paint_blob(image, bush, radius, radius, HEDGE, TEXTURE, ++seed);
    }
}

void scatter_tufts(Image& image, const OpenGround& open) {
    constexpr int COUNT = 5200;
    // Three blades in a fan, their light tips on top.
    constexpr int BLADES[][2] = {{-2, -2}, {-1, -1}, {0, -2}, {0, -1}, {0, 0}, {1, -1}, {2, -2}};
    constexpr int TIPS[][2] = {{-2, -3}, {0, -3}, {2, -3}};
    constexpr std::uint32_t SEED = 71;
    Random random(SEED);
    for (int i = 0; i < COUNT; ++i) {
        const Spot spot = random_spot(random, image);
        if (!open(spot.x, spot.y)) {
            continue;
        }
        for (const auto& blade : BLADES) {
            image.at(spot.x + blade[0], spot.y + blade[1]) = TUFT_DARK;
        }
        for (const auto& tip : TIPS) {
            image.at(spot.x + tip[0], spot.y + tip[1]) = TUFT_LIGHT;
        }
    }
}

void scatter_flowers(Image& image, const OpenGround& open) {
    constexpr int PATCHES = 110;
    constexpr int MIN_FLOWERS = 6;
    constexpr int MAX_FLOWERS = 18;
    constexpr int PATCH_RADIUS = 24;
    constexpr int BIG_ONE_IN = 4;
    constexpr int LONE_FLOWERS = 1400;
    constexpr int SMALL_PETALS[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    constexpr int BIG_PETALS[][2] = {{-1, 0}, {1, 0}, {0, -1},  {0, 1},  {-2, 0}, {2, 0},
                                     {0, -2}, {0, 2}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    constexpr int SHADOW[][2] = {{1, 2}, {2, 1}, {0, 2}};
    constexpr std::uint32_t SEED = 89;
    Random random(SEED);
    const auto plant = [&](int x, int y, Rgb petals, bool big) {
        if (!open(x, y)) {
            return;
        }
        const int shadow_shift = big ? 1 : 0;
        for (const auto& offset : SHADOW) {
            image.at(x + offset[0] + shadow_shift, y + offset[1] + shadow_shift) = FLOWER_SHADOW;
        }
        if (big) {
            for (const auto& offset : BIG_PETALS) {
                image.at(x + offset[0], y + offset[1]) = petals;
            }
        } else {
            for (const auto& offset : SMALL_PETALS) {
                image.at(x + offset[0], y + offset[1]) = petals;
            }
        }
        image.at(x, y) = FLOWER_HEART;
    };
    for (int patch = 0; patch < PATCHES; ++patch) {
        const Spot centre = random_spot(random, image);
        const Rgb petals = PETALS[random.between(0, static_cast<int>(std::size(PETALS)) - 1)];
        const int flowers = random.between(MIN_FLOWERS, MAX_FLOWERS);
        for (int i = 0; i < flowers; ++i) {
            plant(centre.x + random.between(-PATCH_RADIUS, PATCH_RADIUS),
                  centre.y + random.between(-PATCH_RADIUS, PATCH_RADIUS), petals,
                  random.between(1, BIG_ONE_IN) == 1);
        }
    }
    for (int i = 0; i < LONE_FLOWERS; ++i) {
        const Spot spot = random_spot(random, image);
        if (open(spot.x, spot.y)) {
            image.at(spot.x, spot.y) = PETALS[random.between(0, PALE_PETALS - 1)];
        }
    }
}

void scatter_stones(Image& image, const OpenGround& open) {
    constexpr Round BOULDERS[] = {{{700, 632}, 11},  {{986, 214}, 9}, {{210, 342}, 8},
                                  {{1160, 690}, 10}, {{620, 160}, 7}, {{90, 380}, 9}};
    constexpr int PEBBLES = 160;
    constexpr int MIN_RADIUS = 2;
    constexpr int MAX_RADIUS = 5;
    constexpr double FLATNESS = 0.7; // stones lie low, seen from above
    constexpr double SHADOW = 0.65;
    constexpr int TEXTURE = 2;
    constexpr std::uint32_t SEED = 97;
    Random random(SEED);
    std::uint32_t seed = SEED;
    const auto place = [&](Point at, double radius) {
        shade_ellipse(image, {at.x + radius * FLATNESS, at.y + radius * FLATNESS}, radius,
                      radius * FLATNESS, SHADOW);
        paint_blob(image, at, radius, radius * FLATNESS, STONE, TEXTURE, ++seed);
    };
    for (const Round& boulder : BOULDERS) {
        place(boulder.centre, boulder.radius);
    }
    for (int i = 0; i < PEBBLES; ++i) {
        const Spot spot = random_spot(random, image);
        const int radius = random.between(MIN_RADIUS, MAX_RADIUS);
        if (open(spot.x, spot.y)) {
            place({static_cast<double>(spot.x), static_cast<double>(spot.y)}, radius);
        }
    }
}

} // namespace pictures
