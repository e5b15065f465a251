// The desktop icons: the player standing, facing the viewer, centred on a square.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// The sizes of the hicolor icon theme that desktops ask for, in pixels a side.
constexpr int ICON_SIZES[] = {
    16, 32, 48, 64, 128, 256,
};

// size x size; MAGENTA around the figure, which the PNG encoding makes transparent.
Image make_icon(int size);

} // namespace pictures
