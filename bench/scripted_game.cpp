// The benchmarks' scripted game: the player's walk, the warm-up, and each frame's blits worked
// out from where the sprites were before the frame and what they show after it.
#include "scripted_game.h"

#include "display/display.h"
#include "display/rect16.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

constexpr int SIDE_FRAMES = 40; // frames the player walks before turning
constexpr int SQUARE[] = {RIGHT, DOWN, LEFT, UP};
constexpr int SIDES = sizeof SQUARE / sizeof SQUARE[0];
constexpr int DIRECTIONS = 4;

// Fixed seeds, so every run plays the same game.
constexpr unsigned WARMUP_SEED = 1;
constexpr unsigned CYCLE_SEED = 2;

constexpr int BLANK_SIZE = 1;   // pixels
constexpr int BLANK_DEPTH = 32; // bits per pixel

// A world rectangle's screen place under a given camera, as World::getDrawPos finds it.
SDL_Rect onScreen(SDL_Rect place, SDL_Rect camera) {
    place.x = low16(place.x - camera.x);
    place.y = low16(place.y - camera.y);
    return place;
}

// The part of its sheet that a sprite's last drawing showed.
SDL_Rect shownFrame(const Sprite& sprite) {
    SDL_Rect frame = {0, 0, sprite.position.w, sprite.position.h};
    if (sprite.movable && sprite.direction >= 0 && sprite.direction < DIRECTIONS) {
        const std::int64_t sheetFrame =
            static_cast<std::int64_t>(sprite.frame) + sprite.animStartFrames[sprite.direction];
        frame.y = low16(sheetFrame * sprite.position.h);
    }
    return frame;
}

// Plays frame number frame on world and returns the blits that SDL had to do for it. Every
// sprite that is walking after the frame stepped in it, the player always does (the script
// holds a key), and each step first repainted the sprite's old place when it was on screen.
FrameBlits recordFrame(World& world, int frame) {
    const SDL_Rect cameraBefore = world.camera;
    const SDL_Rect playerBefore = world.player.getPosition();
    std::vector<SDL_Rect> npcsBefore;
    for (const Sprite& npc : world.npcs) {
        npcsBefore.push_back(npc.getPosition());
    }
    playFrame(world, frame);

    FrameBlits blits;
    const auto repaint = [&](SDL_Rect place, SDL_Rect camera) {
        const SDL_Rect to = onScreen(place, camera);
        if (World::canDraw(to)) {
            blits.push_back({world.background, place, to});
        }
    };
    // The player steps before the others, so they repaint through the camera it moved.
    repaint(playerBefore, cameraBefore);
    for (std::size_t i = 0; i < world.npcs.size(); ++i) {
        if (world.npcs[i].isMovable() && !world.npcs[i].isStatic()) {
            repaint(npcsBefore[i], world.camera);
        }
    }
    blits.push_back({world.background, world.camera, {0, 0, 0, 0}});
    const auto draw = [&](const Sprite& sprite) {
        if (sprite.hasImage()) {
            blits.push_back(
                {sprite.image, shownFrame(sprite), onScreen(sprite.getPosition(), world.camera)});
        }
    };
    draw(world.player);
    for (const Sprite& npc : world.npcs) {
        draw(npc);
    }
    return blits;
}

std::vector<Uint8> screenBytes() {
    SDL_LockSurface(SCREEN);
    const auto* pixels = static_cast<const Uint8*>(SCREEN->pixels);
    std::vector<Uint8> bytes(pixels, pixels + static_cast<std::size_t>(SCREEN->pitch) * SCREEN->h);
    SDL_UnlockSurface(SCREEN);
    return bytes;
}

// The blits that draw something: each is done on SCREEN, and SDL empties the target rectangle
// of one that it clips to nothing.
FrameBlits blitsThatDraw(const FrameBlits& blits) {
    FrameBlits drawing;
    for (const Blit& blit : blits) {
        SDL_Rect from = blit.from;
        SDL_Rect to = blit.to;
        SDL_UpperBlit(blit.source, &from, SCREEN, &to);
        if (to.w > 0 && to.h > 0) {
            drawing.push_back(blit);
        }
    }
    return drawing;
}

// The blits, done on a cleared screen, must give the picture the frame drew; the frame's view of
// the background covers the whole screen, so nothing earlier shows through.
void checkSamePicture(const std::vector<Uint8>& drawn, const FrameBlits& blits, int frame) {
    SDL_FillRect(SCREEN, nullptr, 0);
    drawBlits(blits);
    if (screenBytes() != drawn) {
        throw std::runtime_error("the recorded blits of frame " + std::to_string(frame) +
                                 " do not draw the picture the frame drew");
    }
}

World warmedUp() {
    srand(WARMUP_SEED);
    World world;
    for (int frame = 0; frame < ScriptedGame::WARMUP_FRAMES; ++frame) {
        playFrame(world, frame);
    }
    return world;
}

} // namespace

int scriptedDirection(int frame) {
    return SQUARE[frame / SIDE_FRAMES % SIDES];
}

void moveAndDraw(World& world, int frame) {
    world.moveSprite(true, 0, scriptedDirection(frame));
    world.moveNPCs();
    world.updateAll();
}

void playFrame(World& world, int frame) {
    moveAndDraw(world, frame);
    update_screen();
}

void drawBlits(const FrameBlits& blits) {
    for (const Blit& blit : blits) {
        SDL_Rect from = blit.from; // SDL clips both rectangles in place
        SDL_Rect to = blit.to;
        SDL_UpperBlit(blit.source, &from, SCREEN, &to);
    }
    update_screen();
}

ScriptedGame::ScriptedGame()
    : start_(warmedUp()),
      blank_(SDL_CreateRGBSurface(SDL_SWSURFACE, BLANK_SIZE, BLANK_SIZE, BLANK_DEPTH, 0, 0, 0, 0),
             SDL_FreeSurface) {
    if (blank_ == nullptr) {
        throw std::runtime_error(std::string("cannot make a blank surface: ") + SDL_GetError());
    }
    World world = start();
    for (int k = 0; k < CYCLE_FRAMES; ++k) {
        blits_.push_back(recordFrame(world, frameNumber(k)));
        const std::vector<Uint8> drawn = screenBytes();
        drawing_.push_back(blitsThatDraw(blits_.back()));
        checkSamePicture(drawn, drawing_.back(), frameNumber(k));
    }
}

World ScriptedGame::start() const {
    seedCycle();
    return start_;
}

void ScriptedGame::seedCycle() {
    srand(CYCLE_SEED);
}

World ScriptedGame::blankStart() const {
    World world = start();
    world.background = blank_.get();
    world.player.image = nullptr;
    for (Sprite& npc : world.npcs) {
        npc.image = nullptr;
    }
    return world;
}

World ScriptedGame::tiledStart(int tilesAcross, int tilesDown) const {
    World world = blankStart();
    const std::vector<Sprite> crowd = world.npcs;
    world.npcs.clear();
    for (int tile = 0; tile < tilesAcross * tilesDown; ++tile) {
        const int left = tile % tilesAcross * world.worldWidth;
        const int top = tile / tilesAcross * world.worldHeight;
        for (Sprite npc : crowd) {
            npc.position.x = low16(npc.position.x + left);
            npc.position.y = low16(npc.position.y + top);
            world.npcs.push_back(npc);
        }
    }
    world.npcCount = static_cast<int>(world.npcs.size());
    world.worldWidth *= tilesAcross;
    world.worldHeight *= tilesDown;
    return world;
}

double ScriptedGame::averageBlits() const {
    std::size_t total = 0;
    for (const FrameBlits& frame : drawing_) {
        total += frame.size();
    }
    return static_cast<double>(total) / static_cast<double>(drawing_.size());
}

std::uint64_t ScriptedGame::fingerprint() const {
    // FNV-1a, 64 bits, over each rectangle's four fields.
    constexpr std::uint64_t OFFSET_BASIS = 14695981039346656037ULL;
    constexpr std::uint64_t PRIME = 1099511628211ULL;
    std::uint64_t digest = OFFSET_BASIS;
    const auto mix = [&digest](SDL_Rect r) {
        for (const long field : {long{r.x}, long{r.y}, long{r.w}, long{r.h}}) {
            digest = (digest ^ static_cast<std::uint64_t>(field)) * PRIME;
        }
    };
    for (const FrameBlits& frame : blits_) {
        for (const Blit& blit : frame) {
            mix(blit.from);
            mix(blit.to);
        }
    }
    return digest;
}
