// The drawing pass: the view's repaint, and every sprite drawn over it in a fixed order.
#include "world/world_fixture.h"

using namespace fixtures;

namespace {

constexpr Rgb PAINT = {1, 2, 3}; // the previous picture

// Whose sheet a colour comes from, whatever the frame.
bool isBlue(Rgb c) {
    return c.r == blueColour(0).r && c.g == blueColour(0).g;
}
bool isGreen(Rgb c) {
    return c.r == greenColour(0).r && c.b == greenColour(0).b;
}
bool isPlayer(Rgb c) {
    return c.g == playerColour(0).g && c.b == playerColour(0).b;
}

class Drawing : public WorldTest {
protected:
    // A point in the lower half of a sprite's frame on the screen, which the figure covers.
    Rgb shownAt(const World& w, const Sprite& sprite) {
        const SDL_Rect place = w.getDrawPos(sprite.getPosition());
        return screenPixel(place.x + place.w / 2, place.y + place.h - 1);
    }
};

TEST_F(Drawing, ViewIsRepaintedOnlyWhenThePlayerHasChanged) {
    World& w = buildSpreadOut(2);
    fillScreen(PAINT);
    w.player.setUpdating(false);
    w.updateAll();
    EXPECT_EQ(screenPixel(5, 5), PAINT);
    const Rgb soldier = shownAt(w, w.npcs[0]);
    EXPECT_TRUE(isBlue(soldier) || isGreen(soldier)) << soldier;

    fillScreen(PAINT);
    w.idleSprite(true, 0);
    w.updateAll();
    EXPECT_EQ(screenPixel(5, 5), backgroundColour(5, 5));
    EXPECT_EQ(screenPixel(639, 479), backgroundColour(639, 479));
    EXPECT_TRUE(isBlue(shownAt(w, w.npcs[0])) || isGreen(shownAt(w, w.npcs[0])));
    EXPECT_FALSE(w.player.isUpdating());
}

TEST_F(Drawing, LaterSpritesCoverEarlierOnesAndEveryOneCoversThePlayer) {
    World& w = buildSpreadOut(8);
    w.npcs[3].image = load_image("BlueSoldier.bmp");
    w.npcs[7].image = load_image("GreenSoldier.bmp");
    place(w.npcs[3], 300, 300);
    place(w.npcs[7], 300, 300);
    place(w.player, 300, 300);
    // The player's middle, which all three frames cover.
    const SDL_Rect player = w.getDrawPos(w.player.getPosition());
    const int x = player.x + player.w / 2;
    const int y = player.y + player.h / 2;
    w.updateAll();
    EXPECT_TRUE(isGreen(screenPixel(x, y))) << screenPixel(x, y);

    // With sprite 7 moved away, sprite 3 still covers the player below it.
    place(w.npcs[7], 500, 500);
    w.updateAll();
    EXPECT_TRUE(isBlue(screenPixel(x, y))) << screenPixel(x, y);

    // Alone, the player shows; sprite 3, its left edge on the screen's last column, shows it.
    place(w.npcs[3], 639, 100);
    w.updateAll();
    EXPECT_TRUE(isPlayer(screenPixel(x, y))) << screenPixel(x, y);
    EXPECT_TRUE(isBlue(screenPixel(639, 110))) << screenPixel(639, 110);
}

TEST_F(Drawing, SpritesOffTheScreenStillAnimateAndCountDown) {
    World& w = buildSpreadOut(1);
    w.npcs[0].setFrameCount(5);
    w.player.setFrameCount(2);
    w.updateAll();
    EXPECT_EQ(w.npcs[0].getFrameCount(), 4);
    EXPECT_EQ(w.player.getFrameCount(), 1);
    EXPECT_FALSE(w.player.isUpdating());
}

} // namespace
