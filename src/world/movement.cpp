// Movement: one step of one sprite, held inside the world and stopped by the other sprites.
#include "world/world.h"

#include "display/rect16.h"

namespace {

void step(SDL_Rect& frame, int direction, int moveRate) {
    switch (direction) {
    case UP:
        frame.y = low16(frame.y - moveRate);
        break;
    case RIGHT:
        frame.x = low16(frame.x + moveRate);
        break;
    case DOWN:
        frame.y = low16(frame.y + moveRate);
        break;
    case LEFT:
        frame.x = low16(frame.x - moveRate);
        break;
    default:
        break;
    }
}

// A step that would cross an edge is cut at the edge; the whole frame stays inside.
void clampToWorld(SDL_Rect& frame, int worldWidth, int worldHeight) {
    if (frame.x < 0) {
        frame.x = 0;
    } else if (frame.x + frame.w > worldWidth) {
        frame.x = low16(worldWidth - frame.w);
    }
    if (frame.y < 0) {
        frame.y = 0;
    } else if (frame.y + frame.h > worldHeight) {
        frame.y = low16(worldHeight - frame.h);
    }
}

SDL_Rect absoluteBox(SDL_Rect frame, SDL_Rect box) {
    return {low16(frame.x + box.x), low16(frame.y + box.y), box.w, box.h};
}

// Puts the mover's box flush against the side of other that it came from. Every box spans
// its frame's width and ends at its frame's bottom, which the formulas rely on.
void pushBack(SDL_Rect& frame, SDL_Rect box, SDL_Rect other, int direction) {
    switch (direction) {
    case UP:
        frame.y = low16(other.y + other.h - (frame.h - box.h));
        break;
    case RIGHT:
        frame.x = low16(other.x - frame.w);
        break;
    case DOWN:
        frame.y = low16(other.y - frame.h);
        break;
    case LEFT:
        frame.x = low16(other.x + other.w);
        break;
    default:
        break;
    }
}

} // namespace

void World::moveSprite(bool isPlayer, int index, int direction) {
    enterMovedBoxes();
    stepSprite(isPlayer, index, direction);
}

void World::stepSprite(bool isPlayer, int index, int direction) {
    Sprite& mover = isPlayer ? player : npcs[index];
    const SDL_Rect before = mover.getPosition();
    const SDL_Rect box = mover.getCollision();
    mover.setDirection(direction);
    repaint(before);

    SDL_Rect candidate = before;
    step(candidate, direction, mover.getMoveRate());
    clampToWorld(candidate, worldWidth, worldHeight);

    // Every box that overlaps the box made before the scan pushes the candidate back, in slot
    // order, so that the last hit decides. The player's slot comes after the last non-player
    // sprite's, so non-player movers meet it last.
    const SDL_Rect candidateBox = absoluteBox(candidate, box);
    const int slot = isPlayer ? npcCount : index;
    for (int other : grid.overlapping(candidateBox, slot)) {
        pushBack(candidate, candidateBox, grid.box(other), direction);
    }

    mover.setPosition(candidate);
    grid.enter(slot, absoluteBox(candidate, box));
    if (isPlayer) {
        camera = fitToPlayer(player.getPosition());
    }
}

void World::enterMovedBoxes() {
    if (grid.slots() != npcCount + 1) {
        grid.reset(worldWidth, worldHeight, npcCount + 1);
    }
    for (int i = 0; i < npcCount; ++i) {
        grid.enter(i, absoluteBox(npcs[i].position, npcs[i].collision));
    }
    grid.enter(npcCount, absoluteBox(player.position, player.collision));
}
