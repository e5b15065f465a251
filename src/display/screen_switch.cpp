// F11 and Alt+Enter: the display's switch, with the full-screen lock taken and let go.
#include "display/screen_switch.h"

#include "display/display.h"
#include "language/translation.h"

#include <cstdio>

bool ScreenSwitch::claimFullScreen() {
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
