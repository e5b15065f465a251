// Non-player behaviour: decisions drawn from rand() in a fixed order, walks, stands and timing.
#include "world/world_fixture.h"

using namespace fixtures;

namespace {

constexpr int NPCS = 8;

// What one non-player sprite must end as after deciding on the given rand() values.
struct Decision {
    int valuesTaken;
    bool walks;
    int count, direction;
};

Decision decisionFrom(const std::vector<int>& values, std::size_t next, int direction) {
    auto take = [&](int modulus) { return values.at(next++) % modulus; };
    if (take(3) == 2) {
        const int count = take(6) + 6;
        return {3, true, count, take(4)};
    }
    int taken = 2;
    if (const int turn = take(4); turn <= 2) {
        direction = take(4);
        ++taken;
    }
    const int count = take(6) + 6;
    return {taken + 1, false, count, direction};
}

using Behaviour = WorldTest;

TEST_F(Behaviour, DecisionsTakeTheirValuesInIndexOrder) {
    World& w = buildSpreadOut(NPCS);
    // A seed whose decisions include a walk, a stand that keeps its facing and one that turns.
    unsigned seed = 1;
    std::vector<Decision> expected;
    for (;; ++seed) {
        const std::vector<int> values = randValues(seed, 4 * NPCS);
        expected.clear();
        std::size_t next = 0;
        bool walk = false, keep = false, turn = false;
        for (int i = 0; i < NPCS; ++i) {
            const Decision d = decisionFrom(values, next, DOWN);
            next += d.valuesTaken;
            expected.push_back(d);
            walk |= d.walks;
            keep |= !d.walks && d.valuesTaken == 3;
            turn |= !d.walks && d.valuesTaken == 4;
        }
        if (walk && keep && turn) {
            break;
        }
    }
    const std::vector<int> values = randValues(seed, 4 * NPCS + 1);
    std::vector<SDL_Rect> before;
    for (const Sprite& npc : w.npcs) {
        before.push_back(npc.getPosition());
    }

    srand(seed);
    w.moveNPCs();

    int taken = 0;
    for (int i = 0; i < NPCS; ++i) {
        SCOPED_TRACE("sprite " + std::to_string(i));
        const Decision& d = expected[i];
        const Sprite& npc = w.npcs[i];
        taken += d.valuesTaken;
        EXPECT_EQ(npc.getFrameCount(), d.count);
        EXPECT_EQ(npc.isStatic(), !d.walks);
        EXPECT_EQ(npc.getDirection(), d.direction);
        EXPECT_TRUE(npc.isUpdating());
        const int dx = d.walks ? (d.direction == RIGHT ? 3 : d.direction == LEFT ? -3 : 0) : 0;
        const int dy = d.walks ? (d.direction == DOWN ? 3 : d.direction == UP ? -3 : 0) : 0;
        EXPECT_EQ(npc.getPosition().x, before[i].x + dx);
        EXPECT_EQ(npc.getPosition().y, before[i].y + dy);
        if (!d.walks) {
            EXPECT_EQ(npc.frame, -1); // the standing picture at the next drawing
        }
    }
    // Nothing more was drawn from the generator than the decisions' values.
    EXPECT_EQ(rand(), values[taken]);
}

TEST_F(Behaviour, WalkOfSixMakesSixStepsThenDecidesAgain) {
    World& w = buildSpreadOut(1);
    // A seed whose first decision is a walk (2 of 3) of six frames (0 of 6) to the right.
    unsigned seed = 1;
    while (decisionFrom(randValues(seed, 4), 0, DOWN).count != 6 ||
           !decisionFrom(randValues(seed, 4), 0, DOWN).walks ||
           decisionFrom(randValues(seed, 4), 0, DOWN).direction != RIGHT) {
        ++seed;
    }
    const std::vector<int> values = randValues(seed, 4);
    const int startX = w.npcs[0].getPosition().x;

    srand(seed);
    for (int frame = 1; frame <= 6; ++frame) {
        w.moveNPCs();
        w.updateAll();
        EXPECT_EQ(w.npcs[0].getPosition().x, startX + 3 * frame);
        EXPECT_EQ(w.npcs[0].getFrameCount(), 6 - frame);
    }
    // Only the first frame drew values; the seventh decides afresh.
    EXPECT_EQ(rand(), values[3]);
    w.moveNPCs();
    EXPECT_GE(w.npcs[0].getFrameCount(), 6);
}

TEST_F(Behaviour, StandersAndBlockedWalkersTakeNoValues) {
    World& w = buildSpreadOut(3);
    Sprite& stander = w.npcs[0];
    stander.setStatic(true);
    stander.resetFrame();
    stander.setFrameCount(4);
    const SDL_Rect standing = stander.getPosition();

    // A walker pressed against sprite 2 on its right keeps trying, and its animation runs.
    Sprite& walker = w.npcs[1];
    place(w.npcs[2], 522, 500);
    place(walker, 500, 500);
    walker.setStatic(false);
    walker.setDirection(RIGHT);
    walker.setFrameCount(5);
    w.npcs[2].setStatic(true);
    w.npcs[2].setFrameCount(9);

    const std::vector<int> values = randValues(7, 1);
    srand(7);
    int lastFrame = walker.frame;
    for (int frame = 1; frame <= 4; ++frame) {
        w.moveNPCs();
        w.updateAll();
        EXPECT_EQ(stander.getPosition().x, standing.x);
        EXPECT_EQ(stander.getPosition().y, standing.y);
        EXPECT_EQ(stander.frame, 0);
        EXPECT_EQ(walker.getPosition().x, 500);
        EXPECT_EQ(walker.getDirection(), RIGHT);
        EXPECT_NE(walker.frame, lastFrame);
        lastFrame = walker.frame;
    }
    EXPECT_EQ(rand(), values[0]);
}

TEST_F(Behaviour, SpriteThatIsNotMovableIsSkippedButDrawn) {
    World& w = buildSpreadOut(3);
    w.npcs[0].movable = false;
    w.npcs[1].movable = false;
    // A walker after them, whose step draws no value, shows that the scan goes on past them.
    Sprite& walker = w.npcs[2];
    walker.setStatic(false);
    walker.setDirection(RIGHT);
    walker.setFrameCount(1);
    const int x = walker.getPosition().x;
    const std::vector<int> values = randValues(9, 1);
    srand(9);
    w.moveNPCs();
    EXPECT_EQ(rand(), values[0]);
    EXPECT_EQ(w.npcs[0].getFrameCount(), 0);
    EXPECT_EQ(walker.getPosition().x, x + 3);

    fillScreen({0, 0, 0});
    w.updateAll();
    const SDL_Rect place = w.getDrawPos(w.npcs[0].getPosition());
    const Rgb shown = screenPixel(place.x + 11, place.y + 27);
    EXPECT_TRUE(shown == blueColour(0) || shown == greenColour(0)) << shown;
}

TEST_F(Behaviour, IdleShowsTheStandingPicture) {
    World& w = buildSpreadOut(1);
    w.player.setDirection(LEFT);
    w.player.frame = 3;
    w.player.setUpdating(false);
    w.idleSprite(true, 0);
    EXPECT_EQ(w.player.frame, -1);
    EXPECT_TRUE(w.player.isUpdating());
    w.npcs[0].frame = 2;
    w.idleSprite(false, 0);
    EXPECT_EQ(w.npcs[0].frame, -1);
}

} // namespace
