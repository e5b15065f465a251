// The display: video mode, caption, screen flip and picture loading.
#include "display/display.h"

#include "display/bmp_check.h"

#include <stdexcept>

SDL_Surface* SCREEN = nullptr;

namespace {
constexpr int BITS_PER_PIXEL = 32;
constexpr char CAPTION[] = "Tarnel v.3.2";
constexpr Uint8 KEY_RED = 255; // the transparent colour: magenta
constexpr Uint8 KEY_GREEN = 0;
constexpr Uint8 KEY_BLUE = 255;
} // namespace

void screen_init(bool window) {
    // Only the display is required: a machine without sound or joysticks still runs, and then
    // SDL_Init's result and SDL_GetError() speak of those, so judge by the video subsystem.
    SDL_Init(SDL_INIT_EVERYTHING);
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SCREEN = SDL_SetVideoMode(WIDTH, HEIGHT, BITS_PER_PIXEL, window ? 0 : SDL_FULLSCREEN);
    }
    if (SCREEN == nullptr) {
        throw std::runtime_error("cannot open the 640x480 32-bit display: " +
                                 std::string(SDL_GetError()));
    }
    SDL_WM_SetCaption(CAPTION, nullptr);
}

void update_screen() {
    SDL_Flip(SCREEN);
}

SDL_Surface* load_image(std::string file) {
    if (!bmp_header_is_sound(file)) {
        return nullptr;
    }
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromFile(file.c_str(), "rb"), 1);
    if (loaded == nullptr) {
        return nullptr;
    }
    // A loader may still hand back a picture without pixels (the classic one reads a height
    // of -2^31, rows top-down, as a negative height); it is refused as an unreadable file is.
    if (loaded->w <= 0 || loaded->h <= 0) {
        set_sdl_error("a picture of " + std::to_string(loaded->w) + "x" +
                      std::to_string(loaded->h) + " pixels cannot be drawn");
        SDL_FreeSurface(loaded);
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted != nullptr) {
        Uint32 key = SDL_MapRGB(converted->format, KEY_RED, KEY_GREEN, KEY_BLUE);
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL, key);
    }
    return converted;
}
