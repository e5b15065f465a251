// One full-screen copy a user and display: a second one is told at once instead of waiting
// inside the first one's input grab.
#pragma once

#include <string>

class ScreenLock {
public:
    enum class State {
        TAKEN,       // this copy holds the screen
        HELD,        // another copy holds it
        UNAVAILABLE, // no lock file could be had: play on without one
    };

    // Takes an advisory lock on tarnel-<uid>-<display>.lock in folder, without waiting.
    explicit ScreenLock(const std::string& folder);
    ~ScreenLock();
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

    State state() const { return state_; }

private:
    int fd_ = -1;
    State state_ = State::UNAVAILABLE;
};

// Where the lock file lives: $XDG_RUNTIME_DIR, else /tmp.
std::string screen_lock_folder();

// The lock file in folder: tarnel-<uid>-<display>.lock, the display's name made safe as a file's.
std::string screen_lock_file(const std::string& folder);
