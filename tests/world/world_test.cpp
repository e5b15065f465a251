// Building the world: its size, the player, four rows of non-player sprites of random kinds.
#include "world/world_fixture.h"

#include <filesystem>

using namespace fixtures;

namespace {

struct Kind {
    Rgb (*colour)(int frame);
    Uint16 width, height;
    SDL_Rect box;
    int runStart[4], runLength[4];
};
const Kind BLUE = {blueColour, 22, 28, {0, 12, 22, 16}, {0, 4, 8, 12}, {4, 4, 4, 4}};
const Kind GREEN = {greenColour, 22, 28, {0, 12, 22, 16}, {0, 4, 8, 12}, {4, 4, 4, 4}};
const Kind ARMOS = {armosColour, 16, 37, {0, 17, 16, 20}, {0, 0, 0, 0}, {8, 8, 8, 8}};

const Kind& kindOfDraw(int value) {
    const int remainder = value % 11;
    return remainder <= 4 ? BLUE : remainder <= 9 ? GREEN : ARMOS;
}

void expectKind(const Sprite& npc, const Kind& kind, int index) {
    SCOPED_TRACE("non-player sprite " + std::to_string(index));
    ASSERT_TRUE(npc.hasImage());
    EXPECT_EQ(surfacePixel(npc.image, 0, 0), kind.colour(0));
    EXPECT_EQ(npc.getPosition().w, kind.width);
    EXPECT_EQ(npc.getPosition().h, kind.height);
    const SDL_Rect box = npc.getCollision();
    EXPECT_EQ(box.x, kind.box.x);
    EXPECT_EQ(box.y, kind.box.y);
    EXPECT_EQ(box.w, kind.box.w);
    EXPECT_EQ(box.h, kind.box.h);
    for (int direction = 0; direction < 4; ++direction) {
        EXPECT_EQ(npc.animStartFrames[direction], kind.runStart[direction]);
        EXPECT_EQ(npc.animFrameCounts[direction], kind.runLength[direction]);
    }
    EXPECT_EQ(npc.getMoveRate(), 3);
    EXPECT_TRUE(npc.isMovable());
}

SDL_Rect boxInWorld(const Sprite& sprite) {
    const SDL_Rect frame = sprite.getPosition();
    const SDL_Rect box = sprite.getCollision();
    return {static_cast<Sint16>(frame.x + box.x), static_cast<Sint16>(frame.y + box.y), box.w,
            box.h};
}

using WorldConstruction = WorldTest;

TEST_F(WorldConstruction, PlacesFourRowsOfFiftyWithOneRandomKindEach) {
    constexpr unsigned SEED = 2026;
    const std::vector<int> draws = randValues(SEED, 201);
    World& world = build(SEED);

    ASSERT_EQ(world.npcs.size(), 200u);
    EXPECT_EQ(world.npcCount, 200);
    EXPECT_EQ(world.worldWidth, 1328);
    EXPECT_EQ(world.worldHeight, 832);
    const int corners[][3] = {{0, 40, 100},   {49, 1265, 100},  {50, 40, 300},  {99, 1265, 300},
                              {100, 40, 500}, {149, 1265, 500}, {150, 40, 700}, {199, 1265, 700}};
    for (const auto& [index, x, y] : corners) {
        EXPECT_EQ(world.npcs[index].getPosition().x, x) << index;
        EXPECT_EQ(world.npcs[index].getPosition().y, y) << index;
    }
    for (int i = 0; i < 200; ++i) {
        expectKind(world.npcs[i], kindOfDraw(draws[i]), i);
        EXPECT_EQ(world.npcs[i].getFrameCount(), 0);
        EXPECT_EQ(world.npcs[i].getDirection(), 2);
        EXPECT_TRUE(world.npcs[i].isStatic());
        EXPECT_TRUE(world.npcs[i].isUpdating());
    }
    // Exactly one value per sprite was taken: the next one is the 201st.
    EXPECT_EQ(rand(), draws[200]);

    const SDL_Rect start = world.player.getPosition();
    const SDL_Rect box = world.player.getCollision();
    EXPECT_EQ(std::vector<int>({start.x, start.y, start.w, start.h}),
              std::vector<int>({631, 388, 19, 24}));
    EXPECT_EQ(std::vector<int>({box.x, box.y, box.w, box.h}), std::vector<int>({0, 8, 19, 16}));
    EXPECT_EQ(world.player.getMoveRate(), 4);
    // Runs of five frames: up 0-4, right 5-9, down 10-14, left 15-19.
    EXPECT_EQ(std::vector<int>(world.player.animStartFrames, world.player.animStartFrames + 4),
              std::vector<int>({0, 5, 10, 15}));
    EXPECT_EQ(std::vector<int>(world.player.animFrameCounts, world.player.animFrameCounts + 4),
              std::vector<int>({5, 5, 5, 5}));
    EXPECT_EQ(surfacePixel(world.player.image, 0, 0), playerColour(0));

    // Every box is clear of every other, the player's included.
    std::vector<const Sprite*> everyone = {&world.player};
    for (const Sprite& npc : world.npcs) {
        everyone.push_back(&npc);
    }
    for (std::size_t a = 0; a < everyone.size(); ++a) {
        for (std::size_t b = a + 1; b < everyone.size(); ++b) {
            EXPECT_FALSE(World::does_collide(boxInWorld(*everyone[a]), boxInWorld(*everyone[b])))
                << a << " and " << b;
        }
    }
}

TEST_F(WorldConstruction, EachSpriteTakesTheSizeOfItsOwnKind) {
    // Blue, green, green, armos, blue: an armos right after a soldier and a soldier after it.
    World& world = build(seedGiving({4, 5, 9, 10, 0}, 11));
    expectKind(world.npcs[0], BLUE, 0);
    expectKind(world.npcs[1], GREEN, 1);
    expectKind(world.npcs[2], GREEN, 2);
    expectKind(world.npcs[3], ARMOS, 3);
    expectKind(world.npcs[4], BLUE, 4);
    EXPECT_NE(world.npcs[0].image, world.npcs[4].image);
}

TEST_F(WorldConstruction, DrawsTheBackgroundThroughTheCameraAndNoSprite) {
    fillScreen({0, 0, 0});
    World& world = build();
    ASSERT_EQ(world.camera.x, 321);
    ASSERT_EQ(world.camera.y, 160);
    const int samples[][2] = {{0, 0}, {639, 479}, {310, 228}, {320, 240}, {17, 400}};
    for (const auto& [x, y] : samples) {
        EXPECT_EQ(screenPixel(x, y), backgroundColour(321 + x, 160 + y)) << x << ", " << y;
    }
}

TEST_F(WorldConstruction, StartingCameraIsCentredOnThePlayerAndHeldInsideTheWorld) {
    const int cases[][4] = {
        {1280, 960, 321, 160}, // room on every side
        {800, 600, 160, 120},  // held by the right and bottom edges
        {640, 480, 0, 0},      // exactly one screen
        {600, 400, -40, -80},  // smaller than the screen: the upper clamps win
    };
    for (const auto& [width, height, x, y] : cases) {
        World& world = build(1, width, height);
        EXPECT_EQ(world.camera.x, x) << width << " x " << height;
        EXPECT_EQ(world.camera.y, y) << width << " x " << height;
        EXPECT_EQ(world.camera.w, 640);
        EXPECT_EQ(world.camera.h, 480);
    }
}

TEST_F(WorldConstruction, MissingBackgroundStopsConstructionWithTheReason) {
    saveWorldPictures(800, 600);
    std::filesystem::remove("Background.bmp");
    try {
        World world;
        FAIL() << "a world was built without its background";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("cannot load Background.bmp: ", 0), 0u)
            << error.what();
    }
}

TEST_F(WorldConstruction, MissingSheetIsReportedOnceAndItsSpritesStillStand) {
    saveWorldPictures(1328, 832);
    std::filesystem::remove("BlueSoldier.bmp");
    std::filesystem::remove("Link.bmp");
    srand(seedGiving({0, 1}, 11));
    testing::internal::CaptureStderr();
    World world;
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(errors.find("tarnel: cannot load Link.bmp: "), 0u) << errors;
    const std::size_t blue = errors.find("\ntarnel: cannot load BlueSoldier.bmp: ");
    EXPECT_NE(blue, std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;

    EXPECT_FALSE(world.player.hasImage());
    EXPECT_FALSE(world.npcs[0].hasImage());
    EXPECT_EQ(world.npcs[1].getPosition().x, 65);
    EXPECT_EQ(world.npcs[1].getCollision().h, 16);
}

} // namespace
