// What a frame of the game sounds like, read off the world before and after its moves: the
// hero's steps in time with the walk's picture, a bump when the hero is first held back, and
// the crowd walking on the screen. The world itself knows nothing of sound.
#pragma once

#include "sound/heard.h"
#include "world/world.h"

#include <SDL.h>
#include <vector>

class Hearing {
public:
    // Before the frame's moves: where the hero stands.
    void before(const World& world) { from_ = world.player.getPosition(); }
    // After the frame's moves and drawing: what it did. direction is the hero's, or
    // NO_DIRECTION when standing.
    Heard after(const World& world, int direction);

private:
    bool onGrass(SDL_Surface* background, int x, int y);

    SDL_Rect from_ = {};
    std::vector<bool> grass_; // each world pixel's, read from the background once
    bool held_ = false;       // the hero was held back in the frame before
};

// Which of the world picture's pixels are grass, row by row: greener than red, where the paths
// are sand. Read under a lock, as the picture may be run-length encoded for blitting.
std::vector<bool> grass_of(SDL_Surface* background);
