// The recording of a run, from the command line to the file, for the desktop and the page alike.
#include "program/recording_session.h"

#include "game/game.h"
#include "language/translation.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// --seed's, or the clock's.
std::uint32_t chosenSeed(const Options& options) {
    return options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace

int RecordingSession::prepare(const Options& options) {
    try {
        if (!options.replay.empty()) {
            recording_ = read_recording(options.replay);
            expect_frame_rate(*recording_, FRAME_RATE);
            replay_.emplace(*recording_);
        } else if (!options.record.empty()) {
            recording_ = new_recording(chosenSeed(options), FRAME_RATE);
            file_.emplace(options.record, encode_recording(*recording_));
        }
        return EXIT_SUCCESS;
    } catch (const RecordingError& error) {
        std::fprintf(
            stderr, "tarnel: %s\n",
            formatted(_("cannot replay %s: %s"), options.replay.c_str(), error.what()).c_str());
        return EXIT_FAILURE;
    } catch (const RecordingFile::Refused& error) {
        std::fprintf(stderr, "tarnel: %s\n", error.what());
        return EXIT_USAGE;
    }
}

std::uint32_t RecordingSession::seed(const Options& options) {
    return recording_ ? recording_->seed : chosenSeed(options);
}

void RecordingSession::attach(Game& game, const Options& options) {
    game.replay = replay_ ? &*replay_ : nullptr;
    game.quitAtEnd = options.quitAtEnd;
    game.recording = file_ ? &*recording_ : nullptr;
}

void RecordingSession::save() {
    if (file_) {
        file_->save(*recording_);
    }
}
