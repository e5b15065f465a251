// The recording of a run, from the command line to the file, for the desktop and the page alike.
#include "program/recording_session.h"

#include "game/game.h"
#include "language/translation.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int RecordingSession::prepare(const Options& options) {
    try {
        if (!options.replay.empty()) {
            recording_ = read_recording(options.replay);
            expect_frame_rate(*recording_, FRAME_RATE);
            replay_.emplace(*recording_);
        } else if (!options.record.empty()) {
            file_.emplace(options.record);
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
    if (replay_) {
        return recording_->seed;
    }
    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    if (file_) {
        recording_ = new_recording(seed, FRAME_RATE);
    }
    return seed;
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
