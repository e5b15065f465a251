// SIGHUP handled as SDL handles SIGTERM: a quit event, so the loop ends and shuts SDL down.
#include "game/hangup.h"

#include <csignal>

void end_on_hangup() {
    struct sigaction terminate = {};
    sigaction(SIGTERM, nullptr, &terminate);
    // Both runtimes catch SIGTERM once SDL starts; where one did not, SIGHUP keeps its default.
    if (terminate.sa_handler != SIG_DFL && terminate.sa_handler != SIG_IGN) {
        sigaction(SIGHUP, &terminate, nullptr);
    }
}
