// Watching a replay: the watcher's pause, speed, steps and seeks, and where it stands, shown in
// the caption and, on the full screen, in a line over the picture.
#include "game/game.h"

#include "display/display.h"
#include "recording/recording.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int QUARTERS_A_FRAME = 4;
constexpr std::uint32_t STEP_SECONDS = 5;   // what Right and Left skip while playing
constexpr Uint32 LINE_AFTER_CONTROL = 2000; // ms the line stays after any control
constexpr std::uint32_t SECONDS_A_MINUTE = 60;
constexpr int TENTHS = 10;
constexpr std::uint32_t STATE_FRAMES = 20; // a kept state a second at 20 frames a second
constexpr Uint32 MS_PER_SECOND = 1000;
constexpr Uint32 KEEPING_SHARE = 2; // states are kept in at most 1/2 of a frame's time
constexpr int REPEAT_INTERVAL = 45; // ms: under a frame, so that each frame takes a repeat

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
    if (watching.states.empty()) {
        startWatching();
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
    keepStatesUntil(frameStart + MS_PER_SECOND / static_cast<Uint32>(frameRate) / KEEPING_SHARE);
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
    if (watching.states.empty()) {
        startWatching();
    }
    // The picture is the last drawn frame's, so the state is one that plays that frame.
    const std::uint32_t drawn = watching.lastDrawn[frame];
    const std::size_t before = drawn == 0 ? 0 : (drawn - 1) / STATE_FRAMES;
    const KeptState& from = watching.states[std::min(before, watching.states.size() - 1)];
    if (replay->given() > frame || replay->given() < from.given) {
        restoreState(from);
    }
    watching.quarters = 0;
    if (frame > replay->given()) {
        advance(frame - replay->given());
    }
}

bool Game::allStatesKept() const {
    return !watching.states.empty() &&
           watching.states.back().given + STATE_FRAMES >= replay->frames();
}

void Game::startWatching() {
    Replay ahead(replay->recording());
    watching.lastDrawn.assign(ahead.frames() + 1, 0);
    bool pausedThen = paused;
    while (!ahead.finished()) {
        pausedThen = pausedAfter(pausedThen, ahead.next());
        watching.lastDrawn[ahead.given()] =
            pausedThen ? watching.lastDrawn[ahead.given() - 1] : ahead.given();
    }
    watching.states.reserve(ahead.frames() / STATE_FRAMES + 1);
    watching.states.push_back(currentState());
    SDL_EnableKeyRepeat(SDL_DEFAULT_REPEAT_DELAY, REPEAT_INTERVAL);
}

void Game::keepStateIfDue() {
    if (replay->given() == watching.states.back().given + STATE_FRAMES) {
        watching.states.push_back(currentState());
    }
}

void Game::keepStatesUntil(Uint32 until) {
    if (allStatesKept()) {
        return;
    }
    const KeptState live = currentState();
    restoreState(watching.states.back());
    // Signed, so that the test holds across the wrap of the 32-bit millisecond clock.
    while (!allStatesKept() && static_cast<Sint32>(until - SDL_GetTicks()) > 0) {
        playRecorded(false);
    }
    keepStateIfDue();
    restoreState(live);
}

KeptState Game::currentState() const {
    return {replay->given(), paused, world.moment(), saved_rand()};
}

void Game::restoreState(const KeptState& state) {
    world.restore(state.world);
    restore_rand(state.rand);
    paused = state.paused;
    replay->goTo(state.given);
}

std::size_t Watching::keptBytes() const {
    std::size_t bytes = lastDrawn.capacity() * sizeof lastDrawn[0];
    for (const KeptState& state : states) {
        bytes += sizeof state + state.world.npcs.capacity() * sizeof(Sprite);
    }
    return bytes + (states.capacity() - states.size()) * sizeof(KeptState);
}

bool Game::advance(std::uint32_t frames) {
    // Which of them draws last is known from the recording's pauses before any is played.
    const std::uint32_t given = replay->given();
    const std::uint32_t drawn = watching.lastDrawn[std::min(given + frames, replay->frames())];
    const std::uint32_t shown = drawn > given ? drawn - given - 1 : frames; // frames: none
    // Heard at 1× alone, and then only the last frame: those a seek passes over are silent.
    const bool audible = watching.speed == NORMAL_SPEED;
    if (!audible) {
        hush();
    }
    for (std::uint32_t i = 0; i < frames && !replay->finished(); ++i) {
        playRecorded(i == shown, audible && i + 1 == frames);
    }
    return shown < frames;
}

void Game::playRecorded(bool seen, bool audible) {
    keepStateIfDue();
    const Unseen unseen(!seen);
    quiet = !audible;
    act(withoutItsEnd(replay->next()));
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
