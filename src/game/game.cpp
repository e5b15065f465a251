// The main loop: events, keyboard, pause and quit, the frame's moves and drawing, and pacing.
#include "game/game.h"

#include "display/display.h"

namespace {

constexpr int MS_PER_SECOND = 1000;

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

int heldDirection(const Uint8* keys) {
    for (const auto& arrow : ARROWS) {
        if (keys[arrow.key]) {
            return arrow.direction;
        }
    }
    return NO_DIRECTION;
}

Uint32 frameWait(Uint32 budgetMs, Uint32 frameStartMs, Uint32 nowMs) {
    const Uint32 elapsed = nowMs - frameStartMs; // unsigned, so the clock's wrap cancels out
    return elapsed >= budgetMs ? 0 : budgetMs - elapsed;
}

Game::Game() : Game(Stepped{}) {
    play();
}

Game::Game(Stepped) {}

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
    while (!quit) {
        playFrame();
        waitForFrameEnd();
    }
    end();
}

void Game::end() {
    SDL_FreeSurface(SCREEN);
    SCREEN = nullptr;
    SDL_Quit();
}

void Game::playFrame() {
    frameStart = SDL_GetTicks();
    // One event a frame: later ones wait in SDL's queue for the frames after.
    if (SDL_PollEvent(&event)) {
        handle(event);
    }
    keys = SDL_GetKeyState(nullptr);
    if (keys[SDLK_ESCAPE]) {
        quit = true;
    }
    if (!paused) {
        const int direction = heldDirection(keys);
        if (direction != NO_DIRECTION) {
            world.moveSprite(true, 0, direction);
        } else {
            world.idleSprite(true, 0);
        }
        world.moveNPCs();
        world.updateAll();
        update_screen();
    }
    ++frameCounter;
}

void Game::handle(const SDL_Event& polled) {
    if (polled.type == SDL_QUIT) {
        quit = true;
    } else if (polled.type == SDL_KEYDOWN && polled.key.keysym.sym == SDLK_RETURN) {
        paused = !paused;
    }
}

void Game::waitForFrameEnd() {
    const Uint32 budget = MS_PER_SECOND / frameRate;
    if (frameWait(budget, frameStart, SDL_GetTicks()) > 0) {
        // The wait is measured afresh: time has passed since the test above.
        SDL_Delay(frameWait(budget, frameStart, SDL_GetTicks()));
    }
}
