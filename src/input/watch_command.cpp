// The keys and the pad's buttons that steer a replay.
#include "input/watch_command.h"

#include "input/input.h"
#include "world/world.h"

namespace {

constexpr struct {
    SDLKey key;
    WatchCommand::Kind kind;
} WATCH_KEYS[] = {
    {SDLK_SPACE, WatchCommand::PAUSE}, {SDLK_RETURN, WatchCommand::PAUSE},
    {SDLK_RIGHT, WatchCommand::RIGHT}, {SDLK_LEFT, WatchCommand::LEFT},
    {SDLK_UP, WatchCommand::FASTER},   {SDLK_DOWN, WatchCommand::SLOWER},
    {SDLK_HOME, WatchCommand::FIRST},  {SDLK_END, WatchCommand::LAST},
};

// The pad's directions, by direction code, as the arrow keys steer.
constexpr WatchCommand::Kind PAD_KINDS[] = {
    WatchCommand::FASTER, // up
    WatchCommand::RIGHT,  // right
    WatchCommand::SLOWER, // down
    WatchCommand::LEFT,   // left
};

} // namespace

WatchCommand watchCommandOf(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) {
        return {};
    }
    const SDLKey key = event.key.keysym.sym;
    if (key >= SDLK_0 && key <= SDLK_9) {
        return {WatchCommand::TENTHS, key - SDLK_0};
    }
    if (key >= SDLK_KP0 && key <= SDLK_KP9) {
        return {WatchCommand::TENTHS, key - SDLK_KP0};
    }
    // Alt+Return switches the display, as in play.
    if (key == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT)) {
        return {};
    }
    for (const auto& watchKey : WATCH_KEYS) {
        if (watchKey.key == key) {
            return {watchKey.kind, 0};
        }
    }
    return {};
}

WatchCommand watchCommandOf(const SDL_Event& event, SDLKey& keyDown) {
    if (event.type == SDL_KEYUP && event.key.keysym.sym == keyDown) {
        keyDown = SDLK_UNKNOWN;
    }
    if (event.type != SDL_KEYDOWN) {
        return {};
    }
    const bool repeated = event.key.keysym.sym == keyDown;
    keyDown = event.key.keysym.sym;
    const WatchCommand command = watchCommandOf(event);
    const bool repeats = command.kind == WatchCommand::RIGHT || command.kind == WatchCommand::LEFT;
    return repeated && !repeats ? WatchCommand{} : command;
}

WatchCommand watchCommandOfPad(int direction, int lastDirection, bool start) {
    if (start) {
        return {WatchCommand::PAUSE, 0};
    }
    if (direction != NO_DIRECTION && direction != lastDirection) {
        return {PAD_KINDS[direction], 0};
    }
    return {};
}
