// Points stderr at /dev/null for as long as it lives: the audio back ends, and the libraries
// under them (ALSA, say), print complaints that a player cannot act on.
#pragma once

class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int kept_; // a copy of the real stderr, or -1
};
