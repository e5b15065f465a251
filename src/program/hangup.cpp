// SIGHUP handled as SDL handles SIGTERM: a quit event, so the loop ends and shuts SDL down.
#include "program/hangup.h"

#include <csignal>

namespace {
// Raising is safe in a handler; SDL's own SIGTERM handler then asks for the quit. (SDL 2, under
// sdl12-compat, quits only for the signals it knows, so its handler cannot simply be shared.)
void terminate(int) {
    std::raise(SIGTERM);
}
} // namespace

void end_on_hangup() {
    struct sigaction current = {};
    sigaction(SIGTERM, nullptr, &current);
    // Both runtimes catch SIGTERM once SDL starts; where one did not, SIGHUP keeps its default.
    if (current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN) {
        struct sigaction hangup = {};
        hangup.sa_handler = terminate;
        sigemptyset(&hangup.sa_mask);
        sigaction(SIGHUP, &hangup, nullptr);
    }
}
