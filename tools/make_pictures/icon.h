// The desktop icon: the player standing, facing the viewer, enlarged on a square.
#pragma once

#include "bmp_writer.h"

namespace pictures {

// 48 x 48; MAGENTA around the figure, which the PNG encoding makes transparent.
Image make_icon();

} // namespace pictures
