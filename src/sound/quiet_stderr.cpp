// The descriptor swap behind QuietStderr.
#include "sound/quiet_stderr.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

QuietStderr::QuietStderr() : kept_(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    const int nowhere = ::open("/dev/null", O_WRONLY);
    if (nowhere >= 0) {
        dup2(nowhere, STDERR_FILENO);
        close(nowhere);
    }
}

QuietStderr::~QuietStderr() {
    std::fflush(stderr);
    if (kept_ >= 0) {
        dup2(kept_, STDERR_FILENO);
        close(kept_);
    }
}
