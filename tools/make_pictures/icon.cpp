// Cuts the player's standing frame facing down out of his sheet and enlarges it by whole pixels.
#include "icon.h"

#include "figures.h"

#include <algorithm>

namespace pictures {
namespace {

// The hero's sheet: walks up, right, down and left, five frames each, standing pose first.
constexpr int HERO_FRAMES = 20;
constexpr int FRAMES_PER_DIRECTION = 5;
constexpr int FACING_DOWN = 2;

// The size desktops show in menus without scaling.
constexpr int ICON_SIZE = 48;

} // namespace

Image make_icon() {
    const Image sheet = make_hero_sheet();
    const int frame_width = sheet.width();
    const int frame_height = sheet.height() / HERO_FRAMES;
    const int frame_top = FACING_DOWN * FRAMES_PER_DIRECTION * frame_height;
    // Whole-pixel enlargement keeps the pixel art sharp.
    const int scale = std::min(ICON_SIZE / frame_width, ICON_SIZE / frame_height);
    const int left = (ICON_SIZE - frame_width * scale) / 2;
    const int top = (ICON_SIZE - frame_height * scale) / 2;

    Image icon(ICON_SIZE, ICON_SIZE, MAGENTA);
    for (int y = 0; y < frame_height * scale; ++y) {
        for (int x = 0; x < frame_width * scale; ++x) {
            icon.at(left + x, top + y) = sheet.at(x / scale, frame_top + y / scale);
        }
    }
    return icon;
}

} // namespace pictures
