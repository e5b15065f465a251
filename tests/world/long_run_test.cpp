// A long headless run of the world by itself: it must run clean, and its figures are reported.
#include "world/world_fixture.h"

#include <algorithm>

using namespace fixtures;

namespace {

constexpr int FRAMES = 2000;

SDL_Rect boxOf(const Sprite& sprite) {
    const SDL_Rect frame = sprite.getPosition();
    const SDL_Rect box = sprite.getCollision();
    return {static_cast<Sint16>(frame.x + box.x), static_cast<Sint16>(frame.y + box.y), box.w,
            box.h};
}

// How far a frame stands outside the world, in pixels; 0 inside.
int outside(const World& w, const Sprite& sprite) {
    const SDL_Rect f = sprite.getPosition();
    return std::max({0, -f.x, -f.y, f.x + f.w - w.worldWidth, f.y + f.h - w.worldHeight});
}

using LongRun = WorldTest;

TEST_F(LongRun, TwoThousandFramesRunCleanWithEverySpriteKept) {
    World& w = build(20261208);
    int overlappingSprites = 0; // sprite-frames whose box overlaps another's after a frame
    int framesWithOverlap = 0;
    int farthestOutside = 0;
    for (int frame = 0; frame < FRAMES; ++frame) {
        w.idleSprite(true, 0);
        w.moveNPCs();
        w.updateAll();
        bool overlap = false;
        for (int i = 0; i < w.npcCount; ++i) {
            farthestOutside = std::max(farthestOutside, outside(w, w.npcs[i]));
            for (int j = 0; j <= w.npcCount; ++j) {
                const Sprite& other = j < w.npcCount ? w.npcs[j] : w.player;
                if (j != i && World::does_collide(boxOf(w.npcs[i]), boxOf(other))) {
                    ++overlappingSprites;
                    overlap = true;
                    break;
                }
            }
        }
        framesWithOverlap += overlap;
    }
    RecordProperty("overlapping_sprite_frames", overlappingSprites);
    RecordProperty("frames_with_overlap", framesWithOverlap);
    RecordProperty("farthest_outside_pixels", farthestOutside);
    std::printf("after %d frames: %d sprite-frames overlapping another box, in %d frames; "
                "farthest outside the world: %d pixels\n",
                FRAMES, overlappingSprites, framesWithOverlap, farthestOutside);

    ASSERT_EQ(w.npcs.size(), 200u);
    // A push-back is not held inside the world, but it moves a sprite by less than a frame.
    EXPECT_LT(farthestOutside, 37);
}

} // namespace
