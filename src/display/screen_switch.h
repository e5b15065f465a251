// Between a window and the full screen while playing. The full screen is one copy's at a time
// on a display, so going there takes the full-screen lock.
#pragma once

#include "display/screen_lock.h"

#include <optional>

// Whether SDL's video driver shows a picture at all: its dummy driver does not, so copies on it
// share no screen and take no lock.
bool video_driver_shows();

class ScreenSwitch {
public:
    // locks: whether the full screen is taken with the full-screen lock.
    explicit ScreenSwitch(bool locks = video_driver_shows()) : locks_(locks) {}

    // Takes the lock for a game that starts on the full screen: false when another copy
    // holds it. Where no lock can be had at all, play goes on without one.
    bool claimFullScreen();

    // Switches between the window and the full screen. Going to the full screen while another
    // copy holds it stays in the window and says so in one line on stderr; leaving it lets the
    // lock go.
    void toggle();

private:
    bool locks_;
    std::optional<ScreenLock> lock_;
};
