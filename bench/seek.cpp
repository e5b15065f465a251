// The seek figures: a ten-minute game of the scripted walk with pauses, its kept states made
// between frames at the game's own pace, their memory, and the worst of many random seeks.
#include "seek.h"

#include "game/game.h"
#include "recording/recording.h"
#include "scripted_game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr std::uint32_t TEN_MINUTES = 10 * 60 * FRAME_RATE; // frames
constexpr int PAUSE_EVERY = 600;                            // frames: a pause each half minute
constexpr int PAUSE_FRAMES = 40;
constexpr int SEEKS = 200;
constexpr std::uint32_t SEED = 1;
constexpr double BYTES_A_MB = 1024.0 * 1024.0;

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

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
    game.watching.paused = true; // paused at once: the states are all that its frames do

    const Clock::time_point opened = Clock::now();
    while (!game.allStatesKept()) {
        game.playFrame();
        game.waitForFrameEnd();
    }
    const Milliseconds building = Clock::now() - opened;

    std::mt19937 random(SEED);
    std::uniform_int_distribution<std::uint32_t> anywhere(1, TEN_MINUTES);
    std::vector<double> seeks;
    for (int i = 0; i < SEEKS; ++i) {
        const std::uint32_t target = anywhere(random);
        const Clock::time_point start = Clock::now();
        game.seekTo(target);
        seeks.push_back(Milliseconds(Clock::now() - start).count());
    }
    std::sort(seeks.begin(), seeks.end());
    std::printf("states build = %.0f ms (a ten-minute replay paused at once, at 20 frames a "
                "second)\n",
                building.count());
    std::printf("states 10 min = %.1f MB\n", game.watching.keptBytes() / BYTES_A_MB);
    std::printf("seek worst = %.1f ms (of %d seeks to random frames of ten minutes; the median "
                "%.2f ms)\n",
                seeks.back(), SEEKS, seeks[SEEKS / 2]);
}
