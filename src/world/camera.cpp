// The camera: which 640 x 480 part of the world is on the screen.
#include "world/world.h"

#include "display/display.h"
#include "display/rect16.h"

SDL_Rect World::fitToPlayer(SDL_Rect target) {
    camera.x = low16(target.x - (WIDTH - target.w) / 2);
    camera.y = low16(target.y - (HEIGHT - target.h) / 2);
    if (camera.x < 0) {
        camera.x = 0;
    }
    if (camera.y < 0) {
        camera.y = 0;
    }
    // The upper clamps come last and win: a world smaller than the screen gets a negative
    // camera, which shows the world at the screen's right or bottom edge.
    if (camera.x > worldWidth - WIDTH) {
        camera.x = low16(worldWidth - WIDTH);
    }
    if (camera.y > worldHeight - HEIGHT) {
        camera.y = low16(worldHeight - HEIGHT);
    }
    return camera;
}

SDL_Rect World::getDrawPos(SDL_Rect r) const {
    r.x = low16(r.x - camera.x);
    r.y = low16(r.y - camera.y);
    return r;
}

bool World::canDraw(SDL_Rect r) {
    // Sums in int: a rectangle near the 16-bit limits must not wrap onto the screen.
    return r.x + r.w >= 0 && r.x <= WIDTH && r.y + r.h >= 0 && r.y <= HEIGHT;
}
