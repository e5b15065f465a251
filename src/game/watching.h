// The watcher's side of a replay: a pause of its own, a speed, and where the replay stands.
// Nothing of it is ever recorded.
#pragma once

#include "input/input.h"
#include "input/watch_command.h"
#include "world/rand_state.h"
#include "world/world.h"

#include <SDL.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The speeds, slowest first, in quarter frames of the recording a frame of the watch.
constexpr int SPEED_QUARTERS[] = {
    1,  // ¼×
    2,  // ½×
    4,  // 1×
    8,  // 2×
    16, // 4×
    32, // 8×
};
constexpr int SPEED_COUNT = sizeof SPEED_QUARTERS / sizeof SPEED_QUARTERS[0];
constexpr int NORMAL_SPEED = 2; // 1×

// A replay's place, kept on the way to be sought from: all that its next frames depend on but
// the recording.
struct KeptState {
    std::uint32_t given = 0; // frames of the recording played before it
    bool paused = false;     // the recording's own pause
    World::Moment world;
    RandState rand;
};

struct Watching {
    bool paused = false;      // by the watcher, not by the recording
    int speed = NORMAL_SPEED; // an index into SPEED_QUARTERS
    int quarters = 0;         // quarter frames owed at the speed, 0 to 3
    Uint32 lineUntil = 0;     // the clock reading until which a control's line shows, ms
    bool lineShown = false;   // whether the picture on the display has the line
    std::string status;       // what the caption and the line said last
    int lastPadDirection = NO_DIRECTION;
    SDLKey keyDown = SDLK_UNKNOWN; // the key last gone down and not yet up
    WatchCommand queued;           // from the page, taken in the next frame
    // From the first frame on, a state every STATE_FRAMES frames: made as the replay plays and
    // between frames, so that a seek plays at most that many frames.
    std::vector<KeptState> states;
    std::vector<std::uint32_t> lastDrawn; // by frame: the last frame up to it that draws, or 0

    // The memory the states and their table hold, in bytes.
    std::size_t keptBytes() const;
};

// Where a replay stands, as "1:23 / 4:56 · 2×": the frames given and all the frames at
// frameRate frames a second, and the speed.
std::string watch_status(std::uint32_t given, std::uint32_t frames, std::uint32_t frameRate,
                         int speed);
