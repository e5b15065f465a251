// Drawing the world: the view of the background and every sprite at its screen place.
#include "world/world.h"

#include "display/display.h"

void World::updateAll() {
    // Tested before the player is drawn, since drawing clears the mark.
    if (player.isUpdating()) {
        paintView();
    }
    player.updateSelf(getDrawPos(player.getPosition()));
    for (Sprite& npc : npcs) {
        npc.updateSelf(getDrawPos(npc.getPosition()));
    }
}

void World::paintView() {
    SDL_Rect view = camera;
    SDL_UpperBlit(background, &view, SCREEN, nullptr);
}

void World::repaint(SDL_Rect place) {
    SDL_Rect onScreen = getDrawPos(place);
    if (canDraw(onScreen)) {
        SDL_UpperBlit(background, &place, SCREEN, &onScreen);
    }
}
