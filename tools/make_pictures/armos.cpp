// The statue's sheet: one stone figure whose eyes and chest rune pulse through eight frames.
#include "figures.h"
#include "pixel_art.h"

#include <cstdlib>

namespace pictures {
namespace {

constexpr int FRAME_WIDTH = 16;
constexpr int FRAME_HEIGHT = 37;
constexpr int FRAME_COUNT = 8;

// 'E' marks the eyes; the digits mark the rune, lit in turn from '0' upwards.
const Art STATUE = art(R"(
    ................
    .......lt.......
    ......lTTt......
    .l...lTTTTt...t.
    .ll.lTTTTTTt.tt.
    ..lllTTTTTTttt..
    ...lTTTTTTTTt...
    ...lddddddddt...
    ...ldEEddEEdt...
    ...lTTTddTTTt...
    ...lTTTddTTTt...
    ....lTTTTTTt....
    .....dddddd.....
    ..lllTTTTTTttt..
    .llTTTlTTtTTTtt.
    .lTTTdT77TdTTTt.
    .lTTdl6666tdTTt.
    .lTTd5T55T5dTTt.
    .lTTdlT44TtdTTt.
    .lTTdlT33TtdTTt.
    .lTTdlT22TtdTTt.
    .lTTdlT11TtdTTt.
    .lTTdl0000tdTTt.
    .lTTddddddddTTt.
    .lTTdlTTTTtdTTt.
    .llTdlTTTTtdTtt.
    .lTTddTTTTddTTt.
    .ttt.dTTTTd.ttt.
    ...dlTTTTTTtd...
    ...lTTT..TTTt...
    ...lTTT..TTTt...
    ...lTTT..TTTt...
    ...dddd..dddd...
    ..llTTT..TTTtt..
    .lllTTT..TTTttt.
    .dddddd..dddddd.
    ................
)");

const Palette STONE = {
    {OUTLINE, {30, 28, 34}}, // outline
    {'T', {150, 146, 136}},  // stone
    {'t', {106, 102, 98}},   // stone in shade
    {'l', {196, 192, 178}},  // stone in light
    {'d', {70, 66, 66}},     // cracks and hollows
};

constexpr Rgb EYE_DIM{150, 40, 24};
constexpr Rgb EYE_BRIGHT{255, 228, 110};
constexpr Rgb RUNE_DIM{34, 62, 70};
constexpr Rgb RUNE_BRIGHT{130, 255, 232};
constexpr char FIRST_RUNE_MARK = '0';
constexpr int RUNE_MARKS = 8;

// Brightness over a cycle of FRAME_COUNT: dark at phase 0, full at the half-cycle.
int brightness(int phase) {
    const int half = FRAME_COUNT / 2;
    return half - std::abs(phase % FRAME_COUNT - half);
}

Rgb glow(Rgb dim, Rgb bright, int phase) {
    const int level = brightness(phase);
    const int full = FRAME_COUNT / 2;
    const auto mix = [&](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(from + (to - from) * level / full);
    };
    return {mix(dim.r, bright.r), mix(dim.g, bright.g), mix(dim.b, bright.b)};
}

} // namespace

Image make_armos_sheet() {
    const Art frame = outlined(STATUE);
    Image sheet(FRAME_WIDTH, FRAME_HEIGHT * FRAME_COUNT, MAGENTA);
    for (int k = 0; k < FRAME_COUNT; ++k) {
        Palette palette = STONE;
        palette['E'] = glow(EYE_DIM, EYE_BRIGHT, k);
        // The rune's light climbs from its foot to its top while the eyes pulse.
        for (int mark = 0; mark < RUNE_MARKS; ++mark) {
            palette[static_cast<char>(FIRST_RUNE_MARK + mark)] =
                glow(RUNE_DIM, RUNE_BRIGHT, k - mark + FRAME_COUNT);
        }
        paint(sheet, frame, palette, k * FRAME_HEIGHT);
    }
    return sheet;
}

} // namespace pictures
