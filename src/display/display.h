// The display: the full-screen video surface every blit targets, and pictures loaded for it.
#pragma once

#include <SDL.h>
#include <string>

constexpr int WIDTH = 640;  // screen width, pixels
constexpr int HEIGHT = 480; // screen height, pixels

// The display surface: null until screen_init, released (with SDL) at the end of the game loop.
extern SDL_Surface* SCREEN;

// Starts SDL and opens the 640 x 480, 32 bits per pixel full-screen mode with the caption, or a
// window of that size that leaves the desktop's mode and input alone. Throws std::runtime_error
// naming SDL's reason when the display cannot be opened; SCREEN then stays null. Sound, CD-ROM or
// joystick subsystems that fail to start are not needed.
void screen_init(bool window = false);

// Shows what has been drawn on SCREEN.
void update_screen();

// Loads a BMP file into a surface in the display's format, with magenta (255, 0, 255)
// transparent. Returns null, with SDL's error set, when the file cannot be read or converted,
// has compressed rows, or its header claims more pixels than the file holds or none at all.
// The caller owns the surface.
SDL_Surface* load_image(std::string file);

// Whether a picture's file can be opened for reading at all, as opposed to opened and found
// damaged; when not, sets SDL's error to the system's reason.
bool picture_file_opens(const std::string& file);
