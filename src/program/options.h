// The command line: what the user asked for, read before SDL starts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

constexpr int EXIT_USAGE = 2; // the exit status for a command line that cannot be obeyed

struct Options {
    enum class Action {
        PLAY,    // start the game
        HELP,    // print the usage and exit 0
        VERSION, // print the version and exit 0
        REFUSE,  // the command line is wrong: complain and exit 2
    };
    Action action = Action::PLAY;
    bool window = false;               // a window instead of the full screen
    int scale = 0;                     // UNSCALED, AUTO_SCALE or 1 to MAX_SCALE
    std::optional<std::uint32_t> seed; // the crowd's seed; none: the clock's
    std::string record;                // a file to record the game into, or none
    std::string replay;                // a recording to play back, or none
    bool quitAtEnd = false;            // a replay exits after its last frame, not holds there
    bool mute = false;                 // start with the sound off
    std::string complaint;             // for REFUSE: what was wrong, without the program's name
};

// Reads argv as getopt_long does; --help and --version act as soon as they are met, as the
// first fault does.
Options parse_options(int argc, char* argv[]);

// The text of --help and of --version.
extern const char USAGE[];
extern const char VERSION[];
