// One animated picture in the world: its sheet, position, collision box, direction,
// per-direction animation runs and behaviour flags, and the drawing of its current frame.
#pragma once

#include <SDL.h>
#include <string>

// A plain copyable record: a value-initialised Sprite is all zero and draws nothing.
// A sheet is one column of frames at its left edge, frame k at y = k * position.h.
struct Sprite {
    SDL_Surface* image;     // the sheet from load_image; may be null; never freed here
    SDL_Rect position;      // x, y: top-left corner in world pixels; w, h: one frame's size
    SDL_Rect collision;     // x, y: offset from position (pixels); w, h: the box's size
    int frame;              // index within the current run; -1 makes the next drawing frame 0
    int moveRate;           // pixels per movement step
    int direction;          // 0 up, 1 right, 2 down, 3 left
    int frameCount;         // frames left of the current non-player action
    bool staticFlag;        // standing rather than walking
    bool movable;           // animated; one that is not always shows the sheet's first frame
    bool updating;          // changed since last drawn: the next drawing advances the animation
    int animStartFrames[4]; // first sheet frame of each direction's run
    int animFrameCounts[4]; // number of frames in each direction's run

    // Loads the sheet (a surface of this sprite's own) and sets the sprite facing down,
    // standing, at frame 0 and marked as changed. Leaves frameCount and the tables alone.
    void init(std::string file, SDL_Rect position, SDL_Rect collision, int moveRate, bool movable);
    void animStart(int up, int right, int down, int left);
    void animFrames(int up, int right, int down, int left);

    // Takes x and y only (w and h stay the frame size) and marks the sprite as changed.
    void setPosition(SDL_Rect position);
    // A new direction restarts the run and marks the sprite; the same one changes nothing.
    void setDirection(int direction);
    // Makes the next drawing show frame 0 of the current run.
    void resetFrame();
    void setStatic(bool isStatic) { staticFlag = isStatic; }
    void setUpdating(bool isUpdating) { updating = isUpdating; }
    void setFrameCount(int count) { frameCount = count; }

    SDL_Rect getPosition() const { return position; }
    SDL_Rect getCollision() const { return collision; }
    int getMoveRate() const { return moveRate; }
    int getDirection() const { return direction; }
    int getFrameCount() const { return frameCount; }
    bool isStatic() const { return staticFlag; }
    bool isMovable() const { return movable; }
    bool isUpdating() const { return updating; }
    bool hasImage() const { return image != nullptr; }

    // Advances the animation by one frame when the sprite has changed, counts its action down
    // and draws the current frame on SCREEN at the given screen place (only x and y count).
    void updateSelf(SDL_Rect destination);
};
