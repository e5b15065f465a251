// The first joystick, its layout under each runtime, and what its state asks for.
#include "input/gamepad.h"

#include "input/input.h"
#include "world/world.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr Sint16 DEAD_ZONE = 32767 / 3; // a third of a stick's travel, either way
constexpr int FIRST_COMPAT_PATCH = 50;  // sdl12-compat calls itself 1.2.50 and later
constexpr char GAME_CONTROLLERS[] = "SDL12COMPAT_USE_GAME_CONTROLLERS";

bool buttonDown(SDL_Joystick* joystick, int button) {
    return button >= 0 && button < SDL_JoystickNumButtons(joystick) &&
           SDL_JoystickGetButton(joystick, button) != 0;
}

} // namespace

int padDirection(const PadState& state) {
    const bool held[] = {
        state.up || (state.hat & SDL_HAT_UP) || state.y < -DEAD_ZONE,      // UP
        state.right || (state.hat & SDL_HAT_RIGHT) || state.x > DEAD_ZONE, // RIGHT
        state.down || (state.hat & SDL_HAT_DOWN) || state.y > DEAD_ZONE,   // DOWN
        state.left || (state.hat & SDL_HAT_LEFT) || state.x < -DEAD_ZONE,  // LEFT
    };
    for (int direction : {UP, RIGHT, DOWN, LEFT}) {
        if (held[direction]) {
            return direction;
        }
    }
    return NO_DIRECTION;
}

void ask_for_game_controllers() {
    setenv(GAME_CONTROLLERS, "1", 0);
}

PadLayout runtime_pad_layout() {
    const char* asked = std::getenv(GAME_CONTROLLERS);
    const bool compat = SDL_Linked_Version()->patch >= FIRST_COMPAT_PATCH;
    return compat && asked != nullptr && std::strcmp(asked, "1") == 0 ? GAME_CONTROLLER
                                                                      : PLAIN_JOYSTICK;
}

void Gamepad::open(const PadLayout& layout) {
    layout_ = layout;
    startWasDown_ = false;
    if (SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_NumJoysticks() > 0) {
        joystick_ = SDL_JoystickOpen(0);
    }
}

void Gamepad::close() {
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }
}

PadState Gamepad::state() const {
    PadState state;
    if (SDL_JoystickNumHats(joystick_) > 0) {
        state.hat = SDL_JoystickGetHat(joystick_, 0);
    }
    if (SDL_JoystickNumAxes(joystick_) >= 2) {
        state.x = SDL_JoystickGetAxis(joystick_, 0);
        state.y = SDL_JoystickGetAxis(joystick_, 1);
    }
    state.up = buttonDown(joystick_, layout_.up);
    state.right = buttonDown(joystick_, layout_.right);
    state.down = buttonDown(joystick_, layout_.down);
    state.left = buttonDown(joystick_, layout_.left);
    state.start = buttonDown(joystick_, layout_.start);
    return state;
}

Gamepad::Reading Gamepad::read() {
    if (joystick_ == nullptr) {
        return {NO_DIRECTION, false};
    }
    SDL_JoystickUpdate();
    const PadState now = state();
    const bool pressed = now.start && !startWasDown_;
    startWasDown_ = now.start;
    return {padDirection(now), pressed};
}
