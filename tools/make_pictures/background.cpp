// Paints the meadow layer by layer: grass, paths, the pond, small things on open grass, trees,
// then the hedge and a shade along the world's edge.
#include "background.h"
#include "noise.h"
#include "painting.h"
#include "pond.h"
#include "scenery.h"

#include <vector>

namespace pictures {
namespace {

constexpr int WORLD_WIDTH = 1328;
constexpr int WORLD_HEIGHT = 832;
constexpr double CENTRE = 0.5;

constexpr Rgb GRASS[] = {
    {52, 110, 46}, {66, 130, 52}, {80, 148, 58}, {98, 166, 66}, {118, 182, 76},
};

// Broad light and dark patches, smaller clumps and a fine grain, so scrolling always shows.
void paint_grass(Image& image) {
    constexpr int BROAD_CELL = 96;
    constexpr int PATCH_CELL = 24;
    constexpr int FINE_CELL = 4;
    constexpr double BROAD_WEIGHT = 0.5;
    constexpr double PATCH_WEIGHT = 0.3;
    constexpr double FINE_WEIGHT = 0.2;
    constexpr double DITHER = 0.35;
    constexpr std::uint32_t SEED = 11;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double tone = BROAD_WEIGHT * value_noise(x, y, BROAD_CELL, SEED) +
                                PATCH_WEIGHT * value_noise(x, y, PATCH_CELL, SEED + 1) +
                                FINE_WEIGHT * value_noise(x, y, FINE_CELL, SEED + 2) +
                                dither(x, y, SEED + 3, DITHER);
            image.at(x, y) = pick(GRASS, tone);
        }
    }
}

struct Path {
    double half_width;
    const std::vector<Point>& through;
};

// West to east past the start, bending south of the pond.
const std::vector<Point> ROAD = {{-20, 470},  {140, 452},  {300, 430}, {470, 452},
                                 {640, 446},  {790, 440},  {880, 478}, {980, 530},
                                 {1140, 526}, {1260, 470}, {1348, 462}};
const std::vector<Point> WEST_LANE = {{300, -20}, {318, 190}, {296, 330}, {300, 430},
                                      {272, 600}, {318, 760}, {330, 852}};
const std::vector<Point> NORTH_LANE = {{800, -20}, {770, 140}, {812, 300}, {790, 440}};
const std::vector<Point> POND_TRACK = {{980, 530}, {1010, 470}, {1030, 440}};

const Path PATHS[] = {{14, ROAD}, {11, WEST_LANE}, {10, NORTH_LANE}, {8, POND_TRACK}};

// The smooth curve through b and c that also heads towards a before and d after.
Point catmull_rom(const Point& a, const Point& b, const Point& c, const Point& d, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const auto blend = [&](double p0, double p1, double p2, double p3) {
        return CENTRE * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                         (3 * p1 - p0 - 3 * p2 + p3) * t3);
    };
    return {blend(a.x, b.x, c.x, d.x), blend(a.y, b.y, c.y, d.y)};
}

// For every pixel, how far inside the nearest path it lies, in pixels; negative off the paths.
std::vector<double> trace_paths(const Image& image) {
    constexpr double FAR_AWAY = -1000.0;
    constexpr int SAMPLES_PER_SPAN = 120;
    constexpr int REACH_MARGIN = 2;
    const int width = image.width();
    std::vector<double> inside(static_cast<std::size_t>(width * image.height()), FAR_AWAY);
    for (const Path& path : PATHS) {
        const auto& points = path.through;
        const auto last = static_cast<long>(points.size()) - 1;
        const auto point = [&](long i) { return points[std::clamp(i, 0L, last)]; };
        const auto reach = static_cast<int>(path.half_width) + REACH_MARGIN;
        for (long span = 0; span < last; ++span) {
            for (int sample = 0; sample < SAMPLES_PER_SPAN; ++sample) {
                const Point centre =
                    catmull_rom(point(span - 1), point(span), point(span + 1), point(span + 2),
                                static_cast<double>(sample) / SAMPLES_PER_SPAN);
                const auto cx = static_cast<int>(std::lround(centre.x));
                const auto cy = static_cast<int>(std::lround(centre.y));
                for (int y = cy - reach; y <= cy + reach; ++y) {
                    for (int x = cx - reach; x <= cx + reach; ++x) {
                        if (!image.contains(x, y)) {
                            continue;
                        }
                        const double depth =
                            path.half_width - length(x + CENTRE - centre.x, y + CENTRE - centre.y);
                        double& here = inside[static_cast<std::size_t>(y * width + x)];
                        here = std::max(here, depth);
                    }
                }
            }
        }
    }
    return inside;
}

constexpr Rgb DIRT[] = {{150, 112, 70}, {172, 132, 84}, {190, 152, 100}, {206, 172, 120}};
constexpr Rgb DIRT_EDGE{118, 88, 56};
constexpr Rgb PEBBLE{226, 210, 176};

void paint_paths(Image& image, const std::vector<double>& inside) {
    constexpr int RAGGED_CELL = 6;
    constexpr double RAGGEDNESS = 3.0;
    constexpr double EDGE_WIDTH = 1.5;
    constexpr int DIRT_CELL = 10;
    constexpr double DITHER = 0.45;
    constexpr double PEBBLE_CHANCE = 0.012;
    constexpr std::uint32_t SEED = 23;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double depth = inside[static_cast<std::size_t>(y * image.width() + x)] +
                                 (value_noise(x, y, RAGGED_CELL, SEED) - CENTRE) * RAGGEDNESS;
            if (depth < 0) {
                continue;
            }
            if (depth < EDGE_WIDTH) {
                image.at(x, y) = DIRT_EDGE;
            } else if (hashed(x, y, SEED + 1) < PEBBLE_CHANCE) {
                image.at(x, y) = PEBBLE;
            } else {
                const double tone =
                    value_noise(x, y, DIRT_CELL, SEED + 2) + dither(x, y, SEED + 3, DITHER);
                image.at(x, y) = pick(DIRT, tone);
            }
        }
    }
}

// The world fades darker towards its edge, where the view stops scrolling.
void darken_edges(Image& image) {
    constexpr double BAND = 64;
    constexpr double DEPTH = 0.45;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double nearest = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
            if (nearest < BAND) {
                const double closeness = 1.0 - nearest / BAND;
                image.at(x, y) = scaled(image.at(x, y), 1.0 - DEPTH * closeness * closeness);
            }
        }
    }
}

} // namespace

Image make_background() {
    constexpr int EDGE_MARGIN = 26;    // the hedge covers this much
    constexpr double PATH_MARGIN = -4; // pixels of grass kept clear beside a path
    constexpr double POND_MARGIN = 1.5;
    Image image(WORLD_WIDTH, WORLD_HEIGHT, GRASS[0]);
    paint_grass(image);
    const std::vector<double> path_inside = trace_paths(image);
    paint_paths(image, path_inside);
    paint_pond(image);
    const OpenGround open = [&](int x, int y) {
        const bool inland = x >= EDGE_MARGIN && y >= EDGE_MARGIN && x < WORLD_WIDTH - EDGE_MARGIN &&
                            y < WORLD_HEIGHT - EDGE_MARGIN;
        return inland && path_inside[static_cast<std::size_t>(y * WORLD_WIDTH + x)] < PATH_MARGIN &&
               pond_level(x, y) > POND_MARGIN && !under_tree(x, y);
    };
    scatter_tufts(image, open);
    scatter_flowers(image, open);
    scatter_stones(image, open);
    paint_trees(image);
    paint_hedge(image);
    darken_edges(image);
    return image;
}

} // namespace pictures
