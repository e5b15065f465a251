// Whole-number scaling: the scale and the mode chosen for a desktop, and a scaled picture equal
// to the game's own block for block.
#include "display/display.h"
#include "display/scaling.h"
#include "support/fixtures.h"

#include <cstdint>
#include <cstring>

using namespace fixtures;

namespace {

TEST(Scaling, AutoFitsEachDesktopAndTheFullScreenKeepsItsSize) {
    const struct {
        int desktopWidth, desktopHeight;
        int window;           // scale chosen for a window: 90 % of each side
        int fullScreen;       // and for the full screen: the whole of it
        int borderX, borderY; // the full screen's black borders at that scale, pixels
    } desktops[] = {
        {1024, 768, 1, 1, 192, 144},  // an old office monitor
        {1920, 1080, 2, 2, 320, 60},  // full HD
        {2560, 1440, 2, 3, 320, 0},   // QHD
        {3840, 2160, 4, 4, 640, 120}, // 4K
        {320, 240, 1, 1, 0, 0},       // smaller than the game: its own mode
    };
    for (const auto& d : desktops) {
        SCOPED_TRACE(std::to_string(d.desktopWidth) + "x" + std::to_string(d.desktopHeight));
        EXPECT_EQ(fitting_scale(d.desktopWidth, d.desktopHeight, true), d.window);
        EXPECT_EQ(fitting_scale(d.desktopWidth, d.desktopHeight, false), d.fullScreen);

        const VideoMode window = video_mode_for(AUTO_SCALE, true, d.desktopWidth, d.desktopHeight);
        EXPECT_EQ(window.width, WIDTH * d.window);
        EXPECT_EQ(window.height, HEIGHT * d.window);
        // The full screen is the desktop's own mode, unless the game is larger than it.
        const VideoMode full = video_mode_for(AUTO_SCALE, false, d.desktopWidth, d.desktopHeight);
        const bool fits = d.desktopWidth >= WIDTH && d.desktopHeight >= HEIGHT;
        EXPECT_EQ(full.width, fits ? d.desktopWidth : WIDTH);
        EXPECT_EQ(full.height, fits ? d.desktopHeight : HEIGHT);
        EXPECT_EQ(full.scale, d.fullScreen);
        EXPECT_EQ(full.x, d.borderX);
        EXPECT_EQ(full.y, d.borderY);
    }
    // A scale asked for is kept in a window, even one larger than the desktop; on the full
    // screen it shrinks to what fits. Unscaled, the game's own mode.
    EXPECT_EQ(video_mode_for(8, true, 1920, 1080).width, 5120);
    EXPECT_EQ(video_mode_for(8, false, 1920, 1080).scale, 2);
    const VideoMode unscaled = video_mode_for(UNSCALED, false, 3840, 2160);
    EXPECT_EQ(unscaled.width, WIDTH);
    EXPECT_EQ(unscaled.scale, 1);
}

// Every pixel of SCREEN its own colour, so that a block out of place shows.
void paintEveryPixelApart() {
    SDL_LockSurface(SCREEN);
    for (int y = 0; y < HEIGHT; ++y) {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(SCREEN->pixels) + y * SCREEN->pitch);
        for (int x = 0; x < WIDTH; ++x) {
            row[x] = SDL_MapRGB(SCREEN->format, x & 0xFF, y & 0xFF, (x >> 8) | (y >> 8) << 4);
        }
    }
    SDL_UnlockSurface(SCREEN);
}

// How many pixels of the video surface differ from SCREEN's pixel that their block enlarges.
int blocksAmiss(int scale) {
    SDL_Surface* video = SDL_GetVideoSurface();
    EXPECT_EQ(video->w, WIDTH * scale);
    EXPECT_EQ(video->h, HEIGHT * scale);
    int amiss = 0;
    SDL_LockSurface(video);
    for (int y = 0; y < video->h; ++y) {
        const auto* shown =
            reinterpret_cast<const Uint32*>(static_cast<Uint8*>(video->pixels) + y * video->pitch);
        const auto* drawn = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(SCREEN->pixels) +
                                                            y / scale * SCREEN->pitch);
        for (int x = 0; x < video->w; ++x) {
            amiss += shown[x] != drawn[x / scale];
        }
    }
    SDL_UnlockSurface(video);
    return amiss;
}

TEST(Scaling, AScaledFrameIsTheGamesOwnBlockForBlock) {
    for (int scale = 1; scale <= 4; ++scale) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        ASSERT_NO_THROW(screen_init({true, scale}));
        ASSERT_NE(SCREEN, SDL_GetVideoSurface());
        EXPECT_EQ(SCREEN->w, WIDTH);
        EXPECT_EQ(SCREEN->h, HEIGHT);
        EXPECT_EQ(SCREEN->format->BitsPerPixel, 32);
        paintEveryPixelApart();
        update_screen();
        EXPECT_EQ(blocksAmiss(scale), 0);
        // A line over the picture is the display's alone: SCREEN keeps the game's picture.
        update_screen_with_line("1:23 / 4:56 · 2×");
        EXPECT_GT(blocksAmiss(scale), 0);
        update_screen();
        EXPECT_EQ(blocksAmiss(scale), 0);
        // To the full screen and back: the scale and the picture are kept, with nothing drawn.
        screen_switch();
        EXPECT_FALSE(screen_is_window());
        screen_switch();
        EXPECT_TRUE(screen_is_window());
        EXPECT_EQ(blocksAmiss(scale), 0);
        SDL_FreeSurface(SCREEN);
        SCREEN = nullptr;
        SDL_Quit();
    }
}

TEST(Scaling, ALineOverAnUnscaledPictureLeavesSCREENAsItWas) {
    ASSERT_NO_THROW(screen_init({true}));
    ASSERT_EQ(SCREEN, SDL_GetVideoSurface());
    paintEveryPixelApart();
    const std::string before = screenBytes();
    update_screen_with_line("1:23 / 4:56 · 2×");
    EXPECT_TRUE(screenBytes() == before);
    SDL_Quit();
    SCREEN = nullptr;
}

} // namespace
