// A long headless run of the main loop's frame, driven by a scripted player: it must run clean,
// hold its memory steady, and be kept by a small recording that replays to the same end.
#include "game/game.h"
#include "recording/recording.h"

#include "world/world_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

using namespace fixtures;

namespace {

constexpr int FRAMES = 12000;                       // ten minutes
constexpr std::size_t RECORDING_BUDGET = 16 * 1024; // bytes for ten minutes of play
constexpr int SETTLED_FRAME = 100; // by then every picture is loaded and RLE-encoded
constexpr double MEMORY_TOLERANCE = 0.01;
constexpr unsigned WORLD_SEED = 77;
constexpr unsigned SCRIPT_SEED = 1208;

constexpr SDLKey ARROW_KEYS[] = {SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT};
constexpr int KEY_SETS = 1 << 4;   // every combination of the four arrows held
constexpr int LONGEST_HOLD = 40;   // frames a combination stays held
constexpr int PAUSE_ODDS = 300;    // one frame in this many pauses a running game
constexpr int RESUME_ODDS = 15;    // one frame in this many resumes a paused one
constexpr long KILOBYTES = 1024;   // /proc gives kB
constexpr int FEWEST_TOGGLES = 10; // the script's odds give about a hundred
constexpr int SHORTEST_WALK = 100; // pixels the player must get from its start

// The resident memory of this process, in bytes.
long residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(line.find(':') + 1));
            long kilobytes = 0;
            fields >> kilobytes;
            return kilobytes * KILOBYTES;
        }
    }
    return -1;
}

void pushReturn() {
    SDL_Event press = {};
    press.type = SDL_KEYDOWN;
    press.key.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.keysym.sym = SDLK_RETURN;
    ASSERT_EQ(SDL_PushEvent(&press), 0) << SDL_GetError();
}

class Soak : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        srand(WORLD_SEED);
    }
};

// The player is driven the way SDL would be: the keyboard state written and Return pressed
// between frames, then the frame run as the loop runs it, without the wait.
TEST_F(Soak, TenMinutesOfScriptedFramesRunCleanInSteadyMemoryAndReplay) {
    Recording recording = new_recording(WORLD_SEED, FRAME_RATE);
    Game game{Game::Stepped{}};
    game.recording = &recording;
    // SDL RLE-encodes a picture at its first blit, which for a sprite's sheet is when it first
    // comes into view, perhaps thousands of frames in; done now, memory is measured without it.
    SDL_Rect corner = {};
    for (const Sprite& sprite : game.world.npcs) {
        ASSERT_EQ(SDL_BlitSurface(sprite.image, nullptr, SCREEN, &corner), 0);
    }
    std::mt19937 script(SCRIPT_SEED);
    std::uniform_int_distribution<int> keySet(0, KEY_SETS - 1);
    std::uniform_int_distribution<int> hold(1, LONGEST_HOLD);
    std::uniform_int_distribution<int> odds(0, PAUSE_ODDS * RESUME_ODDS - 1);

    bool expectPaused = false;
    int toggles = 0;
    int pausedFrames = 0;
    int holdLeft = 0;
    const SDL_Rect start = game.world.player.getPosition();
    int farthest = 0; // pixels from the start, along either axis
    long settledBytes = 0;
    for (int frame = 1; frame <= FRAMES; ++frame) {
        if (--holdLeft <= 0) {
            const int held = keySet(script);
            for (int i = 0; i < static_cast<int>(std::size(ARROW_KEYS)); ++i) {
                keys[ARROW_KEYS[i]] = (held >> i) & 1;
            }
            holdLeft = hold(script);
        }
        const int draw = odds(script);
        if (expectPaused ? draw % RESUME_ODDS == 0 : draw % PAUSE_ODDS == 0) {
            pushReturn();
            expectPaused = !expectPaused;
            ++toggles;
        }
        game.playFrame();
        pausedFrames += game.paused;
        const SDL_Rect now = game.world.player.getPosition();
        farthest = std::max({farthest, std::abs(now.x - start.x), std::abs(now.y - start.y)});
        if (frame == SETTLED_FRAME) {
            settledBytes = residentBytes();
        }
    }
    const long finalBytes = residentBytes();
    std::printf("%d frames, %d pause toggles, %d frames paused; player at most %d px from its "
                "start; resident memory %ld kB after frame %d, %ld kB after frame %d\n",
                FRAMES, toggles, pausedFrames, farthest, settledBytes / KILOBYTES, SETTLED_FRAME,
                finalBytes / KILOBYTES, FRAMES);

    EXPECT_EQ(game.frameCounter, FRAMES);
    EXPECT_FALSE(game.quit);
    // The script really drove the game: every Return was taken and the player walked.
    EXPECT_EQ(game.paused, expectPaused);
    EXPECT_GT(toggles, FEWEST_TOGGLES);
    EXPECT_GT(pausedFrames, 0);
    EXPECT_GT(farthest, SHORTEST_WALK);
    ASSERT_GT(settledBytes, 0);
    EXPECT_LE(std::abs(finalBytes - settledBytes), settledBytes * MEMORY_TOLERANCE)
        << "resident memory after frame " << SETTLED_FRAME << ": " << settledBytes
        << " bytes, after frame " << FRAMES << ": " << finalBytes;

    // The recording is small, and played back into a world of the same seed it ends the same.
    const std::string kept = encode_recording(recording);
    std::printf("the recording of %u frames takes %zu bytes in %zu runs\n", recording.frames(),
                kept.size(), recording.runs.size());
    EXPECT_LT(kept.size(), RECORDING_BUDGET);
    const Recording read =
        decode_recording(reinterpret_cast<const unsigned char*>(kept.data()), kept.size());
    ASSERT_EQ(read.frames(), static_cast<std::uint32_t>(FRAMES));
    std::fill(keys, keys + SDLK_LAST, Uint8{0});
    const std::string ended = screenBytes();
    srand(read.seed);
    Game again{Game::Stepped{}};
    Replay replay(read);
    again.replay = &replay;
    while (!again.quit) {
        again.playFrame();
    }
    EXPECT_EQ(again.frameCounter, FRAMES);
    EXPECT_EQ(again.paused, game.paused);
    EXPECT_EQ(again.world.player.getPosition().x, game.world.player.getPosition().x);
    EXPECT_EQ(again.world.player.getPosition().y, game.world.player.getPosition().y);
    for (int i = 0; i < game.world.npcCount; ++i) {
        ASSERT_EQ(again.world.npcs[i].getPosition().x, game.world.npcs[i].getPosition().x) << i;
        ASSERT_EQ(again.world.npcs[i].getPosition().y, game.world.npcs[i].getPosition().y) << i;
    }
    EXPECT_TRUE(screenBytes() == ended) << "the replay ends on another picture";
}

} // namespace
