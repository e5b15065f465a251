// What the game tells the sound, frame by frame, for a recording played back: steps at the
// walk's strides, one bump for a push held against a statue, and only the cues while paused.
#include "game/game.h"
#include "recording/recording.h"

#include "world/world_fixture.h"

using namespace fixtures;

namespace {

constexpr std::uint32_t SEED = 5;

TEST_F(GameTest, StepsAtTheStridesOneBumpForAHeldPushAndOnlyCuesWhilePaused) {
    Recording recording = new_recording(SEED, FRAME_RATE);
    const struct {
        int direction;
        FrameInput::Event event;
        int frames;
    } runs[] = {
        {RIGHT, FrameInput::NO_EVENT, 40},       // frames 0-39: into the statue, then held
        {NO_DIRECTION, FrameInput::PAUSE, 1},    // 40: paused
        {LEFT, FrameInput::NO_EVENT, 10},        // 41-50: the arrow held, paused
        {LEFT, FrameInput::PAUSE, 1},            // 51: resumed, walking away
        {LEFT, FrameInput::NO_EVENT, 9},         // 52-60
        {NO_DIRECTION, FrameInput::NO_EVENT, 1}, // 61
    };
    for (const auto& run : runs) {
        for (int frame = 0; frame < run.frames; ++frame) {
            FrameInput input;
            input.direction = run.direction;
            input.event = run.event;
            recording.add(input);
        }
    }
    Game game{Game::Stepped{}};
    keepNpcs(game.world, 1);
    Sprite& statue = game.world.npcs[0];
    const SDL_Rect hero = game.world.player.getPosition();
    place(statue, hero.x + 60, hero.y); // 60 pixels ahead: reached in the 11th step
    statue.movable = false;
    Replay replay(recording);
    game.replay = &replay;
    std::vector<Heard> heard;
    while (!game.quit) {
        game.playFrame();
        heard.push_back(game.heard);
    }
    ASSERT_EQ(heard.size(), recording.frames());

    std::vector<int> steps;
    std::vector<int> bumps;
    for (int frame = 0; frame < static_cast<int>(heard.size()); ++frame) {
        if (heard[frame].step) {
            steps.push_back(frame);
        }
        if (heard[frame].bump) {
            bumps.push_back(frame);
        }
    }
    // A foot comes down on the first frame of a walk, then on every stride: 2 and 3 frames
    // apart in the five-frame run. None while held, paused, or standing.
    const std::vector<int> expected = {0, 2, 5, 7, 10, 51, 53, 56, 58};
    EXPECT_EQ(steps, expected);
    ASSERT_EQ(bumps.size(), 1u) << "a push held for 30 frames bumps once";
    EXPECT_GE(bumps[0], 10);
    EXPECT_LE(bumps[0], 12);
    EXPECT_EQ(heard[40].cue, Heard::PAUSED);
    EXPECT_EQ(heard[51].cue, Heard::RESUMED);
    for (int frame = 40; frame <= 50; ++frame) {
        EXPECT_TRUE(heard[frame].hushed) << "frame " << frame;
    }
    EXPECT_FALSE(heard[51].hushed);
}

} // namespace
