// The program's entry: reads the command line, opens the display, seeds the random generator
// and plays one game, recorded or replayed when asked.
#include "display/display.h"
#include "display/screen_switch.h"
#include "game/game.h"
#include "language/catalogues.h"
#include "language/translation.h"
#include "program/hangup.h"
#include "program/options.h"
#include "program/recording_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

extern "C" int SDL_main(int argc, char* argv[]);

namespace {

// What to do about an error: for a background that is not there, where it was looked for and
// how to start among the pictures.
std::string hintFor(const std::exception& error) {
    if (dynamic_cast<const BackgroundNotFound*>(&error) == nullptr) {
        return "";
    }
    std::error_code unknown;
    return formatted(_(", looked for in %s; run the installed 'tarnel' launcher, or start from "
                       "the folder that holds the pictures"),
                     std::filesystem::current_path(unknown).c_str());
}

} // namespace

// Exits 0 after the user quits, after a replay's last frame, or after --help or --version; 1,
// with one line on stderr, when the display cannot be had, the world cannot be built, or a
// recording cannot be read or written; 2 for a command line that cannot be obeyed.
int SDL_main(int argc, char* argv[]) {
    speak_the_players_language();
    const Options options = parse_options(argc, argv);
    switch (options.action) {
    case Options::Action::HELP:
        std::fputs(_(USAGE), stdout);
        return EXIT_SUCCESS;
    case Options::Action::VERSION:
        std::fputs(VERSION, stdout);
        return EXIT_SUCCESS;
    case Options::Action::REFUSE:
        std::fprintf(stderr, "tarnel: %s\n%s\n", options.complaint.c_str(),
                     _("Try 'tarnel --help'."));
        return EXIT_USAGE;
    case Options::Action::PLAY:
        break;
    }
    // A recording is read, and its file made ready, before the display is touched.
    RecordingSession recording;
    if (const int status = recording.prepare(options); status != EXIT_SUCCESS) {
        return status;
    }
    // A second full-screen copy would wait unseen inside the first one's input grab.
    ScreenSwitch screens;
    if (!options.window && !screens.claimFullScreen()) {
        std::fprintf(stderr, "tarnel: %s\n",
                     _("another copy holds the full screen; 'tarnel --window' plays alongside it"));
        return EXIT_FAILURE;
    }
    try {
        ask_for_game_controllers();
        screen_init({options.window, options.scale});
        end_on_hangup();
        ignore_streaming_input();
        srand(recording.seed(options));
        SDL_ShowCursor(SDL_DISABLE);
        Game game{Game::Stepped{}};
        game.screens = &screens;
        Sound sound;
        sound.open();
        sound.setMuted(options.mute);
        game.sound = &sound;
        recording.attach(game, options);
        game.playUntilQuit();
        // Saved while SDL still turns signals into quits, so a second Ctrl+C cannot cut it short.
        recording.save();
        game.end();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnel: %s%s\n", error.what(), hintFor(error).c_str());
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
