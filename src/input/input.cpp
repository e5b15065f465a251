// Reading the keyboard and the window's events into what the game acts on.
#include "input/input.h"

#include "world/world.h"

namespace {

// The arrow keys in the order they are tested: the first one held wins.
constexpr struct {
    SDLKey key;
    int direction;
} ARROWS[] = {
    {SDLK_UP, UP},
    {SDLK_RIGHT, RIGHT},
    {SDLK_DOWN, DOWN},
    {SDLK_LEFT, LEFT},
};

} // namespace

int heldDirection(const Uint8* keys) {
    for (const auto& arrow : ARROWS) {
        if (keys[arrow.key]) {
            return arrow.direction;
        }
    }
    return NO_DIRECTION;
}

EventMeaning meaningOf(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        return EventMeaning::QUIT;
    }
    if (event.type != SDL_KEYDOWN) {
        return EventMeaning::NOTHING;
    }
    const SDLKey key = event.key.keysym.sym;
    if (key == SDLK_F11 || (key == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT))) {
        return EventMeaning::SWITCH_SCREEN;
    }
    if (key == SDLK_m) {
        return EventMeaning::MUTE;
    }
    return key == SDLK_RETURN ? EventMeaning::PAUSE : EventMeaning::NOTHING;
}
