// The broad phase against the full scan it replaced: long seeded games, move by move.
#include "display/rect16.h"
#include "world/world_fixture.h"

using namespace fixtures;

namespace {

constexpr int FRAMES = 1500;

SDL_Rect boxAt(SDL_Rect frame, SDL_Rect box) {
    return {low16(frame.x + box.x), low16(frame.y + box.y), box.w, box.h};
}

// One step as the full scan made it: the slots are the non-player sprites then the player, each
// where it stood when the mover stepped; every other box is tested against the box made before
// the scan, and each hit pushes the mover back. Counts the hits.
SDL_Rect referenceStep(const std::vector<Sprite>& slots, int mover, int direction, const World& w,
                       int& hits) {
    constexpr int ACROSS[] = {0, 1, 0, -1};
    constexpr int DOWNWARD[] = {-1, 0, 1, 0};
    const Sprite& sprite = slots[mover];
    SDL_Rect f = sprite.position;
    f.x = low16(f.x + ACROSS[direction] * sprite.moveRate);
    f.y = low16(f.y + DOWNWARD[direction] * sprite.moveRate);
    f.x = f.x < 0 ? 0 : f.x + f.w > w.worldWidth ? low16(w.worldWidth - f.w) : f.x;
    f.y = f.y < 0 ? 0 : f.y + f.h > w.worldHeight ? low16(w.worldHeight - f.h) : f.y;
    const SDL_Rect box = boxAt(f, sprite.collision);
    hits = 0;
    for (int slot = 0; slot < static_cast<int>(slots.size()); ++slot) {
        const SDL_Rect other = boxAt(slots[slot].position, slots[slot].collision);
        if (slot != mover && World::does_collide(box, other)) {
            const int pushedTo[] = {other.y + other.h - (f.h - box.h), other.x - f.w, other.y - f.h,
                                    other.x + other.w};
            (direction == UP || direction == DOWN ? f.y : f.x) = low16(pushedTo[direction]);
            ++hits;
        }
    }
    return f;
}

std::vector<Sprite> slotsOf(const World& w) {
    std::vector<Sprite> slots = w.npcs;
    slots.push_back(w.player);
    return slots;
}

// Places the crowd in rows of perRow from (x, y), step by step pixels apart, the player last.
void pack(World& w, int x, int y, int stepX, int stepY, int perRow) {
    for (int i = 0; i <= w.npcCount; ++i) {
        place(i < w.npcCount ? w.npcs[i] : w.player, x + stepX * (i % perRow),
              y + stepY * (i / perRow));
    }
}

using BroadPhase = WorldTest;

TEST_F(BroadPhase, LongGamesMoveEverySpriteAsTheFullScanDid) {
    const struct {
        const char* name;
        int width, height; // pixels
        void (*arrange)(World&);
    } games[] = {
        {"the crowd as built, in rows", 1328, 832, [](World&) {}},
        {"packed into the top-left corner", 1328, 832, [](World& w) { pack(w, 0, 0, 9, 7, 15); }},
        {"packed into the bottom-right corner", 1328, 832,
         [](World& w) { pack(w, 1328 - 22, 832 - 37, -9, -7, 15); }},
        {"flush in rows of 60 from the top edge to the bottom one", 1328, 832,
         [](World& w) { pack(w, 0, 0, 22, (832 - 28) / 3, 60); }},
        {"crammed into a world smaller than the screen", 200, 150,
         [](World& w) { pack(w, 0, 0, 12, 10, 16); }},
    };
    for (const auto& game : games) {
        SCOPED_TRACE(game.name);
        World& w = build(20261209, game.width, game.height);
        game.arrange(w);
        int crowdedMoves = 0; // moves that hit two boxes or more
        int edgeMoves = 0;    // moves that ended at a world's edge
        for (int frame = 0; frame < FRAMES; ++frame) {
            std::vector<Sprite> slots = slotsOf(w);
            const int playerDirection = rand() % 4;
            w.moveSprite(true, 0, playerDirection);
            w.moveNPCs();
            w.updateAll();
            // The player stepped first, then every walker in index order.
            const std::vector<Sprite> after = slotsOf(w);
            const int playerSlot = w.npcCount;
            for (int k = 0; k <= w.npcCount; ++k) {
                const int slot = k == 0 ? playerSlot : k - 1;
                const bool stepped = slot == playerSlot || !after[slot].isStatic();
                const int direction = slot == playerSlot ? playerDirection : after[slot].direction;
                int hits = 0;
                const SDL_Rect expected =
                    stepped ? referenceStep(slots, slot, direction, w, hits) : slots[slot].position;
                const SDL_Rect got = after[slot].position;
                ASSERT_TRUE(got.x == expected.x && got.y == expected.y)
                    << "frame " << frame << ", slot " << slot << " at " << got.x << ", " << got.y
                    << " where the full scan puts it at " << expected.x << ", " << expected.y;
                crowdedMoves += hits >= 2;
                edgeMoves +=
                    stepped && (got.x <= 0 || got.y <= 0 || got.x + got.w >= w.worldWidth ||
                                got.y + got.h >= w.worldHeight);
                slots[slot] = after[slot];
            }
        }
        EXPECT_GT(crowdedMoves, 0);
        EXPECT_GT(edgeMoves, 0);
    }
}

} // namespace
