// Sprite: its setters and the per-frame animation and drawing.
#include "sprite/sprite.h"

#include "display/display.h"
#include "display/rect16.h"

namespace {
constexpr int FACING_DOWN = 2;
constexpr int DIRECTIONS = 4;
} // namespace

void Sprite::init(std::string file, SDL_Rect newPosition, SDL_Rect newCollision, int newMoveRate,
                  bool isMovable) {
    frame = 0;
    direction = FACING_DOWN;
    updating = true;
    staticFlag = true;
    movable = isMovable;
    moveRate = newMoveRate;
    position = newPosition;
    collision = newCollision;
    image = load_image(file);
}

void Sprite::animStart(int up, int right, int down, int left) {
    animStartFrames[0] = up;
    animStartFrames[1] = right;
    animStartFrames[2] = down;
    animStartFrames[3] = left;
}

void Sprite::animFrames(int up, int right, int down, int left) {
    animFrameCounts[0] = up;
    animFrameCounts[1] = right;
    animFrameCounts[2] = down;
    animFrameCounts[3] = left;
}

void Sprite::setPosition(SDL_Rect newPosition) {
    position.x = newPosition.x;
    position.y = newPosition.y;
    updating = true;
}

void Sprite::setDirection(int newDirection) {
    if (newDirection != direction) {
        frame = 0;
        updating = true;
        direction = newDirection;
    }
}

void Sprite::resetFrame() {
    frame = -1;
    updating = true;
}

void Sprite::updateSelf(SDL_Rect destination) {
    SDL_Rect source = {0, 0, position.w, position.h};
    if (movable) {
        frameCount = frameCount > 0 ? frameCount - 1 : 0;
        if (direction >= 0 && direction < DIRECTIONS) {
            if (updating) {
                ++frame;
                if (frame >= animFrameCounts[direction]) {
                    frame = 0;
                }
            } else {
                frame = 0;
            }
            // Frames past 32767 pixels down wrap, as every stored rectangle coordinate does.
            source.y =
                low16((static_cast<std::int64_t>(frame) + animStartFrames[direction]) * position.h);
        }
    }
    if (image != nullptr) {
        SDL_UpperBlit(image, &source, SCREEN, &destination);
    }
    updating = false;
}
