// The main loop: events, keyboard, pause and quit, the frame's moves and drawing, and pacing.
#include "game/game.h"

#include "display/display.h"
#include "display/screen_switch.h"
#include "recording/recording.h"

namespace {

constexpr int MS_PER_SECOND = 1000;

// Event types that stream from the mouse and joysticks. SDL's own enumeration, whose values
// differ between SDL builds (a browser's SDL numbers them above 255).
constexpr SDL_EventType IGNORED_EVENTS[] = {
    SDL_MOUSEMOTION,     // the pointer moved
    SDL_MOUSEBUTTONDOWN, // a mouse button went down
    SDL_MOUSEBUTTONUP,   // and up
    SDL_JOYAXISMOTION,   // a stick moved
    SDL_JOYBALLMOTION,   // a trackball rolled
    SDL_JOYHATMOTION,    // a hat switch moved
    SDL_JOYBUTTONDOWN,   // a joystick button went down
    SDL_JOYBUTTONUP,     // and up
};

} // namespace

bool pausedAfter(bool paused, const FrameInput& input) {
    return input.event == FrameInput::PAUSE ? !paused : paused;
}

Uint32 frameWait(Uint32 budgetMs, Uint32 frameStartMs, Uint32 nowMs) {
    const Uint32 elapsed = nowMs - frameStartMs; // unsigned, so the clock's wrap cancels out
    return elapsed >= budgetMs ? 0 : budgetMs - elapsed;
}

Game::Game() : Game(Stepped{}) {
    play();
}

Game::Game(Stepped) {
    pad.open(runtime_pad_layout());
}

void ignore_streaming_input() {
    // Classic SDL discards every pending event when a type is ignored; a quit asked for already
    // (a SIGTERM during start-up, say) is put back so that it still ends the game.
    SDL_Event quitEvent;
    const bool quitPending = SDL_PeepEvents(&quitEvent, 1, SDL_PEEKEVENT, SDL_QUITMASK) > 0;
    for (SDL_EventType type : IGNORED_EVENTS) {
        SDL_EventState(type, SDL_IGNORE);
    }
    if (quitPending && SDL_PeepEvents(&quitEvent, 1, SDL_PEEKEVENT, SDL_QUITMASK) == 0) {
        SDL_PushEvent(&quitEvent);
    }
}

void Game::play() {
    playUntilQuit();
    end();
}

void Game::playUntilQuit() {
    while (!quit) {
        playFrame();
        waitForFrameEnd();
    }
}

void Game::end() {
    if (sound != nullptr) {
        sound->close();
    }
    pad.close();
    SDL_FreeSurface(SCREEN);
    SCREEN = nullptr;
    SDL_Quit();
}

void Game::playFrame() {
    frameStart = SDL_GetTicks();
    const FrameInput input = readInput();
    if (replay != nullptr) {
        watchFrame(input);
    } else {
        if (recording != nullptr) {
            recording->add(input);
        }
        if (act(input)) {
            update_screen();
        }
    }
    ++frameCounter;
}

FrameInput Game::readInput() {
    FrameInput input;
    watchCommand = {};
    // One event a frame: later ones wait in SDL's queue for the frames after.
    if (SDL_PollEvent(&event)) {
        if (replay != nullptr) {
            watchCommand = watchCommandOf(event);
        }
        switch (meaningOf(event)) {
        case EventMeaning::PAUSE:
            input.event = FrameInput::PAUSE;
            break;
        case EventMeaning::QUIT:
            input.event = FrameInput::QUIT;
            break;
        case EventMeaning::SWITCH_SCREEN:
            if (screens != nullptr) {
                screens->toggle();
            }
            break;
        case EventMeaning::MUTE:
            if (sound != nullptr) {
                sound->toggleMute();
            }
            break;
        case EventMeaning::NOTHING:
            break;
        }
    }
    keys = SDL_GetKeyState(nullptr);
    input.escape = keys[SDLK_ESCAPE] != 0;
    input.direction = heldDirection(keys);
    const Gamepad::Reading fromPad = pad.read();
    if (input.direction == NO_DIRECTION) {
        input.direction = fromPad.direction;
    }
    if (fromPad.start && input.event == FrameInput::NO_EVENT) {
        input.event = FrameInput::PAUSE;
    }
    if (replay != nullptr) {
        if (watchCommand.kind == WatchCommand::NONE) {
            watchCommand =
                watchCommandOfPad(fromPad.direction, watching.lastPadDirection, fromPad.start);
        }
        if (watchCommand.kind == WatchCommand::NONE) {
            watchCommand = watching.queued;
        }
        watching.queued = {};
        watching.lastPadDirection = fromPad.direction;
    }
    return input;
}

bool Game::act(const FrameInput& input) {
    if (input.event == FrameInput::QUIT) {
        quit = true;
    }
    const bool wasPaused = paused;
    paused = pausedAfter(paused, input);
    if (input.escape) {
        quit = true; // paused or not
    }
    if (paused) {
        heard = {};
        heard.hushed = true;
        heard.cue = wasPaused ? Heard::NO_CUE : Heard::PAUSED;
        tellSound();
        return false;
    }
    hearing.before(world);
    if (input.direction != NO_DIRECTION) {
        world.moveSprite(true, 0, input.direction);
    } else {
        world.idleSprite(true, 0);
    }
    world.moveNPCs();
    world.updateAll();
    heard = hearing.after(world, input.direction);
    heard.cue = wasPaused ? Heard::RESUMED : Heard::NO_CUE;
    tellSound();
    return true;
}

void Game::tellSound() {
    if (sound == nullptr) {
        return;
    }
    if (quiet) {
        hush();
    } else {
        sound->play(heard);
    }
}

void Game::hush() {
    if (sound != nullptr) {
        Heard silence;
        silence.hushed = true;
        sound->play(silence);
    }
}

void Game::waitForFrameEnd() {
    const Uint32 budget = MS_PER_SECOND / frameRate;
    if (frameWait(budget, frameStart, SDL_GetTicks()) > 0) {
        // The wait is measured afresh: time has passed since the test above.
        SDL_Delay(frameWait(budget, frameStart, SDL_GetTicks()));
    }
}
