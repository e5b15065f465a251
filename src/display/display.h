// The display: the 640 x 480 surface every blit targets, the video mode that shows it, and
// pictures loaded for it.
#pragma once

#include <SDL.h>
#include <string>

constexpr int WIDTH = 640;  // screen width, pixels
constexpr int HEIGHT = 480; // screen height, pixels

// The display surface: null until screen_init, released (with SDL) at the end of the game loop.
// Unscaled, it is the video surface itself; scaled, a 640 x 480 surface in the video surface's
// format that each update_screen draws enlarged onto it.
extern SDL_Surface* SCREEN;

// How the game is shown: on the full screen or in a window, and at which scale (UNSCALED,
// AUTO_SCALE or 1 to MAX_SCALE, from display/scaling.h).
struct ScreenSetup {
    bool window = false;
    int scale = 0;
};

// Starts SDL and opens the video mode: unscaled, the 640 x 480, 32 bits per pixel full-screen
// mode with the caption, or a window of that size that leaves the desktop's mode and input
// alone; scaled, a window N times as large, or the full screen at the desktop's own size.
// Throws std::runtime_error naming SDL's reason when the display cannot be opened; SCREEN then
// stays null. Sound, CD-ROM or joystick subsystems that fail to start are not needed.
void screen_init(const ScreenSetup& setup = {});

// Whether the game is shown in a window rather than on the full screen.
bool screen_is_window();

// Goes from the window to the full screen or back, keeping the scale and what SCREEN shows.
// Throws std::runtime_error when neither the new mode nor the old one can be had again.
void screen_switch();

// Shows what has been drawn on SCREEN.
void update_screen();

// Shows what has been drawn on SCREEN with text in a band across its foot, for what the game
// reports while it is watched; SCREEN itself keeps the game's picture.
void update_screen_with_line(const std::string& text);

// The caption "Tarnel v.3.2", followed by status when status is not empty.
void set_caption_status(const std::string& status);

// Loads a BMP file into a surface in the display's format, with magenta (255, 0, 255)
// transparent. Returns null, with SDL's error set, when the file cannot be read or converted,
// has compressed rows, or its header claims more pixels than the file holds or none at all.
// The caller owns the surface.
SDL_Surface* load_image(std::string file);

// Whether a picture's file can be opened for reading at all, as opposed to opened and found
// damaged; when not, sets SDL's error to the system's reason.
bool picture_file_opens(const std::string& file);
