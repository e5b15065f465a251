// A world built from small test pictures, on the dummy display, in a folder of its own.
#pragma once

#include "display/display.h"
#include "support/fixtures.h"
#include "world/world.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace fixtures {

// Each sheet has its own hue, shaded by frame, so a screen pixel tells whose frame it is.
Rgb playerColour(int frame);
Rgb blueColour(int frame);
Rgb greenColour(int frame);
Rgb armosColour(int frame);

// Writes the four sheets at their real sizes, and a background of the given size; copies the
// program's sounds.
void saveWorldPictures(int backgroundWidth, int backgroundHeight);

// The first values rand() gives after srand(seed).
std::vector<int> randValues(unsigned seed, int count);

// A seed whose first rand() values give these remainders modulo the modulus.
unsigned seedGiving(const std::vector<int>& remainders, int modulus);
// A seed whose first count rand() values build soldiers only, no armos.
unsigned soldiersOnlySeed(int count);

// Shrinks the world to its first count non-player sprites, so a test controls every box.
void keepNpcs(World& world, int count);

// Places a sprite's frame at (x, y) in the world.
void place(Sprite& sprite, int x, int y);

// Keeps the first count non-player sprites, 100 pixels apart so that every step is free, puts
// the player out of their way and the camera at (0, 0), where it shows them all.
void spreadOut(World& world, int count);

class WorldTest : public DisplayTest {
protected:
    void SetUp() override;
    // Builds the world after srand(seed) on a background of the given size.
    World& build(unsigned seed = 1, int width = 1328, int height = 832);
    // Builds a world of count soldiers spread out as spreadOut places them.
    World& buildSpreadOut(int count);

    std::unique_ptr<WorkingFolder> folder;
    std::unique_ptr<World> world;
};

// A game's pictures in a folder of their own on the dummy display, the random generator seeded
// with 5, and SDL's keyboard state, which a test writes as the keys it holds, cleared before and
// after.
class GameTest : public DisplayTest {
protected:
    void SetUp() override;
    void TearDown() override;

    WorkingFolder folder;
    Uint8* keys = nullptr;
};

} // namespace fixtures
