// The desktop icons: the player standing, facing the viewer, centred on a square.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// The sizes of the hicolor icon theme that desktops ask for, in pixels a side.
constexpr int ICON_SIZES[] = {
    16,  // menus and panels
    32,  // menus at twice the density
    48,  // application lists
    64,  // ... at a larger size
    128, // software centres
    256, // ... on dense screens
};

// size x size; MAGENTA around the figure, which the PNG encoding makes transparent.
Image make_icon(int size);

} // namespace pictures
