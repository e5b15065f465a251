// Cuts the player's standing frame facing down out of his sheet and scales it by nearest
// neighbour: by the largest whole factor that fits, or down to fit where even 1:1 does not.
#include "icon.h"

#include "figures.h"

#include <algorithm>
#include <cmath>

namespace pictures {
namespace {

// The hero's sheet: walks up, right, down and left, five frames each, standing pose first.
constexpr int HERO_FRAMES = 20;
constexpr int FRAMES_PER_DIRECTION = 5;
constexpr int FACING_DOWN = 2;

// One of the path's sands in the background, behind the figure of a filled icon.
constexpr Rgb PATH_SAND{190, 152, 100};
// The share of a filled icon's side that the circle a launcher always shows spans.
constexpr double SAFE_DIAMETER = 0.8;

// The hero's standing frame facing down, within his sheet; sizes in pixels.
struct StandingFrame {
    Image sheet = make_hero_sheet();
    int width = sheet.width();
    int height = sheet.height() / HERO_FRAMES;
    int top = FACING_DOWN * FRAMES_PER_DIRECTION * height;
};

// Draws the frame figure_width x figure_height at the centre of icon.
void draw_figure(Image& icon, const StandingFrame& frame, int figure_width, int figure_height) {
    const int left = (icon.width() - figure_width) / 2;
    const int top = (icon.height() - figure_height) / 2;
    for (int y = 0; y < figure_height; ++y) {
        for (int x = 0; x < figure_width; ++x) {
            // The source pixel under the centre of this one.
            const int source_x = (2 * x + 1) * frame.width / (2 * figure_width);
            const int source_y = (2 * y + 1) * frame.height / (2 * figure_height);
            const Rgb& pixel = frame.sheet.at(source_x, frame.top + source_y);
            if (pixel != MAGENTA) {
                icon.at(left + x, top + y) = pixel;
            }
        }
    }
}

} // namespace

Image make_icon(int size) {
    const StandingFrame frame;
    // Whole-pixel enlargement keeps the pixel art sharp; a frame taller than the icon shrinks
    // to its height, keeping its proportions, rounded to whole pixels.
    const int scale = std::min(size / frame.width, size / frame.height);
    Image icon(size, size, MAGENTA);
    if (scale > 0) {
        draw_figure(icon, frame, frame.width * scale, frame.height * scale);
    } else {
        draw_figure(icon, frame, (frame.width * size + frame.height / 2) / frame.height, size);
    }
    return icon;
}

Image make_filled_icon(int size) {
    const StandingFrame frame;
    // The frame's diagonal within the circle, at a whole scale: its corners stay shown too.
    const double diagonal = std::hypot(frame.width, frame.height);
    const int scale = std::max(1, static_cast<int>(SAFE_DIAMETER * size / diagonal));
    Image icon(size, size, PATH_SAND);
    draw_figure(icon, frame, frame.width * scale, frame.height * scale);
    return icon;
}

} // namespace pictures
