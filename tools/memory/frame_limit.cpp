// Preloaded into the program by check_memory.sh: ends the run by SIGTERM at a set frame, so a
// run under valgrind lasts that many frames however slow valgrind makes each one.
#include <SDL.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {
constexpr char FRAMES_SETTING[] = "TARNEL_FRAMES"; // the frame whose keyboard read signals
} // namespace

// The main loop reads the keyboard state once a frame, paused or not, and nothing else in the
// program or in SDL calls it, so the calls count frames. SIGTERM goes through SDL's own handler
// and reaches the loop as the quit event, which the next frame takes.
extern "C" Uint8* SDL_GetKeyState(int* count) {
    using GetKeyState = Uint8* (*)(int*);
    static const auto next = reinterpret_cast<GetKeyState>(dlsym(RTLD_NEXT, "SDL_GetKeyState"));
    static const char* const setting = std::getenv(FRAMES_SETTING);
    static const long limit = setting != nullptr ? std::atol(setting) : 0;
    static long frames = 0;
    if (++frames == limit) {
        std::fprintf(stderr, "frame_limit: SIGTERM in frame %ld\n", frames);
        std::raise(SIGTERM);
    }
    return next(count);
}
