// What the player asks for in one frame, whatever the device: the game acts on it, a recording
// keeps it and a replay gives it back.
#pragma once

#include <SDL.h>

// The direction of the first arrow key held, in the order Up, Right, Down, Left, or
// NO_DIRECTION. keys is SDL's keyboard state, one entry per SDLKey.
constexpr int NO_DIRECTION = -1;
int heldDirection(const Uint8* keys);

struct FrameInput {
    // The one event the frame took, where it matters to the game.
    enum Event : Uint8 {
        NO_EVENT, // none, or one the game drops
        PAUSE,    // Return pressed, or the pad's Start: the pause toggles
        QUIT,     // the window closed, or a signal asked the game to end
    };
    Event event = NO_EVENT;
    int direction = NO_DIRECTION; // the keyboard's arrows, else the pad's
    bool escape = false;          // Escape held: the game ends after this frame

    bool operator==(const FrameInput& other) const {
        return event == other.event && direction == other.direction && escape == other.escape;
    }
    bool operator!=(const FrameInput& other) const { return !(*this == other); }
};

// What a polled event asks for: the game's pause or end, or the display's switch between a
// window and the full screen (F11, or Alt with Return), which no recording keeps.
enum class EventMeaning {
    NOTHING,
    PAUSE,
    QUIT,
    SWITCH_SCREEN,
    MUTE, // M: the sound off or on again, which no recording keeps either
};
EventMeaning meaningOf(const SDL_Event& event);
