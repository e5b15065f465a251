// Building the world: the background sets its size, then the player and four rows of 50
// non-player sprites whose kinds are drawn at random.
#include "world/world.h"

#include "display/display.h"
#include "language/translation.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

namespace {

constexpr char BACKGROUND_FILE[] = "Background.bmp";

constexpr char PLAYER_FILE[] = "Link.bmp";
constexpr SDL_Rect PLAYER_START = {631, 388, 19, 24}; // pixels
constexpr Sint16 PLAYER_BOX_TOP = 8;                  // pixels below the frame's top
constexpr int PLAYER_MOVE_RATE = 4;                   // pixels per step
constexpr int PLAYER_RUN_LENGTH = 5;                  // frames per direction

constexpr int NPC_COUNT = 200;
constexpr int NPCS_PER_ROW = 50;
constexpr int ROW_Y[] = {
    100,
    300,
    500,
    700,
};
constexpr int FIRST_COLUMN_X = 40; // pixels
constexpr int COLUMN_SPACING = 25; // pixels
constexpr int NPC_MOVE_RATE = 3;   // pixels per step
static_assert(NPC_COUNT == NPCS_PER_ROW * std::size(ROW_Y), "every sprite has a row");

struct NpcKind {
    const char* file;
    Uint16 width, height; // one frame, pixels
    Sint16 boxTop;        // the collision box's offset below the frame's top, pixels
    int runStarts[4];     // first sheet frame, up, right, down, left
    int runLengths[4];    // frames, up, right, down, left
};

constexpr NpcKind BLUE_SOLDIER = {"BlueSoldier.bmp", 22, 28, 12, {0, 4, 8, 12}, {4, 4, 4, 4}};
constexpr NpcKind GREEN_SOLDIER = {"GreenSoldier.bmp", 22, 28, 12, {0, 4, 8, 12}, {4, 4, 4, 4}};
constexpr NpcKind ARMOS = {"Armos.bmp", 16, 37, 17, {0, 0, 0, 0}, {8, 8, 8, 8}};

// The kind of a non-player sprite by rand() % 11.
constexpr const NpcKind* KIND_BY_DRAW[] = {
    &BLUE_SOLDIER,  // 0
    &BLUE_SOLDIER,  // 1
    &BLUE_SOLDIER,  // 2
    &BLUE_SOLDIER,  // 3
    &BLUE_SOLDIER,  // 4
    &GREEN_SOLDIER, // 5
    &GREEN_SOLDIER, // 6
    &GREEN_SOLDIER, // 7
    &GREEN_SOLDIER, // 8
    &GREEN_SOLDIER, // 9
    &ARMOS,         // 10
};
constexpr int KIND_DRAWS = std::size(KIND_BY_DRAW);

// Every collision box spans the frame's full width, from boxTop down to the frame's bottom;
// the push-back of a move relies on that.
SDL_Rect collisionBox(SDL_Rect frame, Sint16 boxTop) {
    return {0, boxTop, frame.w, static_cast<Uint16>(frame.h - boxTop)};
}

// Warns once per file name, so 200 sprites sharing a missing sheet give one line.
void warnIfMissing(const Sprite& sprite, const char* file, std::set<std::string>& missing) {
    if (!sprite.hasImage() && missing.insert(file).second) {
        std::fprintf(stderr, "tarnel: %s\n",
                     formatted(_("cannot load %s: %s"), file, SDL_GetError()).c_str());
    }
}

} // namespace

World::World() {
    background = load_image(BACKGROUND_FILE);
    if (background == nullptr) {
        const std::string message =
            formatted(_("cannot load %s: %s"), BACKGROUND_FILE, SDL_GetError());
        if (!picture_file_opens(BACKGROUND_FILE)) {
            throw BackgroundNotFound(message);
        }
        throw std::runtime_error(message);
    }
    worldWidth = background->w;
    worldHeight = background->h;
    camera.w = WIDTH;
    camera.h = HEIGHT;
    std::set<std::string> missing;
    buildPlayer(missing);
    camera = fitToPlayer(player.getPosition());
    paintView();
    buildNpcs(missing);
}

void World::buildPlayer(std::set<std::string>& missing) {
    player.init(PLAYER_FILE, PLAYER_START, collisionBox(PLAYER_START, PLAYER_BOX_TOP),
                PLAYER_MOVE_RATE, true);
    player.animStart(0, PLAYER_RUN_LENGTH, 2 * PLAYER_RUN_LENGTH, 3 * PLAYER_RUN_LENGTH);
    player.animFrames(PLAYER_RUN_LENGTH, PLAYER_RUN_LENGTH, PLAYER_RUN_LENGTH, PLAYER_RUN_LENGTH);
    warnIfMissing(player, PLAYER_FILE, missing);
}

void World::buildNpcs(std::set<std::string>& missing) {
    npcCount = NPC_COUNT;
    npcs.resize(npcCount);
    for (int i = 0; i < npcCount; ++i) {
        const int row = i / NPCS_PER_ROW;
        const int column = i % NPCS_PER_ROW;
        const NpcKind& kind = *KIND_BY_DRAW[rand() % KIND_DRAWS];
        const SDL_Rect position = {static_cast<Sint16>(FIRST_COLUMN_X + COLUMN_SPACING * column),
                                   static_cast<Sint16>(ROW_Y[row]), kind.width, kind.height};
        Sprite& npc = npcs[i];
        npc.init(kind.file, position, collisionBox(position, kind.boxTop), NPC_MOVE_RATE, true);
        npc.animStart(kind.runStarts[UP], kind.runStarts[RIGHT], kind.runStarts[DOWN],
                      kind.runStarts[LEFT]);
        npc.animFrames(kind.runLengths[UP], kind.runLengths[RIGHT], kind.runLengths[DOWN],
                       kind.runLengths[LEFT]);
        warnIfMissing(npc, kind.file, missing);
    }
}
