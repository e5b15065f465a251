// What whoever watches a replay asks of it in one frame: pause, a step, a seek or another speed.
// Never recorded: it steers the watching, not the game.
#pragma once

#include <SDL.h>

struct WatchCommand {
    // The page calls these by number, so their values stay as they are.
    enum Kind : int {
        NONE = 0,
        PAUSE = 1,       // Space, Return or Start: the watcher's pause toggles
        RIGHT = 2,       // paused: one frame forward; playing: five seconds forward
        LEFT = 3,        // paused: one frame back; playing: five seconds back
        FASTER = 4,      // the next speed up
        SLOWER = 5,      // and down
        FIRST = 6,       // Home: the first frame
        LAST = 7,        // End: the last frame
        TENTHS = 8,      // a digit: value tenths of the way through
        SEEK = 9,        // the page's timeline: frame number value, from 1
        FORWARD_5S = 10, // five seconds forward, paused or not
        BACK_5S = 11,    // and back
    };
    Kind kind = NONE;
    int value = 0;
};

// The command a key going down gives; NONE for any other event.
WatchCommand watchCommandOf(const SDL_Event& event);
// The same, of a key that key repeat may give again while it is held: keyDown is the key last
// gone down and not yet up, kept up to date here. Only the steps and skips repeat.
WatchCommand watchCommandOf(const SDL_Event& event, SDLKey& keyDown);

// The command a pad gives this frame: Start pressed, or its D-pad (or hat, or stick) newly
// pushed, from lastDirection to direction, as the arrow keys would.
WatchCommand watchCommandOfPad(int direction, int lastDirection, bool start);
