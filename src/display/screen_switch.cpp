// F11 and Alt+Enter: the display's switch, with the full-screen lock taken and let go.
#include "display/screen_switch.h"

#include "display/display.h"
#include "language/translation.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool video_driver_shows() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver == nullptr || std::strcmp(driver, "dummy") != 0;
}

bool ScreenSwitch::claimFullScreen() {
    if (!locks_) {
        return true;
    }
    lock_.emplace(screen_lock_folder());
    if (lock_->state() == ScreenLock::State::HELD) {
        lock_.reset();
        return false;
    }
    return true;
}

void ScreenSwitch::toggle() {
    if (screen_is_window()) {
        if (!claimFullScreen()) {
            std::fprintf(stderr, "tarnel: %s\n",
                         _("another copy holds the full screen; staying in the window"));
            return;
        }
        screen_switch();
    } else {
        screen_switch();
        lock_.reset();
    }
}
