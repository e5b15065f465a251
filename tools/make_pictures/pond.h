// The pond east of the starting point: water, a sandy shore, ripples, lilies and reeds.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// Below 1 in the water, rising outwards through the shore and beyond.
double pond_level(int x, int y);

void paint_pond(Image& image);

} // namespace pictures
