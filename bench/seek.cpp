// The seek figure: a ten-minute game of the scripted walk with pauses, sought to its last frame
// from its first, which is the longest a seek takes.
#include "seek.h"

#include "game/game.h"
#include "recording/recording.h"
#include "scripted_game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t TEN_MINUTES = 10 * 60 * FRAME_RATE; // frames
constexpr int PAUSE_EVERY = 600;                            // frames: a pause each half minute
constexpr int PAUSE_FRAMES = 40;
constexpr int SEEKS = 5;
constexpr std::uint32_t SEED = 1;

Recording tenMinutes() {
    Recording recording = new_recording(SEED, FRAME_RATE);
    for (std::uint32_t frame = 0; frame < TEN_MINUTES; ++frame) {
        FrameInput input;
        input.direction = scriptedDirection(static_cast<int>(frame));
        const int inCycle = static_cast<int>(frame) % PAUSE_EVERY;
        if (inCycle == 0 || inCycle == PAUSE_FRAMES) {
            input.event = FrameInput::PAUSE;
        }
        recording.add(input);
    }
    return recording;
}

} // namespace

void print_seek_figure() {
    const Recording recording = tenMinutes();
    srand(recording.seed);
    Game game{Game::Stepped{}};
    Replay replay(recording);
    game.replay = &replay;
    game.quitAtEnd = false;
    std::vector<double> milliseconds;
    for (int i = 0; i < SEEKS; ++i) {
        game.seekTo(1);
        const auto start = std::chrono::steady_clock::now();
        game.seekTo(TEN_MINUTES);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        milliseconds.push_back(took.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("seek 10 min = %.0f ms (the median of %d seeks from the first frame to the last)\n",
                milliseconds[SEEKS / 2], SEEKS);
}
