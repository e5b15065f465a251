// Between a window and the full screen while playing. The full screen is one copy's at a time
// on a display, so going there takes the full-screen lock.
#pragma once

#include "display/screen_lock.h"

#include <optional>

class ScreenSwitch {
public:
    // Takes the lock for a game that starts on the full screen: false when another copy
    // holds it. Where no lock can be had at all, play goes on without one.
    bool claimFullScreen();

    // Switches between the window and the full screen. Going to the full screen while another
    // copy holds it stays in the window and says so in one line on stderr; leaving it lets the
    // lock go.
    void toggle();

private:
    std::optional<ScreenLock> lock_;
};
