// The world's ground: a 1328 x 832 meadow with paths, a pond, flowers, stones and trees.
#pragma once

#include "bmp_writer.h"

namespace pictures {

Image make_background();

} // namespace pictures
