// Counts the program's frames from outside: preloaded, this SDL_Flip appends the monotonic
// clock in microseconds, one line a call, to the file named by TARNEL_FLIP_LOG, then flips.
// With TARNEL_FLIP_DUMP it also appends the pixels of the first TARNEL_FLIP_FRAMES frames to
// that file, rows of 4-byte pixels, so that two runs' frames can be compared byte for byte; with
// TARNEL_FLIP_LAST it keeps the last frame flipped in that file, so that two runs' ends can be.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>

namespace {

constexpr long MICROSECONDS_PER_SECOND = 1000000;
constexpr long NANOSECONDS_PER_MICROSECOND = 1000;
constexpr int BYTES_PER_PIXEL = 4; // the frames dumped are of 32-bit screens

using FlipFunction = int (*)(SDL_Surface*);
using LockFunction = int (*)(SDL_Surface*);
using UnlockFunction = void (*)(SDL_Surface*);

// SDL's functions are looked up when first called, not linked: the probe is preloaded into
// every program a test starts, /usr/bin/time among them, and most have no SDL.
template <typename Function> Function sdl(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

std::FILE* openedFrom(const char* variable) {
    const char* file = std::getenv(variable);
    return file ? std::fopen(file, "a") : nullptr;
}

// Opened on the first flip and left to the process's exit to close; null without the variable.
std::FILE* flipLog() {
    static std::FILE* log = openedFrom("TARNEL_FLIP_LOG");
    return log;
}

void writeFrame(SDL_Surface* screen, std::FILE* dump) {
    static const auto lock = sdl<LockFunction>("SDL_LockSurface");
    static const auto unlock = sdl<UnlockFunction>("SDL_UnlockSurface");
    lock(screen);
    for (int y = 0; y < screen->h; ++y) {
        std::fwrite(static_cast<const char*>(screen->pixels) + y * screen->pitch, BYTES_PER_PIXEL,
                    static_cast<std::size_t>(screen->w), dump);
    }
    unlock(screen);
    std::fflush(dump);
}

void dumpFrame(SDL_Surface* screen) {
    static std::FILE* dump = openedFrom("TARNEL_FLIP_DUMP");
    static const char* frames = std::getenv("TARNEL_FLIP_FRAMES");
    static long framesLeft = dump && frames ? std::atol(frames) : 0;
    static const char* last = std::getenv("TARNEL_FLIP_LAST");
    if (screen->format->BytesPerPixel != BYTES_PER_PIXEL) {
        return;
    }
    if (framesLeft > 0) {
        --framesLeft;
        writeFrame(screen, dump);
    }
    if (last != nullptr) {
        if (std::FILE* file = std::fopen(last, "w")) {
            writeFrame(screen, file);
            std::fclose(file);
        }
    }
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
    dumpFrame(screen);
    return realFlip ? realFlip(screen) : -1;
}
