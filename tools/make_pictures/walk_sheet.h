// Sheets of figures that walk in four directions: each frame is a body stamped over a leg pose.
#pragma once

#include "bmp_writer.h"
#include "pixel_art.h"

#include <vector>

namespace pictures {

// The figure seen from one side: head and body, and the legs standing and in both strides.
struct View {
    Art body;
    Art legs_standing;
    Art legs_stride;
    Art legs_other_stride;
};

enum class Legs { STANDING, STRIDE, OTHER_STRIDE };

struct Step {
    Legs legs;
    int bob; // rows the body sinks while the legs are apart
};

struct Walker {
    int frame_width;
    int frame_height;
    int body_top;
    int legs_top;
    View up;
    View right; // walking left is walking right seen in a mirror
    View down;
    std::vector<Step> walk; // standing pose first
    Palette palette;
};

// Frames of the walk up, then right, down and left, one below the other.
Image make_walk_sheet(const Walker& walker);

} // namespace pictures
