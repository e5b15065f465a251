// The browser's entry: the desktop's start-up, then the browser calls one frame every 50 ms
// instead of a blocking loop, which a page cannot run.
#include "display/display.h"
#include "game/game.h"
#include "game/options.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <emscripten.h>
#include <memory>
#include <stdexcept>

namespace {

constexpr int EXIT_USAGE = 2; // a command line (here: the page's address) that cannot be obeyed

// The Gamepad API's standard mapping, which browsers give every pad they know.
constexpr PadLayout STANDARD_GAMEPAD = {
    12, // up: the D-pad's top button
    15, // right
    13, // down
    14, // left
    9,  // Start
};

// The one game; it lives on after main returns, while the browser runs its frames.
std::unique_ptr<Game> game;

// One frame; once the user quits, the page is told through the runtime's exit status. A
// browser shows a pad to the page only once it is used there, so while none is open one is
// looked for each frame.
void frame() {
    if (!game->pad.isOpen()) {
        game->pad.open(STANDARD_GAMEPAD);
    }
    game->playFrame();
    if (game->quit) {
        emscripten_cancel_main_loop();
        game->end();
        emscripten_force_exit(EXIT_SUCCESS);
    }
}

} // namespace

// The page passes ?seed=N as --seed N. Messages go to stderr, which the page shows.
int main(int argc, char* argv[]) {
    const Options options = parse_options(argc, argv);
    if (options.action == Options::Action::REFUSE) {
        std::fprintf(stderr, "tarnel: %s\n", options.complaint.c_str());
        return EXIT_USAGE;
    }
    try {
        screen_init({true}); // the page's canvas; a browser has no full screen to take
        ignore_streaming_input();
        srand(options.seed ? *options.seed : static_cast<unsigned>(time(nullptr)));
        game = std::make_unique<Game>(Game::Stepped{});
        game->pad.close(); // opened with a desktop runtime's layout: the frames open it anew
    } catch (const std::exception& error) {
        // The pictures are packed into the page when it is built: a missing one was left out.
        const bool leftOut = dynamic_cast<const BackgroundNotFound*>(&error) != nullptr;
        std::fprintf(stderr, "tarnel: %s%s\n", error.what(),
                     leftOut ? "; the page was built without it" : "");
        SDL_Quit();
        return EXIT_FAILURE;
    }
    // The browser keeps the pace (frameRate a second), so waitForFrameEnd is not called.
    emscripten_set_main_loop(frame, game->frameRate, 1);
    return EXIT_SUCCESS; // not reached: the main loop holds on to the runtime
}
