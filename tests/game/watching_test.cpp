// Watching a replay: every seek, step and speed shows exactly the frame an uninterrupted replay
// shows at that point, picture and crowd alike.
#include "game/game.h"
#include "recording/recording.h"

#include "world/world_fixture.h"

#include <algorithm>
#include <functional>
#include <map>
#include <random>

using namespace fixtures;

namespace {

constexpr std::uint32_t SEED = 31;

FrameInput input(int direction, FrameInput::Event event = FrameInput::NO_EVENT) {
    FrameInput made;
    made.direction = direction;
    made.event = event;
    return made;
}

// 15 seconds of walks, a recorded pause from frame 101 to 140, and the window closed at the end.
Recording walk() {
    Recording recording = new_recording(SEED, FRAME_RATE);
    const struct {
        FrameInput input;
        int frames;
    } runs[] = {
        {input(RIGHT), 40},        {input(DOWN), 30},
        {input(NO_DIRECTION), 30}, {input(LEFT, FrameInput::PAUSE), 1},
        {input(LEFT), 39},         {input(LEFT, FrameInput::PAUSE), 1},
        {input(UP), 79},           {input(RIGHT, FrameInput::QUIT), 80},
    };
    for (const auto& run : runs) {
        for (int frame = 0; frame < run.frames; ++frame) {
            recording.add(run.input);
        }
    }
    return recording;
}

// What a frame shows: the picture on SCREEN and every sprite's place.
std::size_t shown(const Game& game) {
    std::string state = screenBytes();
    for (const Sprite& sprite : game.world.npcs) {
        const SDL_Rect place = sprite.getPosition();
        state += std::to_string(place.x) + "," + std::to_string(place.y) + ";";
    }
    return std::hash<std::string>{}(state);
}

class Watch : public GameTest {};

// What an uninterrupted replay of recording, seeded with SEED, shows at each frame wanted.
std::map<std::uint32_t, std::size_t>
uninterruptedPictures(const Recording& recording,
                      const std::function<bool(std::uint32_t)>& wanted) {
    std::map<std::uint32_t, std::size_t> pictures;
    srand(SEED);
    Game game{Game::Stepped{}};
    Replay replay(recording);
    game.replay = &replay;
    game.quitAtEnd = false;
    const std::string before = screenBytes();
    while (!replay.finished()) {
        game.playFrame();
        if (wanted(replay.given())) {
            pictures[replay.given()] = shown(game);
        }
    }
    EXPECT_FALSE(game.quit) << "a replay that holds at its end is not over";
    EXPECT_NE(screenBytes(), before) << "the frames a replay shows are drawn";
    return pictures;
}

TEST_F(Watch, EverySeekShowsTheFrameAnUninterruptedReplayShows) {
    const Recording recording = walk();
    const std::uint32_t frames = recording.frames();
    std::map<std::uint32_t, std::size_t> uninterrupted =
        uninterruptedPictures(recording, [](std::uint32_t) { return true; });

    srand(SEED);
    Game game{Game::Stepped{}};
    Replay replay(recording);
    game.replay = &replay;
    game.quitAtEnd = false;
    const struct {
        WatchCommand command;
        std::uint32_t frame; // shown after it
        const char* status;
    } steps[] = {
        {{WatchCommand::NONE, 0}, 1, "0:00 / 0:15 · 1×"},
        {{WatchCommand::TENTHS, 5}, 150, "0:07 / 0:15 · 1×"},
        {{WatchCommand::LAST, 0}, 300, "0:15 / 0:15 · 1×"},
        {{WatchCommand::LEFT, 0}, 299, "0:14 / 0:15 · 1×"}, // from the end, a frame back
        {{WatchCommand::LEFT, 0}, 298, "0:14 / 0:15 · 1×"}, // and it stays paused
        {{WatchCommand::NONE, 0}, 298, "0:14 / 0:15 · 1×"},
        {{WatchCommand::TENTHS, 0}, 1, "0:00 / 0:15 · 1×"},   // 0 %: the first frame, shown
        {{WatchCommand::SEEK, 120}, 120, "0:06 / 0:15 · 1×"}, // inside the recorded pause
        {{WatchCommand::RIGHT, 0}, 121, "0:06 / 0:15 · 1×"},
        {{WatchCommand::SEEK, 100}, 100, "0:05 / 0:15 · 1×"},
        {{WatchCommand::PAUSE, 0}, 100, "0:05 / 0:15 · 1×"}, // playing on
        {{WatchCommand::FASTER, 0}, 100, "0:05 / 0:15 · 2×"},
        {{WatchCommand::NONE, 0}, 102, "0:05 / 0:15 · 2×"},
        {{WatchCommand::RIGHT, 0}, 202, "0:10 / 0:15 · 2×"}, // playing: five seconds on
        {{WatchCommand::LEFT, 0}, 102, "0:05 / 0:15 · 2×"},
        {{WatchCommand::NONE, 0}, 104, "0:05 / 0:15 · 2×"},
        {{WatchCommand::SLOWER, 0}, 104, "0:05 / 0:15 · 1×"},
        {{WatchCommand::SLOWER, 0}, 104, "0:05 / 0:15 · ½×"},
        {{WatchCommand::NONE, 0}, 104, "0:05 / 0:15 · ½×"},
        {{WatchCommand::NONE, 0}, 105, "0:05 / 0:15 · ½×"},
        {{WatchCommand::SEEK, 60}, 60, "0:03 / 0:15 · ½×"},
        {{WatchCommand::LEFT, 0}, 1, "0:00 / 0:15 · ½×"}, // playing, under 5 s in: the start
        {{WatchCommand::FIRST, 0}, 1, "0:00 / 0:15 · ½×"},
        {{WatchCommand::BACK_5S, 0}, 1, "0:00 / 0:15 · ½×"},
        {{WatchCommand::FORWARD_5S, 0}, 101, "0:05 / 0:15 · ½×"},
        {{WatchCommand::TENTHS, 9}, 270, "0:13 / 0:15 · ½×"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE("to frame " + std::to_string(step.frame));
        game.watching.queued = step.command;
        game.playFrame();
        ASSERT_EQ(replay.given(), step.frame);
        EXPECT_EQ(shown(game), uninterrupted[step.frame]);
        EXPECT_EQ(game.watchStatus(), step.status);
    }
    // Played on to the end, it holds there until the watcher plays it again from the start.
    while (!replay.finished()) {
        game.playFrame();
    }
    EXPECT_EQ(shown(game), uninterrupted[frames]);
    game.playFrame();
    EXPECT_FALSE(game.quit);
    game.watching.queued = {WatchCommand::PAUSE, 0};
    game.playFrame();
    EXPECT_EQ(replay.given(), 1u);
    EXPECT_EQ(shown(game), uninterrupted[1]);
    // Up past the fastest speed stays at it.
    for (int press = 0; press < SPEED_COUNT; ++press) {
        game.watching.queued = {WatchCommand::FASTER, 0};
        game.playFrame();
    }
    EXPECT_EQ(game.watchStatus(), "0:00 / 0:15 · 8×");
}

SDL_Event key(Uint8 type, SDLKey sym) {
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = sym;
    return event;
}

int keyRepeatInterval() {
    int delay = 0;
    int interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    return interval;
}

// Watching, an arrow held steps by key repeat, a step a frame; other keys held do not
// repeat. Play itself has none, as it reads the arrows as held keys.
TEST_F(Watch, KeyRepeatStepsWithTheArrowsAlone) {
    {
        Game game{Game::Stepped{}};
        game.playFrame();
        EXPECT_EQ(keyRepeatInterval(), 0) << "in play";
    }
    srand(SEED);
    Game game{Game::Stepped{}};
    const Recording recording = walk();
    Replay replay(recording);
    game.replay = &replay;
    game.quitAtEnd = false;
    const struct {
        SDL_Event event;
        std::uint32_t given; // after it
        bool paused;
    } steps[] = {
        {key(SDL_KEYDOWN, SDLK_SPACE), 0, true},
        {key(SDL_KEYDOWN, SDLK_SPACE), 0, true}, // repeated
        {key(SDL_KEYDOWN, SDLK_RIGHT), 1, true},
        {key(SDL_KEYDOWN, SDLK_RIGHT), 2, true}, // repeated
        {key(SDL_KEYDOWN, SDLK_RIGHT), 3, true}, // repeated
        {key(SDL_KEYUP, SDLK_RIGHT), 3, true},
        {key(SDL_KEYDOWN, SDLK_LEFT), 2, true},
        {key(SDL_KEYDOWN, SDLK_LEFT), 1, true},   // repeated
        {key(SDL_KEYDOWN, SDLK_SPACE), 1, false}, // pressed anew
    };
    for (const auto& step : steps) {
        SDL_Event event = step.event;
        SDL_PushEvent(&event);
        game.playFrame();
        EXPECT_EQ(replay.given(), step.given);
        EXPECT_EQ(game.watching.paused, step.paused);
    }
    EXPECT_EQ(keyRepeatInterval(), 45) << "ms: under a frame, so that each frame takes a repeat";
}

// Two minutes of changing walks, with recorded pauses from frame 501 to 560 and 1501 to 1530,
// each over a kept state (at 540 and 1520 frames played).
Recording twoMinutes() {
    constexpr std::uint32_t FRAMES = 2400;
    constexpr int RUN_FRAMES = 37; // frames a direction is held
    constexpr int DIRECTIONS_AND_NONE = 5;
    Recording recording = new_recording(SEED, FRAME_RATE);
    for (std::uint32_t frame = 1; frame <= FRAMES; ++frame) {
        const int direction = static_cast<int>(frame / RUN_FRAMES) % DIRECTIONS_AND_NONE;
        const bool toggles = frame == 501 || frame == 561 || frame == 1501 || frame == 1531;
        recording.add(input(direction == 4 ? NO_DIRECTION : direction,
                            toggles ? FrameInput::PAUSE : FrameInput::NO_EVENT));
    }
    return recording;
}

TEST_F(Watch, SeeksFromKeptStatesShowWhatAnUninterruptedReplayShows) {
    const Recording recording = twoMinutes();
    const std::uint32_t last = recording.frames();
    // Around the kept states at 20 and 1200 frames played, inside and just after the pauses,
    // the ends, and random frames, in both directions.
    std::vector<std::uint32_t> targets = {last, 1,   20,  21,  19,   1200, 1201, 1199, 520,
                                          540,  541, 560, 561, 1515, 1520, 1521, 1531, last};
    std::mt19937 random(SEED);
    std::uniform_int_distribution<std::uint32_t> anywhere(1, last);
    for (int i = 0; i < 100; ++i) {
        targets.push_back(anywhere(random));
    }
    std::map<std::uint32_t, std::size_t> uninterrupted =
        uninterruptedPictures(recording, [&targets](std::uint32_t frame) {
            return std::count(targets.begin(), targets.end(), frame) > 0;
        });

    srand(SEED);
    Game game{Game::Stepped{}};
    Replay replay(recording);
    game.replay = &replay;
    game.quitAtEnd = false;
    // The first half sought while the states are made on the way, the second from them all.
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (i == targets.size() / 2) {
            game.watching.paused = true;
            while (!game.allStatesKept()) {
                game.playFrame();
            }
        }
        SCOPED_TRACE("seek " + std::to_string(i) + " to frame " + std::to_string(targets[i]));
        game.seekTo(targets[i]);
        ASSERT_EQ(replay.given(), targets[i]);
        ASSERT_EQ(shown(game), uninterrupted[targets[i]]);
    }
}

} // namespace
