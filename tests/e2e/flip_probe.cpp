// Counts the program's frames from outside: preloaded, this SDL_Flip appends the monotonic
// clock in microseconds, one line a call, to the file named by TARNEL_FLIP_LOG, then flips.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>

namespace {

constexpr long MICROSECONDS_PER_SECOND = 1000000;
constexpr long NANOSECONDS_PER_MICROSECOND = 1000;

using FlipFunction = int (*)(SDL_Surface*);

// Opened on the first flip and left to the process's exit to close; null without the variable.
std::FILE* flipLog() {
    static std::FILE* log = [] {
        const char* file = std::getenv("TARNEL_FLIP_LOG");
        return file ? std::fopen(file, "a") : nullptr;
    }();
    return log;
}

} // namespace

extern "C" int SDL_Flip(SDL_Surface* screen) {
    static const auto realFlip = reinterpret_cast<FlipFunction>(dlsym(RTLD_NEXT, "SDL_Flip"));
    if (std::FILE* log = flipLog()) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(log, "%ld\n",
                     now.tv_sec * MICROSECONDS_PER_SECOND +
                         now.tv_nsec / NANOSECONDS_PER_MICROSECOND);
        std::fflush(log); // the program may be stopped by a signal at any moment
    }
    return realFlip ? realFlip(screen) : -1;
}
