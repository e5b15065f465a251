// Putting the world back at a moment kept earlier, so that a replay can be sought from there.
#include "world/world.h"

void World::restore(const Moment& moment) {
    player = moment.player;
    npcs = moment.npcs;
    npcCount = static_cast<int>(npcs.size());
    camera = moment.camera;
    // The grid lists its cells' slots in any order but answers in slot order, so re-entering
    // the moved boxes leaves it answering as it did at that moment.
    enterMovedBoxes();
}
