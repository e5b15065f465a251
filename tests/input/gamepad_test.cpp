// A gamepad walks the player as the arrow keys do and pauses as Return does: its mapping by
// table, and under sdl12-compat a virtual pad read through the game's own frame.
#include "game/game.h"

#include "world/world_fixture.h"

#include <dlfcn.h>

using namespace fixtures;

namespace {

constexpr Sint16 PAST_DEAD_ZONE = 32767 / 3 + 1;
constexpr Sint16 IN_DEAD_ZONE = 32767 / 3;

TEST(Gamepad, ItsHatDPadOrStickWalksInTheArrowKeysOrder) {
    const auto hat = [](Uint8 bits) {
        PadState state;
        state.hat = bits;
        return state;
    };
    const auto stick = [](Sint16 x, Sint16 y) {
        PadState state;
        state.x = x;
        state.y = y;
        return state;
    };
    const auto dPad = [](bool up, bool right, bool down, bool left) {
        PadState state;
        state.up = up;
        state.right = right;
        state.down = down;
        state.left = left;
        return state;
    };
    const struct {
        const char* what;
        PadState state;
        int direction;
    } cases[] = {
        {"nothing held", PadState{}, NO_DIRECTION},
        {"hat up", hat(SDL_HAT_UP), UP},
        {"hat right", hat(SDL_HAT_RIGHT), RIGHT},
        {"hat down", hat(SDL_HAT_DOWN), DOWN},
        {"hat left", hat(SDL_HAT_LEFT), LEFT},
        {"hat right and up", hat(SDL_HAT_RIGHTUP), UP},
        {"hat right and down", hat(SDL_HAT_RIGHTDOWN), RIGHT},
        {"hat left and down", hat(SDL_HAT_LEFTDOWN), DOWN},
        {"hat left and up", hat(SDL_HAT_LEFTUP), UP},
        {"stick just past a third right", stick(PAST_DEAD_ZONE, 0), RIGHT},
        {"stick a third right", stick(IN_DEAD_ZONE, 0), NO_DIRECTION},
        {"stick just past a third left", stick(-PAST_DEAD_ZONE, 0), LEFT},
        {"stick a third left", stick(-IN_DEAD_ZONE, 0), NO_DIRECTION},
        {"stick fully up", stick(0, -32768), UP},
        {"stick fully down", stick(0, 32767), DOWN},
        {"stick a third down", stick(0, IN_DEAD_ZONE), NO_DIRECTION},
        {"stick right and down", stick(20000, 20000), RIGHT},
        {"D-pad up", dPad(true, false, false, false), UP},
        {"D-pad right", dPad(false, true, false, false), RIGHT},
        {"D-pad down", dPad(false, false, true, false), DOWN},
        {"D-pad left", dPad(false, false, false, true), LEFT},
        {"D-pad down and left", dPad(false, false, true, true), DOWN},
        {"D-pad all four", dPad(true, true, true, true), UP},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(padDirection(c.state), c.direction) << c.what;
    }
}

// A pad is asked for as a game controller unless the user chose otherwise: 0 is the way to see
// every pad as a plain joystick.
TEST(Gamepad, TheUsersChoiceOfAGameControllerIsKept) {
    constexpr char CHOICE[] = "SDL12COMPAT_USE_GAME_CONTROLLERS";
    setenv(CHOICE, "0", 1);
    ask_for_game_controllers();
    EXPECT_STREQ(std::getenv(CHOICE), "0");
    EXPECT_EQ(runtime_pad_layout().start, PLAIN_JOYSTICK.start);
    unsetenv(CHOICE);
    ask_for_game_controllers();
    EXPECT_STREQ(std::getenv(CHOICE), "1");
}

// SDL 2's virtual joysticks, reached in the SDL 2 library that sdl12-compat has loaded.
struct VirtualJoysticks {
    int (*attach)(int type, int axes, int buttons, int hats);
    int (*detach)(int index);
    void* (*open)(int index);
    int (*setAxis)(void* joystick, int axis, Sint16 value);
    int (*setButton)(void* joystick, int button, Uint8 value);
};
constexpr int GAME_CONTROLLER_TYPE = 1; // SDL_JOYSTICK_TYPE_GAMECONTROLLER
constexpr int AXES = 6;                 // a game controller's: two sticks, two triggers
constexpr int BUTTONS = 15;             // up to the D-pad's
constexpr int D_PAD_RIGHT = 14;         // SDL 2's game-controller button numbers
constexpr int START = 6;

class VirtualPad : public GameTest {
protected:
    void SetUp() override {
        // Told by the runtime's version, as SDL 2 is loaded under classic SDL too, by SDL_mixer's
        // MIDI library; sdl12-compat calls itself 1.2.50 and later.
        constexpr int FIRST_COMPAT_PATCH = 50;
        void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (sdl2 == nullptr || SDL_Linked_Version()->patch < FIRST_COMPAT_PATCH) {
            GTEST_SKIP() << "classic SDL 1.2 has no virtual joystick; the mapping's table stands";
        }
        joysticks = {
            reinterpret_cast<decltype(joysticks.attach)>(dlsym(sdl2, "SDL_JoystickAttachVirtual")),
            reinterpret_cast<decltype(joysticks.detach)>(dlsym(sdl2, "SDL_JoystickDetachVirtual")),
            reinterpret_cast<decltype(joysticks.open)>(dlsym(sdl2, "SDL_JoystickOpen")),
            reinterpret_cast<decltype(joysticks.setAxis)>(
                dlsym(sdl2, "SDL_JoystickSetVirtualAxis")),
            reinterpret_cast<decltype(joysticks.setButton)>(
                dlsym(sdl2, "SDL_JoystickSetVirtualButton")),
        };
        // SDL 2 drops a pad's input while no window has the focus, as none has on the dummy
        // driver; the pad must be there before SDL starts, as a real one must.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        ask_for_game_controllers();
        index = joysticks.attach(GAME_CONTROLLER_TYPE, AXES, BUTTONS, 0);
        ASSERT_GE(index, 0);
        pad = joysticks.open(index);
        ASSERT_NE(pad, nullptr);
        GameTest::SetUp();
    }
    void TearDown() override {
        if (pad != nullptr) {
            GameTest::TearDown();
            joysticks.detach(index);
        }
    }

    VirtualJoysticks joysticks = {};
    int index = -1;
    void* pad = nullptr;
};

TEST_F(VirtualPad, WalksThePlayerAndPausesThroughTheGamesFrame) {
    Game game{Game::Stepped{}};
    ASSERT_TRUE(game.pad.isOpen());
    const int startX = game.world.player.getPosition().x;
    const auto walked = [&] { return game.world.player.getPosition().x - startX; };

    joysticks.setButton(pad, D_PAD_RIGHT, 1);
    game.playFrame();
    EXPECT_EQ(walked(), 4) << "the D-pad's right";
    joysticks.setButton(pad, D_PAD_RIGHT, 0);
    joysticks.setAxis(pad, 0, PAST_DEAD_ZONE);
    game.playFrame();
    EXPECT_EQ(walked(), 8) << "the stick pushed right";
    keys[SDLK_LEFT] = 1;
    game.playFrame();
    EXPECT_EQ(walked(), 4) << "the keyboard's Left wins over the stick";
    keys[SDLK_LEFT] = 0;
    joysticks.setAxis(pad, 0, 0);
    game.playFrame();
    EXPECT_EQ(walked(), 4) << "the stick let go";

    // Start pauses once a press, however long it is held, and resumes at the next.
    joysticks.setButton(pad, START, 1);
    game.playFrame();
    EXPECT_TRUE(game.paused);
    game.playFrame();
    EXPECT_TRUE(game.paused) << "held";
    joysticks.setButton(pad, START, 0);
    game.playFrame();
    EXPECT_TRUE(game.paused) << "released";
    joysticks.setButton(pad, START, 1);
    game.playFrame();
    EXPECT_FALSE(game.paused) << "pressed again";
    game.pad.close();
}

} // namespace
