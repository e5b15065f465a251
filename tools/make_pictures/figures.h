// The sprite sheets: every frame of a figure stacked in one column, magenta outside the figure.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// 20 frames of 19 x 24: walks up, right, down and left, five frames each, standing pose first.
Image make_hero_sheet();

// 16 frames of 22 x 28: walks up, right, down and left, four frames each, standing pose first.
// The two soldiers share every shape and differ only in their armour colours.
Image make_blue_soldier_sheet();
Image make_green_soldier_sheet();

// 8 frames of 16 x 37: one slow glowing cycle, used for every direction.
Image make_armos_sheet();

} // namespace pictures
