// A game kept as its seed and what the player asked for in each frame, run-length coded: the
// whole game, since the crowd draws only from rand() and the game advances by frames.
#pragma once

#include "input/input.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

constexpr int RECORDING_FORMAT = 1; // the version this program writes, and the newest it reads

struct Recording {
    // Frames in a row that asked for the same.
    struct Run {
        FrameInput input;
        std::uint32_t frames; // at least 1
    };

    std::uint32_t seed = 0;
    std::uint32_t frameRate = 0;    // frames a second it was played at
    std::uint32_t programMajor = 0; // the version of the program that made it
    std::uint32_t programMinor = 0;
    std::vector<Run> runs;

    // One more frame.
    void add(const FrameInput& input);
    // The frames of all runs.
    std::uint32_t frames() const;
};

// A recording of this program's version, played at frameRate frames a second, with no frames yet.
Recording new_recording(std::uint32_t seed, std::uint32_t frameRate);

// Why a recording cannot be read, in words, with the byte it was found at where that helps.
class RecordingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's bytes, and back. Decoding trusts no count it reads: memory grows only with the
// runs actually present. Throws RecordingError.
std::string encode_recording(const Recording& recording);
Recording decode_recording(const unsigned char* bytes, std::size_t size);

// Refuses a recording played at another frame rate than frameRate: it would play at the wrong
// speed. Throws RecordingError.
void expect_frame_rate(const Recording& recording, std::uint32_t frameRate);

// Plays a recording back a frame at a time, from its first frame again when asked.
class Replay {
public:
    explicit Replay(const Recording& recording)
        : recording_(recording), frames_(recording.frames()) {}

    // The next frame's input as it was recorded; no input at all once the last has been given.
    FrameInput next();
    // Whether the recording's last frame has been given.
    bool finished() const { return given_ >= frames_; }
    // Frames given so far, and in all.
    std::uint32_t given() const { return given_; }
    std::uint32_t frames() const { return frames_; }
    const Recording& recording() const { return recording_; }
    // Starts again before the first frame.
    void rewind();
    // Stands where `given` frames have been given, as if they had been; past the last, at the end.
    void goTo(std::uint32_t given);

private:
    const Recording& recording_;
    std::uint32_t frames_;    // in the recording
    std::size_t run_ = 0;     // the run the next frame comes from
    std::uint32_t inRun_ = 0; // frames of it already given
    std::uint32_t given_ = 0; // frames given in all
};
