// Movement: steps held inside the world, push-back by other sprites, repaint and camera.
#include "world/world_fixture.h"

using namespace fixtures;

namespace {

constexpr bool PLAYER = true;
constexpr bool NPC = false;
constexpr Rgb PAINT = {1, 2, 3}; // what the screen held before a move

// A world whose first few non-player sprites (soldiers, 22 x 28, box 16 rows at y + 12) are
// parked in the bottom-right corner, clear of each other, until a test places them.
class Movement : public WorldTest {
protected:
    World& world(int npcs) {
        World& built = build(soldiersOnlySeed(npcs));
        keepNpcs(built, npcs);
        for (int i = 0; i < npcs; ++i) {
            place(built.npcs[i], 1000 + 25 * i, 780);
        }
        return built;
    }
    static int x(const Sprite& sprite) { return sprite.getPosition().x; }
    static int y(const Sprite& sprite) { return sprite.getPosition().y; }
};

TEST_F(Movement, StepsStopAtTheWorldsEdges) {
    World& w = world(1);
    const int cases[][5] = {
        // start x, y, direction, end x, y (the player: 19 x 24, 4 pixels a step)
        {0, 300, LEFT, 0, 300},
        {3, 300, LEFT, 0, 300}, // one pixel past the edge
        {500, 3, UP, 500, 0},
        {1328 - 19, 300, RIGHT, 1328 - 19, 300},
        {1328 - 22, 300, RIGHT, 1328 - 19, 300},
        {500, 832 - 24, DOWN, 500, 832 - 24},
        {500, 832 - 27, DOWN, 500, 832 - 24},
        {500, 300, RIGHT, 504, 300},
    };
    for (const auto& [startX, startY, direction, endX, endY] : cases) {
        place(w.player, startX, startY);
        w.moveSprite(PLAYER, 0, direction);
        EXPECT_EQ(x(w.player), endX) << startX << ", " << startY << " going " << direction;
        EXPECT_EQ(y(w.player), endY) << startX << ", " << startY << " going " << direction;
    }
    // A non-player sprite steps by its own rate and is not stopped by itself.
    place(w.npcs[0], 0, 600);
    w.moveSprite(NPC, 0, LEFT);
    EXPECT_EQ(x(w.npcs[0]), 0);
    w.moveSprite(NPC, 0, RIGHT);
    EXPECT_EQ(x(w.npcs[0]), 3);
}

TEST(Collision, BoxesOverlapOnlyWhenTheyShareAPixel) {
    const SDL_Rect box = {100, 100, 20, 10};
    const struct {
        SDL_Rect other;
        bool overlaps;
    } cases[] = {
        {{120, 100, 5, 10}, false}, {{119, 100, 5, 10}, true}, // on the right
        {{95, 100, 5, 10}, false},  {{96, 100, 5, 10}, true},  // on the left
        {{100, 90, 20, 10}, false}, {{100, 91, 20, 10}, true}, // above
        {{100, 110, 20, 4}, false}, {{100, 109, 20, 4}, true}, // below
        {{105, 102, 2, 2}, true},   {{90, 95, 40, 20}, true},  // inside, around
        {{120, 110, 5, 5}, false},  {{95, 95, 5, 5}, false},   // corner to corner
    };
    for (const auto& [other, overlaps] : cases) {
        EXPECT_EQ(World::does_collide(box, other), overlaps) << other.x << ", " << other.y;
        EXPECT_EQ(World::does_collide(other, box), overlaps) << other.x << ", " << other.y;
    }
}

TEST_F(Movement, MoverEndsFlushAgainstTheBoxItHits) {
    World& w = world(1);
    Sprite& other = w.npcs[0];
    struct Case {
        int otherX, otherY, startX, startY, direction, endX, endY;
    };
    const Case cases[] = {
        {121, 100, 100, 100, RIGHT, 102, 100}, // frame's right edge on the box's left edge
        {125, 100, 150, 100, LEFT, 147, 100},  // frame's left edge on the box's right edge
        {100, 115, 100, 100, DOWN, 100, 103},  // frame's bottom edge on the box's top edge
        // Up: the player's box top on the other box's bottom, 8 rows into the other's frame.
        {100, 178, 100, 200, UP, 100, 198},
    };
    for (const Case& c : cases) {
        place(other, c.otherX, c.otherY);
        place(w.player, c.startX, c.startY);
        w.moveSprite(PLAYER, 0, c.direction);
        EXPECT_EQ(x(w.player), c.endX) << "going " << c.direction;
        EXPECT_EQ(y(w.player), c.endY) << "going " << c.direction;
    }

    // Boxes that only touch do not collide: the player walks down along a flush neighbour.
    place(other, 119, 80);
    place(w.player, 100, 100);
    w.moveSprite(PLAYER, 0, DOWN);
    EXPECT_EQ(y(w.player), 104);

    // Overlapping before and after the step, the mover goes to the side it came from, and
    // the push-back is not held inside the world.
    place(other, 100, 5);
    place(w.player, 100, 0);
    w.moveSprite(PLAYER, 0, DOWN);
    EXPECT_EQ(y(w.player), 17 - 24);
}

TEST_F(Movement, LastHitInSlotOrderDecides) {
    World& w = world(10);
    // The player moving right into non-player 5's box at x 100 and 9's at x 110.
    place(w.npcs[5], 100, 300);
    place(w.npcs[9], 110, 300);
    place(w.player, 90, 300);
    w.moveSprite(PLAYER, 0, RIGHT);
    EXPECT_EQ(x(w.player), 110 - 19);

    // The same boxes the other way round: the higher slot still decides, not the nearer box.
    place(w.npcs[5], 110, 300);
    place(w.npcs[9], 100, 300);
    place(w.player, 90, 300);
    w.moveSprite(PLAYER, 0, RIGHT);
    EXPECT_EQ(x(w.player), 100 - 19);

    // A non-player mover meets the player last: here the player decides over sprite 1.
    place(w.npcs[0], 85, 500);
    place(w.npcs[1], 110, 500);
    place(w.player, 100, 500 + 4);
    w.moveSprite(NPC, 0, RIGHT);
    EXPECT_EQ(x(w.npcs[0]), 100 - 22);

    // The player's own scan reaches sprite 0.
    place(w.npcs[0], 300, 600);
    place(w.player, 280, 600);
    w.moveSprite(PLAYER, 0, RIGHT);
    EXPECT_EQ(x(w.player), 300 - 19);
}

TEST_F(Movement, BlockedMoveStillRepaintsStoresAndRefitsTheCamera) {
    World& w = world(1);
    place(w.npcs[0], 319, 100);
    place(w.player, 300, 100); // flush against sprite 0's box
    w.camera.x = 5;
    w.camera.y = 5;
    w.player.setUpdating(false);
    fillScreen(PAINT);

    w.moveSprite(PLAYER, 0, RIGHT);
    EXPECT_EQ(x(w.player), 300);
    EXPECT_EQ(y(w.player), 100);
    EXPECT_TRUE(w.player.isUpdating());
    EXPECT_EQ(w.player.getDirection(), RIGHT);
    // The old place was repainted through the camera from before the move...
    EXPECT_EQ(screenPixel(295, 95), backgroundColour(300, 100));
    EXPECT_EQ(screenPixel(295 + 18, 95 + 23), backgroundColour(318, 123));
    EXPECT_EQ(screenPixel(295 + 19, 95), PAINT);
    EXPECT_EQ(screenPixel(294, 95), PAINT);
    EXPECT_EQ(screenPixel(295, 95 + 24), PAINT);
    // ...and the camera was fitted to the player afterwards.
    EXPECT_EQ(w.camera.x, 0);
    EXPECT_EQ(w.camera.y, 0);
}

TEST_F(Movement, OldPlaceOffTheScreenIsNotRepainted) {
    World& w = world(1);
    place(w.npcs[0], 1200, 780);
    fillScreen(PAINT);
    w.moveSprite(NPC, 0, UP);
    EXPECT_EQ(y(w.npcs[0]), 777);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            ASSERT_EQ(screenPixel(x, y), PAINT) << x << ", " << y;
        }
    }
    // A place that only touches the screen's edge is still repainted (it is clipped away).
    place(w.npcs[0], w.camera.x + WIDTH, w.camera.y);
    w.moveSprite(NPC, 0, UP);
    EXPECT_EQ(screenPixel(639, 0), PAINT);
}

TEST_F(Movement, UnknownDirectionTurnsAndStoresWithoutStepOrPushBack) {
    World& w = world(1);
    place(w.npcs[0], 100, 300);
    place(w.player, 105, 300); // overlapping sprite 0's box
    w.moveSprite(PLAYER, 0, 7);
    EXPECT_EQ(w.player.getDirection(), 7);
    EXPECT_EQ(x(w.player), 105);
    EXPECT_EQ(y(w.player), 300);

    // The clamp still applies.
    place(w.player, -6, 900);
    w.moveSprite(PLAYER, 0, -1);
    EXPECT_EQ(x(w.player), 0);
    EXPECT_EQ(y(w.player), 832 - 24);
}

} // namespace
