// Non-player behaviour: each sprite walks a few steps or stands a few frames, at random.
#include "world/world.h"

#include <cstdlib>

namespace {
constexpr int ACTIONS = 3; // rand() % 3: 2 walks, 0 and 1 stand
constexpr int WALK = 2;
constexpr int DIRECTIONS = 4;   // rand() % 4 picks a direction code
constexpr int TURN_CHOICES = 4; // rand() % 4: 0 to 2 turn a standing sprite, 3 keeps it
constexpr int KEEP_FACING = 3;
constexpr int SHORTEST_ACTION = 6; // frames
constexpr int ACTION_LENGTHS = 6;  // so an action lasts 6 to 11 frames

int actionLength() {
    return rand() % ACTION_LENGTHS + SHORTEST_ACTION;
}
} // namespace

void World::moveNPCs() {
    enterMovedBoxes();
    for (int i = 0; i < static_cast<int>(npcs.size()); ++i) {
        Sprite& npc = npcs[i];
        if (!npc.isMovable()) {
            continue;
        }
        if (npc.getFrameCount() > 0) {
            if (!npc.isStatic()) {
                stepSprite(false, i, npc.getDirection());
            }
        } else {
            decide(i);
        }
    }
}

void World::decide(int index) {
    Sprite& npc = npcs[index];
    if (rand() % ACTIONS == WALK) {
        npc.setFrameCount(actionLength());
        npc.setStatic(false);
        stepSprite(false, index, rand() % DIRECTIONS);
    } else {
        npc.setStatic(true);
        if (rand() % TURN_CHOICES != KEEP_FACING) {
            npc.setDirection(rand() % DIRECTIONS);
        }
        npc.resetFrame();
        npc.setFrameCount(actionLength());
    }
}

void World::idleSprite(bool isPlayer, int index) {
    (isPlayer ? player : npcs[index]).resetFrame();
}
