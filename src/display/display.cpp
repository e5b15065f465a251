// The display: video mode, caption, screen flip and picture loading.
#include "display/display.h"

#include "display/bmp_check.h"
#include "display/scaling.h"
#include "display/text_band.h"
#include "language/translation.h"

#include <stdexcept>

SDL_Surface* SCREEN = nullptr;

namespace {
constexpr int BITS_PER_PIXEL = 32;
constexpr char CAPTION[] = "Tarnel v.3.2";
constexpr char CAPTION_SEPARATOR[] = " · ";
constexpr int LINE_PIXEL = 2;  // screen pixels a block of the status line's font spans, unscaled
constexpr Uint8 KEY_RED = 255; // the transparent colour: magenta
constexpr Uint8 KEY_GREEN = 0;
constexpr Uint8 KEY_BLUE = 255;

// What is on the display: the video surface and where SCREEN's picture stands on it.
struct Shown {
    SDL_Surface* video = nullptr;
    int scale = UNSCALED; // as asked for: kept when the window and the full screen change
    VideoMode mode = {};
    int desktopWidth = 0; // pixels, read before the first mode can change it
    int desktopHeight = 0;
};
Shown shown;

std::runtime_error cannotOpen() {
    return std::runtime_error(
        formatted(_("cannot open the 640x480 32-bit display: %s"), SDL_GetError()));
}

// Sets the video mode for the scale asked for; null, with SDL's error, when it cannot be had.
SDL_Surface* setMode(bool window) {
    shown.mode = video_mode_for(shown.scale, window, shown.desktopWidth, shown.desktopHeight);
    shown.video = SDL_SetVideoMode(shown.mode.width, shown.mode.height, BITS_PER_PIXEL,
                                   window ? 0 : SDL_FULLSCREEN);
    if (shown.video != nullptr && SCREEN != shown.video) {
        SDL_FillRect(shown.video, nullptr, 0); // the borders, black for good
    }
    return shown.video;
}

// A 640 x 480 surface in the video surface's format, for the game to draw on out of sight.
SDL_Surface* offscreenLike(const SDL_Surface* video) {
    const SDL_PixelFormat* format = video->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH, HEIGHT, BITS_PER_PIXEL, format->Rmask,
                                format->Gmask, format->Bmask, format->Amask);
}

// Draws SCREEN enlarged onto the video surface.
void update_screen_scaled() {
    if (SDL_MUSTLOCK(shown.video)) {
        SDL_LockSurface(shown.video);
    }
    scale_picture(SCREEN, shown.video, shown.mode.scale, shown.mode.x, shown.mode.y);
    if (SDL_MUSTLOCK(shown.video)) {
        SDL_UnlockSurface(shown.video);
    }
}

} // namespace

void screen_init(const ScreenSetup& setup) {
    // Only the display is required: a machine without joysticks still runs, and then SDL_Init's
    // result and SDL_GetError() speak of those, so judge by the video subsystem. The sound opens
    // its own device, quietly.
    SDL_Init(SDL_INIT_EVERYTHING & ~SDL_INIT_AUDIO);
    shown = Shown{};
    shown.scale = setup.scale;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
        shown.desktopWidth = desktop->current_w;
        shown.desktopHeight = desktop->current_h;
        setMode(setup.window);
    }
    if (shown.video == nullptr) {
        throw cannotOpen();
    }
    SCREEN = shown.scale == UNSCALED ? shown.video : offscreenLike(shown.video);
    if (SCREEN == nullptr) {
        throw cannotOpen();
    }
    SDL_WM_SetCaption(CAPTION, nullptr);
}

bool screen_is_window() {
    return shown.mode.window;
}

void screen_switch() {
    // The picture moves to a surface of its own, since the mode's surface goes with the mode.
    if (SCREEN == shown.video) {
        SDL_Surface* picture = offscreenLike(shown.video);
        if (picture == nullptr) {
            throw cannotOpen();
        }
        SDL_BlitSurface(shown.video, nullptr, picture, nullptr);
        SCREEN = picture;
    }
    const bool window = shown.mode.window;
    if (setMode(!window) == nullptr && setMode(window) == nullptr) {
        throw cannotOpen();
    }
    update_screen(); // a paused game draws nothing more: show its picture now
}

void update_screen() {
    if (SCREEN != shown.video) {
        update_screen_scaled();
    }
    SDL_Flip(shown.video);
}

void update_screen_with_line(const std::string& text) {
    if (SCREEN != shown.video) {
        update_screen_scaled();
        const int scale = shown.mode.scale;
        draw_text_band(shown.video, shown.mode.x, shown.mode.y + HEIGHT * scale, WIDTH * scale,
                       LINE_PIXEL * scale, text);
        SDL_Flip(shown.video);
        return;
    }
    // SCREEN is shown as it is: the band's rows are kept aside and put back after the flip.
    const int band = text_band_height(LINE_PIXEL);
    SDL_Rect rows = {0, static_cast<Sint16>(HEIGHT - band), WIDTH, static_cast<Uint16>(band)};
    SDL_Surface* kept =
        SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH, band, BITS_PER_PIXEL, SCREEN->format->Rmask,
                             SCREEN->format->Gmask, SCREEN->format->Bmask, SCREEN->format->Amask);
    if (kept != nullptr) {
        SDL_BlitSurface(SCREEN, &rows, kept, nullptr);
        draw_text_band(SCREEN, 0, HEIGHT, WIDTH, LINE_PIXEL, text);
    }
    SDL_Flip(SCREEN);
    if (kept != nullptr) {
        SDL_BlitSurface(kept, nullptr, SCREEN, &rows);
        SDL_FreeSurface(kept);
    }
}

void set_caption_status(const std::string& status) {
    const std::string caption = status.empty() ? CAPTION : CAPTION + (CAPTION_SEPARATOR + status);
    SDL_WM_SetCaption(caption.c_str(), nullptr);
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
        set_sdl_error(
            formatted(_("a picture of %dx%d pixels cannot be drawn"), loaded->w, loaded->h));
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
