// The game: one world and the main loop that reads what the player asks for, moves the player,
// lets the world act and draws it, at most 20 frames a second.
#pragma once

#include "game/hearing.h"
#include "game/watching.h"
#include "input/gamepad.h"
#include "input/input.h"
#include "input/watch_command.h"
#include "sound/sound.h"
#include "world/world.h"

#include <SDL.h>

constexpr int FRAME_RATE = 20; // frames a second at most

struct Recording;
class Replay;
class ScreenSwitch;

// Whether the game is paused after a frame's input, from paused before it: a pause toggles.
bool pausedAfter(bool paused, const FrameInput& input);

// Milliseconds left of a frame of budgetMs that started at frameStartMs, at the clock reading
// nowMs: none once the budget is used. Right across the wrap of the 32-bit millisecond clock.
Uint32 frameWait(Uint32 budgetMs, Uint32 frameStartMs, Uint32 nowMs);

// Stops SDL from queueing mouse and joystick events, which the loop drops anyway: taken one a
// frame, they would fill SDL's small queue and crowd out Return and the window's close. Classic
// SDL discards every pending event when a type is ignored, so this belongs at start-up.
void ignore_streaming_input();

class Game {
public:
    // Builds the world and plays until the user quits; SDL is shut down when it returns.
    Game();

    // Builds the world without playing, so that a caller can run frames one at a time.
    struct Stepped {};
    explicit Game(Stepped);

    // One game a run: it holds the only world.
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Runs frames until the user quits, then ends the game.
    void play();
    // Runs frames until the user quits, leaving SDL up.
    void playUntilQuit();
    // Releases SCREEN and shuts SDL down: for a caller that runs the frames itself, once quit.
    void end();
    // One frame: what the player asks for, and unless paused the moves and the drawing.
    void playFrame();
    // Waits out what is left of the frame's budget, measured from frameStart.
    void waitForFrameEnd();
    // What the player asks for in this frame: one event, the keyboard and the pad; while
    // replaying, what the watcher asks of the replay goes to watchCommand.
    FrameInput readInput();

    // While replaying: the recording's frame number frame (1 to its last) is shown, exactly as
    // an uninterrupted replay shows it, played from the first frame again when it lies behind.
    void seekTo(std::uint32_t frame);
    // Where the replay stands, as "1:23 / 4:56 · 1×".
    std::string watchStatus() const;

    World world;
    int frameRate = FRAME_RATE; // frames per second at most
    int frameCounter = 0;       // frames so far, paused ones included
    Uint32 frameStart = 0;      // the clock at the frame's start, milliseconds
    Uint8* keys = nullptr;      // SDL's keyboard state, owned by SDL
    bool paused = false;
    bool quit = false;
    SDL_Event event = {}; // the buffer that SDL_PollEvent fills

    Gamepad pad;                     // the first joystick present at the start, if any
    Recording* recording = nullptr;  // when set, every frame's input is added to it
    Replay* replay = nullptr;        // when set, the frames' input comes from it
    bool quitAtEnd = true;           // a replay ends after its last frame, or holds there
    Watching watching;               // the watcher's pause, speed and place in the replay
    WatchCommand watchCommand;       // what the watcher asks in this frame
    ScreenSwitch* screens = nullptr; // when set, F11 and Alt+Enter switch the display
    Sound* sound = nullptr;          // when set, each frame's sounds play on it and M mutes it
    Heard heard;                     // what the last frame that acted did, as it sounds
    bool quiet = false;              // the frames a seek passes over, or not at 1×, are not heard

private:
    // Acts on the frame's input; returns whether it drew a picture to show.
    bool act(const FrameInput& input);
    // Plays heard, or silence for a quiet frame.
    void tellSound();
    // Stops whatever plays on, as a pause does.
    void hush();
    // One frame of a replay being watched: the watcher's command, then the frames its speed
    // asks for, then the picture shown with where the replay stands.
    void watchFrame(const FrameInput& live);
    bool obey(const WatchCommand& command);
    // Plays the replay's next frames; only the last of them that draws is drawn. Returns
    // whether one drew.
    bool advance(std::uint32_t frames);
    void rewind();
    void present(bool drew);

    Hearing hearing;
};
