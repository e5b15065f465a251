// Recordings on disk: read whole before the game starts, and written under their name only
// once complete, so that a crash or a power cut never leaves half a file there.
#pragma once

#include "recording/recording.h"

#include <string>

// Reads a recording file, refusing one larger than any recording could be. Throws
// RecordingError with the system's reason or the fault found in it.
Recording read_recording(const std::string& file);

// A recording's file while the game is played: a temporary file beside it, renamed into place
// by save. Destroyed unsaved, it removes the temporary and leaves the name as it was.
class RecordingFile {
public:
    // Why a file cannot be recorded into.
    class Refused : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Refused when file exists, since a recording never replaces one, or when no file can be
    // made beside it.
    explicit RecordingFile(std::string file);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // Writes the recording to the temporary file, flushes it to the disk and gives it its
    // name. Throws std::runtime_error when it cannot, or when a file of that name appeared in
    // the meantime; the game is then kept under the temporary name, which the message gives.
    void save(const Recording& recording);

private:
    std::string file_;
    std::string temporary_;
    int fd_ = -1;
};
