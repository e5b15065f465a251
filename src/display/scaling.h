// Whole-number scaling: how large the game is shown on a desktop, and the pass that draws it so.
#pragma once

#include <SDL.h>

constexpr int UNSCALED = 0;    // SCREEN is the video surface itself, as without --scale
constexpr int AUTO_SCALE = -1; // the largest whole scale that fits the desktop
constexpr int MAX_SCALE = 8;

// The largest whole scale at which a 640 x 480 picture fits a desktop of the given size, in
// pixels: within 90 % of each side for a window, which leaves room for its frame and the
// desktop's panels, or the whole of it on the full screen. At least 1.
int fitting_scale(int desktopWidth, int desktopHeight, bool window);

// The video mode that shows the game at a scale (UNSCALED, AUTO_SCALE or 1 to MAX_SCALE) on a
// desktop of the given size, and where the picture stands in it. A scaled full screen keeps
// the desktop's own size, with the picture centred between black borders and made smaller
// when it would not fit; a window is as large as asked.
struct VideoMode {
    int width, height; // pixels
    bool window;
    int scale; // the picture's, 1 to MAX_SCALE
    int x, y;  // the picture's top-left corner, pixels
};
VideoMode video_mode_for(int scale, bool window, int desktopWidth, int desktopHeight);

// Draws picture scale times as large onto target with its top-left corner at (x, y): each
// pixel an N x N block. Both surfaces have 32 bits a pixel and the same format, and target has
// room for it. One pass over the output bytes.
void scale_picture(const SDL_Surface* picture, SDL_Surface* target, int scale, int x, int y);
