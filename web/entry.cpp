// The browser's entry: the desktop's start-up, recording and replay, then the browser calls one
// frame every 50 ms instead of a blocking loop, which a page cannot run; the page's replay
// controls call in between.
#include "display/display.h"
#include "game/game.h"
#include "language/catalogues.h"
#include "language/translation.h"
#include "program/options.h"
#include "program/recording_session.h"
#include "recording/recording.h"

#include <cstdio>
#include <cstdlib>
#include <emscripten.h>
#include <libintl.h>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// The file mode mask a desktop session starts with. The browser's C library starts with 0777,
// under which the recording would be made unreadable, also to the page that offers it.
constexpr mode_t DESKTOP_UMASK = 022;

// Where the page puts the program's catalogue in its reader's language (web/page/catalogue.js).
constexpr char CATALOGUES[] = "/locale";

// The Gamepad API's standard mapping, which browsers give every pad they know.
constexpr PadLayout STANDARD_GAMEPAD = {
    12, // up: the D-pad's top button
    15, // right
    13, // down
    14, // left
    9,  // Start
};

// The one game and what it records or replays; they live on after main returns, while the
// browser runs the frames.
RecordingSession recording;
std::unique_ptr<Game> game;
// Opened at the page's first key, tap or click: a browser starts no sound before one.
Sound sound;

// Ends the game as the desktop's main does: the recording given its name, then SDL shut down.
// The page learns how it went from the exit status, and reads the recording from the files.
void finish() {
    emscripten_cancel_main_loop();
    int status = EXIT_SUCCESS;
    try {
        recording.save();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnel: %s\n", error.what());
        status = EXIT_FAILURE;
    }
    game->end();
    emscripten_force_exit(status);
}

// One frame. A browser shows a pad to the page only once it is used there, so while none is
// open one is looked for each frame.
void frame() {
    if (!game->pad.isOpen()) {
        game->pad.open(STANDARD_GAMEPAD);
    }
    game->playFrame();
    if (game->quit) {
        finish();
    }
}

// What tarnel_watch_state reports, by the number the page asks with.
enum class WatchField : int {
    POSITION = 0,   // frames shown, 1 to the length
    LENGTH = 1,     // the recording's frames
    FRAME_RATE = 2, // its frames a second
    SPEED = 3,      // an index into SPEED_QUARTERS, 0 (¼×) to 5 (8×)
    PAUSED = 4,     // 1 while the watcher has paused it
    REPLAYING = 5,  // 1 while a recording plays
};

} // namespace

// The page's replay controls: a watcher's command (WatchCommand::Kind's number) for the next
// frame, as a key would give it; ignored unless a recording plays.
extern "C" EMSCRIPTEN_KEEPALIVE void tarnel_watch(int command, int value) {
    if (game && game->replay && command > WatchCommand::NONE && command <= WatchCommand::BACK_5S) {
        game->watching.queued = {static_cast<WatchCommand::Kind>(command), value};
    }
}

// Where the replay stands, for the page's controls: the field's value, 0 unless a recording
// plays.
extern "C" EMSCRIPTEN_KEEPALIVE int tarnel_watch_state(int field) {
    if (!game || !game->replay) {
        return 0;
    }
    const Replay& replay = *game->replay;
    switch (static_cast<WatchField>(field)) {
    case WatchField::POSITION:
        return static_cast<int>(replay.given());
    case WatchField::LENGTH:
        return static_cast<int>(replay.frames());
    case WatchField::FRAME_RATE:
        return static_cast<int>(replay.recording().frameRate);
    case WatchField::SPEED:
        return game->watching.speed;
    case WatchField::PAUSED:
        return game->watching.paused ? 1 : 0;
    case WatchField::REPLAYING:
        return 1;
    default:
        return 0;
    }
}

// The page's first key, tap or click: the sound opens, muted or not as the page last was.
extern "C" EMSCRIPTEN_KEEPALIVE void tarnel_sound_start() {
    if (!sound.isOpen()) {
        sound.open();
    }
}

// The page's Mute control, and what it shows after M: 1 muted, 0 not.
extern "C" EMSCRIPTEN_KEEPALIVE void tarnel_set_muted(int muted) {
    sound.setMuted(muted != 0);
}
extern "C" EMSCRIPTEN_KEEPALIVE int tarnel_muted() {
    return sound.muted() ? 1 : 0;
}

// The page passes ?seed=N as --seed N and names the file it records into or replays from.
// Messages go to stderr, which the page shows.
int main(int argc, char* argv[]) {
    speak_the_players_language();
    bindtextdomain("tarnel", CATALOGUES);
    const Options options = parse_options(argc, argv);
    if (options.action == Options::Action::REFUSE) {
        std::fprintf(stderr, "tarnel: %s\n", options.complaint.c_str());
        return EXIT_USAGE;
    }
    umask(DESKTOP_UMASK);
    if (const int status = recording.prepare(options); status != EXIT_SUCCESS) {
        return status;
    }
    try {
        screen_init({true}); // the page's canvas; the page itself offers the full screen
        ignore_streaming_input();
        srand(recording.seed(options));
        game = std::make_unique<Game>(Game::Stepped{});
        game->pad.close(); // opened with a desktop runtime's layout: the frames open it anew
        game->sound = &sound;
        recording.attach(*game, options);
    } catch (const std::exception& error) {
        // The pictures are packed into the page when it is built: a missing one was left out.
        const bool leftOut = dynamic_cast<const BackgroundNotFound*>(&error) != nullptr;
        std::fprintf(stderr, "tarnel: %s%s\n", error.what(),
                     leftOut ? _("; the page was built without it") : "");
        SDL_Quit();
        return EXIT_FAILURE;
    }
    // The browser keeps the pace (frameRate a second), so waitForFrameEnd is not called.
    emscripten_set_main_loop(frame, game->frameRate, 1);
    return EXIT_SUCCESS; // not reached: the main loop holds on to the runtime
}
