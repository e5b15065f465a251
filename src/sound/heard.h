// What one frame did that can be heard: the game fills it in, the sound plays it.
#pragma once

struct Heard {
    enum Cue {
        NO_CUE,
        PAUSED,  // the game has just paused
        RESUMED, // and has just resumed
    };
    bool step = false;    // a foot of the hero came down
    bool onGrass = false; // ... on grass rather than on the path
    bool bump = false;    // the hero has just been stopped, by a sprite or the world's edge
    Cue cue = NO_CUE;
    int walkersLeft = 0;  // the crowd walking on the screen's left half
    int walkersRight = 0; // and on its right half
    bool hushed = false;  // nothing plays on: the game is paused, or the frame is passed over

    bool operator==(const Heard& other) const {
        return step == other.step && onGrass == other.onGrass && bump == other.bump &&
               cue == other.cue && walkersLeft == other.walkersLeft &&
               walkersRight == other.walkersRight && hushed == other.hushed;
    }
};
