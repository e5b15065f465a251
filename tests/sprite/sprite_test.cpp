// Sprite: which frame of its sheet each drawing shows, and its setters.
#include "sprite/sprite.h"

#include "display/display.h"
#include "display/rect16.h"
#include "support/fixtures.h"

using namespace fixtures;

namespace {

constexpr int FRAME_W = 3; // not square, so a row measured by the width shows
constexpr int FRAME_H = 4;
constexpr int SHEET_FRAMES = 20;
constexpr Rgb BLANK = {0, 0, 0};
constexpr SDL_Rect DESTINATION = {10, 10, 0, 0};
constexpr int NOTHING_DRAWN = -1;

class SpriteTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        saveSheet("sheet.bmp", FRAME_W, FRAME_H, SHEET_FRAMES);
    }

    // A movable sprite like the player: runs of 5 frames, up 0-4, right 5-9, down 10-14,
    // left 15-19.
    Sprite walker() {
        Sprite sprite{};
        sprite.init("sheet.bmp", {100, 200, FRAME_W, FRAME_H}, {0, 1, FRAME_W, 2}, 4, true);
        sprite.animStart(0, 5, 10, 15);
        sprite.animFrames(5, 5, 5, 5);
        return sprite;
    }

    // Draws the sprite on a blank screen and tells which sheet frame appeared.
    static int drawnFrame(Sprite& sprite) {
        fillScreen(BLANK);
        sprite.updateSelf(DESTINATION);
        const Rgb shown = screenPixel(DESTINATION.x, DESTINATION.y);
        // The whole frame and nothing past it.
        EXPECT_EQ(screenPixel(DESTINATION.x + FRAME_W - 1, DESTINATION.y + FRAME_H - 1), shown);
        EXPECT_EQ(screenPixel(DESTINATION.x + FRAME_W, DESTINATION.y), BLANK);
        EXPECT_EQ(screenPixel(DESTINATION.x, DESTINATION.y + FRAME_H), BLANK);
        for (int frame = 0; frame < SHEET_FRAMES; ++frame) {
            if (shown == frameColour(frame)) {
                return frame;
            }
        }
        return NOTHING_DRAWN;
    }

    WorkingFolder folder;
};

TEST_F(SpriteTest, InitialisedSpriteFacesDownStandingAndMarkedChanged) {
    Sprite sprite = walker();
    EXPECT_TRUE(sprite.hasImage());
    EXPECT_EQ(sprite.getDirection(), 2);
    EXPECT_EQ(sprite.frame, 0);
    EXPECT_TRUE(sprite.isUpdating());
    EXPECT_TRUE(sprite.isStatic());
    EXPECT_EQ(sprite.getMoveRate(), 4);
    EXPECT_EQ(sprite.getPosition().y, 200);
    EXPECT_EQ(sprite.getCollision().h, 2);

    // A second init keeps the tables and the countdown, and loads a surface of its own.
    SDL_Surface* firstSheet = sprite.image;
    sprite.setFrameCount(7);
    sprite.init("sheet.bmp", {1, 2, FRAME_W, FRAME_H}, {0, 1, FRAME_W, 2}, 3, true);
    EXPECT_EQ(sprite.getFrameCount(), 7);
    EXPECT_EQ(sprite.animStartFrames[3], 15);
    EXPECT_EQ(sprite.animFrameCounts[3], 5);
    EXPECT_NE(sprite.image, firstSheet);

    Sprite missing{};
    missing.init("missing.bmp", {1, 2, FRAME_W, FRAME_H}, {0, 1, FRAME_W, 2}, 3, true);
    EXPECT_FALSE(missing.hasImage());
    EXPECT_EQ(missing.getPosition().x, 1);
}

TEST_F(SpriteTest, ChangedSpriteStepsThroughItsRunAndWrapsToItsFirstFrame) {
    Sprite sprite = walker();
    // Each direction shows its own run, first frame to last and round again: up 0-1, right
    // 5-7, down 10-13, left 15-19.
    sprite.animFrames(2, 3, 4, 5);
    for (int direction = 0; direction < 4; ++direction) {
        sprite.setDirection(direction);
        sprite.resetFrame();
        const int length = 2 + direction;
        for (int k = 0; k <= length; ++k) {
            EXPECT_EQ(drawnFrame(sprite), 5 * direction + k % length) << "direction " << direction;
            sprite.setPosition(sprite.getPosition());
        }
    }
    // A direction outside the four shows the sheet's first frame and keeps its place.
    for (int direction : {-1, 4}) {
        sprite.setDirection(direction);
        sprite.frame = 1;
        sprite.setUpdating(true);
        EXPECT_EQ(drawnFrame(sprite), 0) << "direction " << direction;
        EXPECT_EQ(sprite.frame, 1);
    }

    sprite.setDirection(2);
    sprite.animFrames(5, 5, 3, 5);
    const int expected[] = {11, 12, 10, 11, 12, 10};
    for (int sheetFrame : expected) {
        sprite.setPosition(sprite.getPosition());
        EXPECT_EQ(drawnFrame(sprite), sheetFrame);
        EXPECT_FALSE(sprite.isUpdating());
    }
    EXPECT_EQ(sprite.frame, 0);

    // A new direction restarts the run and the first frame drawn is its second.
    sprite.setDirection(1);
    EXPECT_EQ(drawnFrame(sprite), 6);
    EXPECT_EQ(sprite.frame, 1);

    // After a reset the run's first frame shows; unchanged, the sprite keeps showing it.
    sprite.resetFrame();
    EXPECT_EQ(sprite.frame, -1);
    EXPECT_EQ(drawnFrame(sprite), 5);
    EXPECT_EQ(sprite.frame, 0);
    sprite.setPosition(sprite.getPosition());
    EXPECT_EQ(drawnFrame(sprite), 6);
    EXPECT_EQ(drawnFrame(sprite), 5);
    EXPECT_EQ(sprite.frame, 0);

    // A run of one frame, or none, always shows its first frame.
    sprite.animFrames(5, 1, 5, 5);
    sprite.setPosition(sprite.getPosition());
    EXPECT_EQ(drawnFrame(sprite), 5);
    sprite.animFrames(5, 0, 5, 5);
    sprite.setPosition(sprite.getPosition());
    EXPECT_EQ(drawnFrame(sprite), 5);
}

TEST_F(SpriteTest, SpriteThatIsNotMovableAlwaysShowsTheSheetsFirstFrame) {
    Sprite sprite = walker();
    sprite.movable = false;
    sprite.setDirection(3);
    sprite.frame = 3;
    sprite.setFrameCount(4);
    EXPECT_EQ(drawnFrame(sprite), 0);
    EXPECT_EQ(sprite.frame, 3);
    EXPECT_EQ(sprite.getFrameCount(), 4);
    EXPECT_FALSE(sprite.isUpdating());
}

TEST_F(SpriteTest, CountdownStopsAtZeroAndStillRunsOffTheScreen) {
    Sprite sprite = walker();
    const int counts[][2] = {{0, 0}, {1, 0}, {6, 5}, {-3, 0}};
    for (const auto& [before, after] : counts) {
        sprite.setFrameCount(before);
        sprite.updateSelf(DESTINATION);
        EXPECT_EQ(sprite.getFrameCount(), after) << "from " << before;
    }

    // Wholly off the screen nothing is drawn, but the animation and the countdown go on.
    fillScreen(BLANK);
    sprite.setFrameCount(2);
    sprite.setDirection(0);
    sprite.updateSelf({-100, 700, 0, 0});
    EXPECT_EQ(sprite.frame, 1);
    EXPECT_EQ(sprite.getFrameCount(), 1);
    EXPECT_FALSE(sprite.isUpdating());
    EXPECT_EQ(screenPixel(0, 0), BLANK);
    // Partly off the screen's top-left corner, the rest of the frame is drawn.
    sprite.updateSelf({-1, -2, 0, 0});
    EXPECT_EQ(screenPixel(0, 0), frameColour(0));
    EXPECT_EQ(screenPixel(FRAME_W - 2, FRAME_H - 3), frameColour(0));
    EXPECT_EQ(screenPixel(FRAME_W - 1, 0), BLANK);

    // A value-initialised sprite draws nothing and only clears its mark.
    Sprite empty{};
    empty.updating = true;
    EXPECT_EQ(drawnFrame(empty), NOTHING_DRAWN);
    EXPECT_FALSE(empty.isUpdating());
    EXPECT_EQ(empty.getFrameCount(), 0);
}

TEST_F(SpriteTest, SourceRowWrapsAtSixteenBits) {
    EXPECT_EQ(low16(288), 288);
    EXPECT_EQ(low16(32767), 32767);
    EXPECT_EQ(low16(32768), -32768);
    EXPECT_EQ(low16(65536 + 8), 8);
    EXPECT_EQ(low16(-1), -1);
    EXPECT_EQ(low16(-32769), 32767);

    // A run starting 65544 pixels down wraps back to 8 pixels down: the sheet's frame 2.
    constexpr int WRAPPING_START = 65536 / FRAME_H + 2;
    static_assert(WRAPPING_START * FRAME_H == 65536 + 2 * FRAME_H);
    Sprite sprite = walker();
    sprite.animStart(0, 5, WRAPPING_START, 15);
    sprite.resetFrame();
    EXPECT_EQ(drawnFrame(sprite), 2);
}

TEST_F(SpriteTest, SettersChangeOnlyWhatTheySay) {
    Sprite sprite = walker();
    sprite.updateSelf(DESTINATION);
    sprite.setPosition({7, -9, 300, 400});
    const SDL_Rect moved = sprite.getPosition();
    EXPECT_EQ(moved.x, 7);
    EXPECT_EQ(moved.y, -9);
    EXPECT_EQ(moved.w, FRAME_W);
    EXPECT_EQ(moved.h, FRAME_H);
    EXPECT_TRUE(sprite.isUpdating());

    // The same direction again changes nothing, not even the mark.
    sprite.updateSelf(DESTINATION);
    sprite.setPosition(moved);
    sprite.updateSelf(DESTINATION);
    const int frameBefore = sprite.frame;
    sprite.setDirection(sprite.getDirection());
    EXPECT_EQ(sprite.frame, frameBefore);
    EXPECT_FALSE(sprite.isUpdating());
    sprite.setDirection(0);
    EXPECT_EQ(sprite.frame, 0);
    EXPECT_TRUE(sprite.isUpdating());
}

} // namespace
