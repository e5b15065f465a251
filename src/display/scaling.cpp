// Whole-number scaling of the game's 640 x 480 picture onto a larger video surface.
#include "display/scaling.h"

#include "display/display.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int WINDOW_SHARE_PERCENT = 90; // of each desktop side that a window may take

// Writes one row of picture, each pixel count times, from to; count known when compiled, so
// that the usual scales become straight stores.
template <int COUNT> void widenRow(const std::uint32_t* from, std::uint32_t* to, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t pixel = from[x];
        for (int k = 0; k < COUNT; ++k) {
            *to++ = pixel;
        }
    }
}

// The same for doubling, four pixels at a time: one wide store of eight pixels instead of four
// narrow ones. It takes half the instructions of the loop above; at 3 and 4 it takes more.
void doubleRow(const std::uint32_t* from, std::uint32_t* to, int width) {
    constexpr int GROUP = 4; // pixels
    int x = 0;
    for (; x + GROUP <= width; x += GROUP) {
        const std::uint32_t doubled[] = {from[x],     from[x],     from[x + 1], from[x + 1],
                                         from[x + 2], from[x + 2], from[x + 3], from[x + 3]};
        std::memcpy(to + 2 * x, doubled, sizeof doubled);
    }
    widenRow<2>(from + x, to + 2 * x, width - x);
}

void widenRow(const std::uint32_t* from, std::uint32_t* to, int width, int count) {
    switch (count) {
    case 1:
        return widenRow<1>(from, to, width);
    case 2:
        return doubleRow(from, to, width);
    case 3:
        return widenRow<3>(from, to, width);
    case 4:
        return widenRow<4>(from, to, width);
    default:
        for (int x = 0; x < width; ++x) {
            std::fill_n(to + x * count, count, from[x]);
        }
    }
}

} // namespace

int fitting_scale(int desktopWidth, int desktopHeight, bool window) {
    const int share = window ? WINDOW_SHARE_PERCENT : 100;
    const int across = desktopWidth * share / (100 * WIDTH);
    const int down = desktopHeight * share / (100 * HEIGHT);
    return std::clamp(std::min(across, down), 1, MAX_SCALE);
}

VideoMode video_mode_for(int scale, bool window, int desktopWidth, int desktopHeight) {
    if (scale == UNSCALED) {
        return {WIDTH, HEIGHT, window, 1, 0, 0};
    }
    if (scale == AUTO_SCALE) {
        scale = fitting_scale(desktopWidth, desktopHeight, window);
    }
    if (window) {
        return {WIDTH * scale, HEIGHT * scale, true, scale, 0, 0};
    }
    // A desktop smaller than the game can only show it in the game's own mode.
    if (desktopWidth < WIDTH || desktopHeight < HEIGHT) {
        return {WIDTH, HEIGHT, false, 1, 0, 0};
    }
    scale = std::min(scale, fitting_scale(desktopWidth, desktopHeight, false));
    return {desktopWidth,
            desktopHeight,
            false,
            scale,
            (desktopWidth - WIDTH * scale) / 2,
            (desktopHeight - HEIGHT * scale) / 2};
}

void scale_picture(const SDL_Surface* picture, SDL_Surface* target, int scale, int x, int y) {
    const int rowBytes = picture->w * scale * static_cast<int>(sizeof(std::uint32_t));
    auto* out = static_cast<std::uint8_t*>(target->pixels) + y * target->pitch +
                x * static_cast<int>(sizeof(std::uint32_t));
    const auto* in = static_cast<const std::uint8_t*>(picture->pixels);
    for (int row = 0; row < picture->h; ++row) {
        widenRow(reinterpret_cast<const std::uint32_t*>(in), reinterpret_cast<std::uint32_t*>(out),
                 picture->w, scale);
        // The row's other copies are copies of the first.
        for (int k = 1; k < scale; ++k) {
            std::memcpy(out + k * target->pitch, out, rowBytes);
        }
        in += picture->pitch;
        out += scale * target->pitch;
    }
}
