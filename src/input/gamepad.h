// A gamepad read as state once a frame: its hat, D-pad buttons and first stick walk the player
// as the arrow keys do, and its Start button pauses as Return does.
#pragma once

#include <SDL.h>

// Which buttons a runtime gives the D-pad and Start, or -1 where it names none.
struct PadLayout {
    int up, right, down, left; // the D-pad's buttons
    int start;
};
// A joystick as it comes: only its hat and sticks mean anything known.
constexpr PadLayout PLAIN_JOYSTICK = {-1, -1, -1, -1, -1};
// A pad that SDL 2 maps as a game controller, as sdl12-compat numbers its buttons.
constexpr PadLayout GAME_CONTROLLER = {11, 14, 12, 13, 6};

// A pad's state in one frame.
struct PadState {
    Uint8 hat = SDL_HAT_CENTERED; // the first hat's SDL_HAT_* bits
    Sint16 x = 0;                 // the first stick: -32768 (left) to 32767 (right)
    Sint16 y = 0;                 // and -32768 (up) to 32767 (down)
    bool up = false, right = false, down = false, left = false; // the D-pad's buttons
    bool start = false;
};

// The direction a pad's state walks, in the arrow keys' order Up, Right, Down, Left: from its
// hat, its D-pad or its stick pushed past a third of its travel; NO_DIRECTION when none.
int padDirection(const PadState& state);

// Asks sdl12-compat to map a known pad as a game controller, which gives it a D-pad and Start,
// unless the user chose otherwise. Called before SDL starts; classic SDL 1.2 ignores it.
void ask_for_game_controllers();

// The layout the runtime in use gives a pad: a game controller's under sdl12-compat asked for
// one, else a plain joystick's.
PadLayout runtime_pad_layout();

class Gamepad {
public:
    // Opens the first joystick present, if any; with none, or one that fails, reads nothing.
    void open(const PadLayout& layout);
    // Closes it again, before SDL shuts down.
    void close();
    bool isOpen() const { return joystick_ != nullptr; }

    struct Reading {
        int direction; // as padDirection
        bool start;    // Start went down since the last reading: once a press
    };
    // Asks SDL for the pad's state (its events are ignored, so nothing else updates it).
    Reading read();

private:
    PadState state() const;

    SDL_Joystick* joystick_ = nullptr;
    PadLayout layout_ = PLAIN_JOYSTICK;
    bool startWasDown_ = false;
};
