// Cuts the player's standing frame facing down out of his sheet and scales it by nearest
// neighbour: by the largest whole factor that fits, or down to fit where even 1:1 does not.
#include "icon.h"

#include "figures.h"

#include <algorithm>

namespace pictures {
namespace {

// The hero's sheet: walks up, right, down and left, five frames each, standing pose first.
constexpr int HERO_FRAMES = 20;
constexpr int FRAMES_PER_DIRECTION = 5;
constexpr int FACING_DOWN = 2;

} // namespace

Image make_icon(int size) {
    const Image sheet = make_hero_sheet();
    const int frame_width = sheet.width();
    const int frame_height = sheet.height() / HERO_FRAMES;
    const int frame_top = FACING_DOWN * FRAMES_PER_DIRECTION * frame_height;
    // Whole-pixel enlargement keeps the pixel art sharp; a frame taller than the icon shrinks
    // to its height, keeping its proportions, rounded to whole pixels.
    const int scale = std::min(size / frame_width, size / frame_height);
    const int figure_height = scale > 0 ? frame_height * scale : size;
    const int figure_width =
        scale > 0 ? frame_width * scale : (frame_width * size + frame_height / 2) / frame_height;
    const int left = (size - figure_width) / 2;
    const int top = (size - figure_height) / 2;

    Image icon(size, size, MAGENTA);
    for (int y = 0; y < figure_height; ++y) {
        for (int x = 0; x < figure_width; ++x) {
            // The source pixel under the centre of this one.
            const int source_x = (2 * x + 1) * frame_width / (2 * figure_width);
            const int source_y = (2 * y + 1) * frame_height / (2 * figure_height);
            icon.at(left + x, top + y) = sheet.at(source_x, frame_top + source_y);
        }
    }
    return icon;
}

} // namespace pictures
