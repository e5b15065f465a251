// A world built from small test pictures, on the dummy display, in a folder of its own.
#include "world/world_fixture.h"

#include <algorithm>
#include <filesystem>

namespace fixtures {

namespace {
constexpr int SHADE = 8; // colour step from one frame to the next
Uint8 shade(int base, int frame) {
    return static_cast<Uint8>(base + SHADE * frame);
}

void saveFrames(const char* file, int width, int height, int frames, Rgb (*colour)(int)) {
    saveBmp(file, width, height * frames, [&](int, int y) { return colour(y / height); });
}
} // namespace

Rgb playerColour(int frame) {
    return {shade(40, frame), 200, 10};
}
Rgb blueColour(int frame) {
    return {10, 20, shade(60, frame)};
}
Rgb greenColour(int frame) {
    return {30, shade(60, frame), 20};
}
Rgb armosColour(int frame) {
    return {shade(100, frame), 90, 90};
}

void saveWorldPictures(int backgroundWidth, int backgroundHeight) {
    saveBackground("Background.bmp", backgroundWidth, backgroundHeight);
    saveFrames("Link.bmp", 19, 24, 20, playerColour);
    saveFrames("BlueSoldier.bmp", 22, 28, 16, blueColour);
    saveFrames("GreenSoldier.bmp", 22, 28, 16, greenColour);
    saveFrames("Armos.bmp", 16, 37, 8, armosColour);
    // The program's own sounds, from beside it: a game without them names each missing one.
    const std::filesystem::path built = std::filesystem::path(TARNEL_PROGRAM).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(built)) {
        if (entry.path().extension() == ".wav") {
            std::filesystem::copy_file(entry.path(), entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

std::vector<int> randValues(unsigned seed, int count) {
    srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(rand());
    }
    return values;
}

unsigned seedGiving(const std::vector<int>& remainders, int modulus) {
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        bool matches = true;
        for (int remainder : remainders) {
            if (rand() % modulus != remainder) {
                matches = false;
                break;
            }
        }
        if (matches) {
            return seed;
        }
    }
}

unsigned soldiersOnlySeed(int count) {
    constexpr int KINDS = 11;
    constexpr int ARMOS_DRAW = 10;
    for (unsigned seed = 1;; ++seed) {
        const std::vector<int> values = randValues(seed, count);
        if (std::none_of(values.begin(), values.end(),
                         [](int value) { return value % KINDS == ARMOS_DRAW; })) {
            return seed;
        }
    }
}

void keepNpcs(World& world, int count) {
    world.npcs.resize(count);
    world.npcCount = count;
}

void place(Sprite& sprite, int x, int y) {
    SDL_Rect position = sprite.getPosition();
    position.x = static_cast<Sint16>(x);
    position.y = static_cast<Sint16>(y);
    sprite.setPosition(position);
}

void spreadOut(World& world, int count) {
    constexpr int SPACING = 100; // pixels
    constexpr int PER_ROW = 6;
    keepNpcs(world, count);
    for (int i = 0; i < count; ++i) {
        place(world.npcs[i], SPACING * (1 + i % PER_ROW), SPACING * (1 + 2 * (i / PER_ROW)));
    }
    place(world.player, 1200, 700);
    world.camera.x = 0;
    world.camera.y = 0;
}

void WorldTest::SetUp() {
    DisplayTest::SetUp();
    folder = std::make_unique<WorkingFolder>();
}

World& WorldTest::build(unsigned seed, int width, int height) {
    saveWorldPictures(width, height);
    srand(seed);
    world = std::make_unique<World>();
    return *world;
}

World& WorldTest::buildSpreadOut(int count) {
    World& built = build(soldiersOnlySeed(count));
    spreadOut(built, count);
    return built;
}

void GameTest::SetUp() {
    DisplayTest::SetUp();
    saveWorldPictures(1328, 832);
    srand(5);
    keys = SDL_GetKeyState(nullptr);
    std::fill(keys, keys + SDLK_LAST, Uint8{0});
}

void GameTest::TearDown() {
    std::fill(keys, keys + SDLK_LAST, Uint8{0});
    DisplayTest::TearDown();
}

} // namespace fixtures
