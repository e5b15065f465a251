// Drawing the world: the view of the background and every sprite at its screen place.
#include "world/world.h"

#include "display/display.h"

#include <utility>

namespace {

constexpr int LAST_ROW = 32767; // the lowest pixel a 16-bit rectangle can name

// Whether SDL clips a sprite's blit to this screen place to nothing: the place lies wholly off
// the screen's clip rectangle. SDL clips a sprite's sheet only from its right and bottom, or
// from its top, moving the place down; a place ending past the 16-bit rows is left to SDL, as
// that move could wrap it.
bool clippedAway(SDL_Rect place, const SDL_Rect& clip) {
    return place.x + place.w <= clip.x || place.x >= clip.x + clip.w ||
           place.y + place.h <= clip.y ||
           (place.y >= clip.y + clip.h && place.y + place.h <= LAST_ROW);
}

// Off the screen a sprite still animates and counts its action down, without the blit.
void draw(Sprite& sprite, SDL_Rect place, const SDL_Rect& clip) {
    if (sprite.image == nullptr || !clippedAway(place, clip)) {
        sprite.updateSelf(place);
        return;
    }
    SDL_Surface* const image = std::exchange(sprite.image, nullptr);
    sprite.updateSelf(place);
    sprite.image = image;
}

} // namespace

void World::updateAll() {
    // Tested before the player is drawn, since drawing clears the mark.
    if (player.isUpdating()) {
        paintView();
    }
    const SDL_Rect clip = SCREEN->clip_rect;
    draw(player, getDrawPos(player.getPosition()), clip);
    for (Sprite& npc : npcs) {
        draw(npc, getDrawPos(npc.getPosition()), clip);
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
