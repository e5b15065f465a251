// The camera: centring on the player, held inside the world, and screen places.
#include "world/world_fixture.h"

using namespace fixtures;

namespace {

using Camera = WorldTest;

SDL_Rect rect(int x, int y, int w, int h) {
    return {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
            static_cast<Uint16>(h)};
}

TEST_F(Camera, FitsTheTargetCentredAsFarAsTheEdgesAllow) {
    World& world = build(1, 1280, 960);
    SDL_Rect fitted = world.fitToPlayer(rect(631, 388, 19, 24));
    EXPECT_EQ(fitted.x, 321);
    EXPECT_EQ(fitted.y, 160);
    EXPECT_EQ(fitted.w, 640);
    EXPECT_EQ(fitted.h, 480);
    EXPECT_EQ(world.camera.x, 321);

    // Half of 621 and of 620 truncate alike.
    EXPECT_EQ(world.fitToPlayer(rect(631, 388, 20, 24)).x, 321);
    EXPECT_EQ(world.fitToPlayer(rect(631, 388, 21, 24)).x, 321 + 1);

    // One pixel past each edge is held at it.
    fitted = world.fitToPlayer(rect(309, 227, 19, 24));
    EXPECT_EQ(fitted.x, 0);
    EXPECT_EQ(fitted.y, 0);
    fitted = world.fitToPlayer(rect(951, 709, 19, 24));
    EXPECT_EQ(fitted.x, 1280 - 640);
    EXPECT_EQ(fitted.y, 960 - 480);
    fitted = world.fitToPlayer(rect(0, 0, 19, 24));
    EXPECT_EQ(fitted.x, 0);
    EXPECT_EQ(fitted.y, 0);
    fitted = world.fitToPlayer(rect(1280 - 19, 960 - 24, 19, 24));
    EXPECT_EQ(fitted.x, 1280 - 640);
    EXPECT_EQ(fitted.y, 960 - 480);
}

TEST_F(Camera, WorldNarrowerThanTheScreenKeepsTheSameNegativeCamera) {
    World& world = build(1, 600, 1000);
    for (const SDL_Rect& target : {rect(0, 0, 19, 24), rect(580, 500, 19, 24)}) {
        EXPECT_EQ(world.fitToPlayer(target).x, -40);
    }
}

TEST_F(Camera, ScreenPlacesAreWorldPlacesLessTheCamera) {
    World& world = build();
    const SDL_Rect start = world.getDrawPos(world.player.getPosition());
    EXPECT_EQ(start.x, 310);
    EXPECT_EQ(start.y, 228);
    EXPECT_EQ(start.w, 19);
    EXPECT_EQ(start.h, 24);
    // A difference past the 16-bit range wraps.
    EXPECT_EQ(world.getDrawPos(rect(-32700, 0, 1, 1)).x, -32700 - 321 + 65536);
}

TEST_F(Camera, DrawableRectanglesTouchTheScreenAtLeast) {
    const struct {
        SDL_Rect r;
        bool drawable;
    } cases[] = {
        {rect(-19, 0, 19, 24), true}, {rect(-20, 0, 19, 24), false},
        {rect(640, 0, 19, 24), true}, {rect(641, 0, 19, 24), false},
        {rect(0, -24, 19, 24), true}, {rect(0, -25, 19, 24), false},
        {rect(0, 480, 19, 24), true}, {rect(0, 481, 19, 24), false},
        {rect(0, 0, 0, 0), true},     {rect(-32768, 0, 65535, 1), true},
    };
    for (const auto& [r, drawable] : cases) {
        EXPECT_EQ(World::canDraw(r), drawable) << r.x << ", " << r.y << ", " << r.w << ", " << r.h;
    }
}

} // namespace
