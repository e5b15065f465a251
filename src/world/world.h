// The playfield: the background, the camera, the player and the non-player sprites, with their
// construction, movement with collision, behaviour and the per-frame drawing pass.
#pragma once

#include "sprite/sprite.h"
#include "world/box_grid.h"

#include <SDL.h>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Thrown by World's constructor when the background cannot even be opened (missing, unreadable,
// a folder): most often the program was started away from its pictures, which its entry knows
// how to say. A background that opens but is damaged throws a plain std::runtime_error.
class BackgroundNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Direction codes, the argument of every movement.
constexpr int UP = 0;
constexpr int RIGHT = 1;
constexpr int DOWN = 2;
constexpr int LEFT = 3;

class World {
public:
    // Loads the background and every sprite sheet from the working directory, places the
    // player and the 200 non-player sprites (one rand() each picks its kind), fits the camera
    // and blits the background once to SCREEN without flipping.
    // Throws std::runtime_error when "Background.bmp" cannot be loaded; a missing sprite sheet
    // is reported once per file on stderr and leaves those sprites without a picture.
    World();

    // What playing changes: the sprites and the camera. The pictures and the world's size stay.
    struct Moment {
        Sprite player;
        std::vector<Sprite> npcs;
        SDL_Rect camera;
    };
    Moment moment() const { return {player, npcs, camera}; }
    // Puts the world back as it stood at a moment of its own, after which it goes on exactly as
    // it went on from there. The screen is left alone: the next drawing repaints it.
    void restore(const Moment& moment);

    // Camera. Rectangles are in pixels; world ones have their origin at the background's
    // top-left corner, screen ones at the screen's.
    // Centres the view on target as far as the world's edges allow; returns the new camera.
    SDL_Rect fitToPlayer(SDL_Rect target);
    // The screen place of a world rectangle.
    SDL_Rect getDrawPos(SDL_Rect r) const;
    // Whether a screen rectangle lies on the screen or touches its border.
    static bool canDraw(SDL_Rect r);

    // Movement: one step of the player (isPlayer; index unused) or of npcs[index] in a
    // direction, held inside the world and pushed back by every other sprite's collision box.
    // Sprites placed by hand since the last move are found first.
    void moveSprite(bool isPlayer, int index, int direction);
    // Whether two collision boxes overlap; boxes that only touch do not. Sums in int, so edges
    // near the 16-bit limits do not wrap. Here, so that the broad phase's loop can inline it.
    static bool does_collide(SDL_Rect a, SDL_Rect b) {
        const bool across = a.x > b.x ? a.x < b.x + b.w : a.x + a.w > b.x;
        return across && (a.y > b.y ? a.y < b.y + b.h : a.y + a.h > b.y);
    }

    // Behaviour: every movable non-player sprite acts once, in index order, drawing its
    // decisions from rand().
    void moveNPCs();
    // Puts a sprite into its standing picture.
    void idleSprite(bool isPlayer, int index);

    // Drawing pass: repaints the view when the player has changed, then draws the player and
    // every non-player sprite over it, in that order.
    void updateAll();

    SDL_Surface* background = nullptr; // the world's picture; loaded once, never freed
    int worldWidth = 0;                // pixels
    int worldHeight = 0;               // pixels
    int npcCount = 0;                  // the size of npcs
    SDL_Rect camera = {};              // x, y: the world pixel at the screen's top-left corner
    Sprite player = {};
    std::vector<Sprite> npcs;

private:
    // The same step, with every box already in grid.
    void stepSprite(bool isPlayer, int index, int direction);
    // Enters in grid every box that changed outside stepSprite, and all of them when the crowd
    // has changed size. Slot npcCount is the player's.
    void enterMovedBoxes();
    // Both report each missing sheet once, remembering the names in missing.
    void buildPlayer(std::set<std::string>& missing);
    void buildNpcs(std::set<std::string>& missing);
    // A walk or a stand chosen at random for npcs[index].
    void decide(int index);
    // Blits the camera's view of the background over the whole screen.
    void paintView();
    // Blits the background over a sprite's place in the world, when it is on the screen.
    void repaint(SDL_Rect place);

    BoxGrid grid; // every collision box, kept current by each step
};
