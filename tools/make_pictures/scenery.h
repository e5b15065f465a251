// What stands on the meadow: trees, the hedge round the world's edge, and the small things
// scattered over open grass (tufts, flowers, stones).
#pragma once

#include "bmp_writer.h"

#include <functional>

namespace pictures {

// Whether small things may be scattered at a pixel (grass, away from paths and water).
using OpenGround = std::function<bool(int x, int y)>;

// Near a tree's trunk, where nothing else should grow.
bool under_tree(int x, int y);

void paint_trees(Image& image);
void paint_hedge(Image& image);

void scatter_tufts(Image& image, const OpenGround& open);
void scatter_flowers(Image& image, const OpenGround& open);
void scatter_stones(Image& image, const OpenGround& open);

} // namespace pictures
