// The program's entry: opens the display and shows it until Escape or the window's close.
#include "display/display.h"

#include <cstdio>
#include <stdexcept>

extern "C" int SDL_main(int argc, char* argv[]);

namespace {
constexpr Uint32 PROOF_FRAME_MS = 50;

void show_until_quit() {
    SDL_FillRect(SCREEN, nullptr, SDL_MapRGB(SCREEN->format, 40, 120, 60));
    update_screen();
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                return;
            }
        }
        if (SDL_GetKeyState(nullptr)[SDLK_ESCAPE]) {
            return;
        }
        SDL_Delay(PROOF_FRAME_MS);
    }
}
} // namespace

int SDL_main(int, char*[]) {
    int status = 0;
    try {
        screen_init();
        show_until_quit();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnel: %s\n", error.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}

#if !defined(main)
// Where SDL's start-up code does not own the process entry, hand it to SDL_main ourselves.
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
