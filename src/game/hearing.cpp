// Steps, bumps and the crowd, from the sprites' places and the walk's frames.
#include "game/hearing.h"

#include "display/display.h"
#include "input/input.h"

namespace {

// The hero's walk run: standing, stride, pass, the other stride, pass. A foot comes down on
// each stride.
constexpr int STRIDE = 1;
constexpr int OTHER_STRIDE = 3;

// Pixels the hero went in direction from one place to the other; less than a step when held.
int progress(SDL_Rect from, SDL_Rect to, int direction) {
    switch (direction) {
    case UP:
        return from.y - to.y;
    case RIGHT:
        return to.x - from.x;
    case DOWN:
        return to.y - from.y;
    case LEFT:
        return from.x - to.x;
    default:
        return 0;
    }
}

} // namespace

std::vector<bool> grass_of(SDL_Surface* background) {
    std::vector<bool> grass;
    if (background == nullptr || background->format->BytesPerPixel != 4 ||
        SDL_LockSurface(background) != 0) {
        return grass;
    }
    grass.reserve(static_cast<std::size_t>(background->w) * background->h);
    for (int y = 0; y < background->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(background->pixels) + y * background->pitch);
        for (int x = 0; x < background->w; ++x) {
            Uint8 red = 0;
            Uint8 green = 0;
            Uint8 blue = 0;
            SDL_GetRGB(row[x], background->format, &red, &green, &blue);
            grass.push_back(green > red);
        }
    }
    SDL_UnlockSurface(background);
    return grass;
}

bool Hearing::onGrass(SDL_Surface* background, int x, int y) {
    if (background == nullptr) {
        return false;
    }
    if (grass_.empty()) {
        grass_ = grass_of(background);
    }
    const std::size_t at = static_cast<std::size_t>(y) * background->w + x;
    return x >= 0 && y >= 0 && x < background->w && at < grass_.size() && grass_[at];
}

Heard Hearing::after(const World& world, int direction) {
    Heard heard;
    const Sprite& hero = world.player;
    const SDL_Rect to = hero.getPosition();
    const int went = progress(from_, to, direction);
    if (went > 0 && (hero.frame == STRIDE || hero.frame == OTHER_STRIDE)) {
        heard.step = true;
        heard.onGrass = onGrass(world.background, to.x + to.w / 2, to.y + to.h - 1);
    }
    const bool held = direction != NO_DIRECTION && went < hero.getMoveRate();
    heard.bump = held && !held_;
    held_ = held;
    for (const Sprite& npc : world.npcs) {
        if (!npc.isMovable() || npc.isStatic()) {
            continue;
        }
        const SDL_Rect place = world.getDrawPos(npc.getPosition());
        if (World::canDraw(place)) {
            ++(place.x + place.w / 2 < WIDTH / 2 ? heard.walkersLeft : heard.walkersRight);
        }
    }
    return heard;
}
