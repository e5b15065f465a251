// The full-screen lock: an flock on a file of the user's own, released with the process.
#include "display/screen_lock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t OWNER_ONLY = 0600;

// The display's name as a file name: ":0" stays, anything but letters, digits, ':', '.' and
// '-' becomes '_', so a DISPLAY holding a path cannot reach another folder.
std::string displayName() {
    const char* display = std::getenv("DISPLAY");
    std::string name = display != nullptr && *display != '\0' ? display : "none";
    for (char& c : name) {
        const bool kept = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                          (c >= 'A' && c <= 'Z') || c == ':' || c == '.' || c == '-';
        c = kept ? c : '_';
    }
    return name;
}

} // namespace

std::string screen_lock_folder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && *runtime == '/' ? runtime : "/tmp";
}

std::string screen_lock_file(const std::string& folder) {
    return folder + "/tarnel-" + std::to_string(getuid()) + "-" + displayName() + ".lock";
}

ScreenLock::ScreenLock(const std::string& folder) {
    const std::string file = screen_lock_file(folder);
    // No following a planted link, no handing the descriptor to SDL's children.
    fd_ = open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, OWNER_ONLY);
    if (fd_ < 0) {
        return;
    }
    // Another user's file of that name is theirs: neither locked nor kept open.
    struct stat status;
    if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != getuid()) {
        close(fd_);
        fd_ = -1;
        return;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::TAKEN;
    } else if (errno == EWOULDBLOCK) {
        state_ = State::HELD;
    }
}

ScreenLock::~ScreenLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}
