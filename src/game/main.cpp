// The program's entry: opens the display, seeds the random generator and plays one game.
#include "display/display.h"
#include "game/game.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

extern "C" int SDL_main(int argc, char* argv[]);

// The command line is ignored. Exits 0 after the user quits; 1, with one line on stderr, when
// the display cannot be opened or the world cannot be built.
int SDL_main(int, char*[]) {
    try {
        screen_init();
        ignore_streaming_input();
        srand(static_cast<unsigned>(time(nullptr)));
        SDL_ShowCursor(SDL_DISABLE);
        Game game; // plays the whole game, and shuts SDL down at its end
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnel: %s\n", error.what());
        SDL_Quit(); // gives the desktop its video mode back
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

#if !defined(main)
// Where SDL's start-up code does not own the process entry, hand it to SDL_main ourselves.
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
