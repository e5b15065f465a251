// Recordings on disk: read whole before the game starts, and written under their name only
// once complete, so that a crash or a power cut never leaves half a file there.
#pragma once

#include "recording/recording.h"

#include <ctime>
#include <string>

// Reads a recording file, refusing one larger than any recording could be. Throws
// RecordingError with the system's reason or the fault found in it.
Recording read_recording(const std::string& file);

// A recording's file while the game is played: a temporary file beside it, holding the
// recording's header from the start and renamed into place by save. Destroyed unsaved, it
// removes the temporary and leaves the name as it was.
class RecordingFile {
public:
    // Why a file cannot be recorded into.
    class Refused : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Refused when file exists, since a recording never replaces one, when no file can be made
    // beside it, or when the disk cannot take header, which is written and flushed at once so
    // that a full disk is found before the game rather than after it.
    RecordingFile(std::string file, const std::string& header);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // Writes the recording over the temporary file, flushes it to the disk and gives it its
    // name. When that cannot be done, for whatever reason, the recording is kept in the state
    // folder instead (recording/state_folder.h), and std::runtime_error says why and where it
    // is kept: there, else under the temporary name if that file is whole, else nowhere, and
    // the game is lost.
    void save(const Recording& recording);

private:
    // Keeps bytes in the state folder after trouble with the name asked for, and throws the
    // message saying where they are.
    [[noreturn]] void keepInstead(const std::string& trouble, const std::string& bytes);

    std::string file_;
    std::string temporary_;
    int fd_ = -1;
    std::time_t started_ = 0; // when the game began, for the name it is kept under
};
