// Watching a replay: the watcher's pause, speed, steps and seeks, and where it stands, shown in
// the caption and, on the full screen, in a line over the picture.
#include "game/game.h"

#include "display/display.h"
#include "recording/recording.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int QUARTERS_A_FRAME = 4;
constexpr std::uint32_t STEP_SECONDS = 5;   // what Right and Left skip while playing
constexpr Uint32 LINE_AFTER_CONTROL = 2000; // ms the line stays after any control
constexpr std::uint32_t SECONDS_A_MINUTE = 60;
constexpr int TENTHS = 10;

// The speeds as the status writes them, in SPEED_QUARTERS's order.
constexpr const char* SPEED_NAMES[] = {
    "¼×", "½×", "1×", "2×", "4×", "8×",
};

std::string clock(std::uint32_t frames, std::uint32_t frameRate) {
    const std::uint32_t seconds = frameRate == 0 ? 0 : frames / frameRate;
    char text[16];
    std::snprintf(text, sizeof text, "%u:%02u", seconds / SECONDS_A_MINUTE,
                  seconds % SECONDS_A_MINUTE);
    return text;
}

// A frame as the recording gave it, less its end: the watcher, not the recording, ends a replay
// that is watched, and the game's last frame is drawn as before.
FrameInput withoutItsEnd(FrameInput input) {
    if (input.event == FrameInput::QUIT) {
        input.event = FrameInput::NO_EVENT;
    }
    input.escape = false;
    return input;
}

// Blits clipped to nothing: the frames a seek or a fast speed passes over play unseen.
class Unseen {
public:
    explicit Unseen(bool unseen) : unseen_(unseen) {
        if (unseen_) {
            SDL_Rect nothing = {0, 0, 0, 0};
            SDL_SetClipRect(SCREEN, &nothing);
        }
    }
    ~Unseen() {
        if (unseen_) {
            SDL_SetClipRect(SCREEN, nullptr);
        }
    }
    Unseen(const Unseen&) = delete;
    Unseen& operator=(const Unseen&) = delete;

private:
    bool unseen_;
};

} // namespace

std::string watch_status(std::uint32_t given, std::uint32_t frames, std::uint32_t frameRate,
                         int speed) {
    return clock(given, frameRate) + " / " + clock(frames, frameRate) + " · " + SPEED_NAMES[speed];
}

std::string Game::watchStatus() const {
    return watch_status(replay->given(), replay->frames(), replay->recording().frameRate,
                        watching.speed);
}

void Game::watchFrame(const FrameInput& live) {
    if (live.event == FrameInput::QUIT || live.escape) {
        quit = true;
        return;
    }
    if (!watching.start) {
        watching.start.emplace(world); // before the first frame: the place seeks start from
    }
    bool drew = false;
    if (watchCommand.kind != WatchCommand::NONE) {
        watching.lineUntil = SDL_GetTicks() + LINE_AFTER_CONTROL;
        drew = obey(watchCommand);
    } else if (!watching.paused && !replay->finished()) {
        watching.quarters += SPEED_QUARTERS[watching.speed];
        drew = advance(watching.quarters / QUARTERS_A_FRAME);
        watching.quarters %= QUARTERS_A_FRAME;
    }
    if (replay->finished() && quitAtEnd) {
        quit = true;
    }
    if (watching.paused || replay->finished()) {
        hush();
    }
    present(drew);
}

bool Game::obey(const WatchCommand& command) {
    const std::uint32_t given = replay->given();
    const std::uint32_t step = STEP_SECONDS * replay->recording().frameRate;
    const std::uint32_t back = given > step ? given - step : 1;
    // At the last frame the replay holds as if paused: a step from there stays paused.
    const bool stepping = watching.paused || replay->finished();
    switch (command.kind) {
    case WatchCommand::PAUSE:
        if (replay->finished()) {
            watching.paused = false;
            seekTo(1); // played again from the start, as a video player does
            return true;
        }
        watching.paused = !watching.paused;
        return false;
    case WatchCommand::RIGHT:
        watching.paused = stepping;
        seekTo(stepping ? given + 1 : given + step);
        return true;
    case WatchCommand::LEFT:
        watching.paused = stepping;
        seekTo(stepping ? given - 1 : back);
        return true;
    case WatchCommand::FASTER:
        watching.speed = std::min(watching.speed + 1, SPEED_COUNT - 1);
        return false;
    case WatchCommand::SLOWER:
        watching.speed = std::max(watching.speed - 1, 0);
        return false;
    case WatchCommand::FIRST:
        seekTo(1);
        return true;
    case WatchCommand::LAST:
        seekTo(replay->frames());
        return true;
    case WatchCommand::TENTHS:
        seekTo(static_cast<std::uint32_t>(std::uint64_t{replay->frames()} *
                                          std::clamp(command.value, 0, TENTHS - 1) / TENTHS));
        return true;
    case WatchCommand::SEEK:
        seekTo(static_cast<std::uint32_t>(std::max(command.value, 0)));
        return true;
    case WatchCommand::FORWARD_5S:
        seekTo(given + step);
        return true;
    case WatchCommand::BACK_5S:
        seekTo(back);
        return true;
    case WatchCommand::NONE:
        break;
    }
    return false;
}

void Game::seekTo(std::uint32_t frame) {
    frame = std::clamp<std::uint32_t>(frame, 1, replay->frames());
    if (!watching.start) {
        watching.start.emplace(world);
    }
    if (frame < replay->given()) {
        rewind();
    }
    watching.quarters = 0;
    if (frame > replay->given()) {
        advance(frame - replay->given());
    }
}

void Game::rewind() {
    world = *watching.start;
    srand(replay->recording().seed);
    world.drawBuildNumbersAgain();
    paused = false;
    replay->rewind();
}

bool Game::advance(std::uint32_t frames) {
    // Which of them draws last is known from the recording's pauses before any is played.
    Replay ahead = *replay;
    bool pausedThen = paused;
    std::uint32_t shown = frames; // none
    for (std::uint32_t i = 0; i < frames && !ahead.finished(); ++i) {
        pausedThen = pausedAfter(pausedThen, ahead.next());
        if (!pausedThen) {
            shown = i;
        }
    }
    for (std::uint32_t i = 0; i < frames && !replay->finished(); ++i) {
        const Unseen unseen(i != shown);
        quiet = i != shown || watching.speed != NORMAL_SPEED; // heard only as seen at 1×
        act(withoutItsEnd(replay->next()));
    }
    return shown < frames;
}

void Game::present(bool drew) {
    const std::string status = watchStatus();
    if (status != watching.status) {
        set_caption_status(status);
    }
    // A line over the picture only on the full screen: a window's caption says it already.
    const bool line =
        !screen_is_window() && (watching.paused || SDL_GetTicks() < watching.lineUntil) && !quit;
    if (line && (drew || !watching.lineShown || status != watching.status)) {
        update_screen_with_line(status);
    } else if (drew || watching.lineShown != line) {
        update_screen();
    }
    watching.lineShown = line;
    watching.status = status;
}
