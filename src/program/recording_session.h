// A run's recording: the one replayed, or the one kept. Made ready before the display opens,
// handed to the game once it is built, and given its name when the game is over.
#pragma once

#include "program/options.h"
#include "recording/recording_file.h"

#include <cstdint>
#include <optional>

class Game;

class RecordingSession {
public:
    // Reads the recording to replay, or claims the file to record into and writes the
    // recording's header there, as the options ask.
    // Returns EXIT_SUCCESS, or the exit status once one line on stderr has said why: 1 for a
    // recording that cannot be read, 2 for a file that cannot be recorded into.
    int prepare(const Options& options);
    // The crowd's seed: the replayed recording's, --seed's, or the clock's. A recording kept
    // starts with it.
    std::uint32_t seed(const Options& options);
    // Has the game replay the recording (holding at its end unless the options say to quit
    // there), or keep each frame's input in it.
    void attach(Game& game, const Options& options);
    // Gives the kept recording its name, if there is one. Throws std::runtime_error when it
    // cannot.
    void save();

private:
    std::optional<Recording> recording_;
    std::optional<Replay> replay_;
    std::optional<RecordingFile> file_;
};
