// Every way the program ends: SDL shut down, and the documented status and message.
#include "game/game.h"

#include "support/damaged_bmp.h"
#include "world/world_fixture.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>

using namespace fixtures;

namespace {

constexpr int SETTLE_MS = 300; // after SDL's signal handler is up: start-up is over by then
constexpr char CANNOT_LOAD[] = "tarnel: cannot load ";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ExitPaths : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        saveWorldPictures(1328, 832);
        keys = SDL_GetKeyState(nullptr);
        std::fill(keys, keys + SDLK_LAST, Uint8{0});
    }
    void TearDown() override {
        std::fill(keys, keys + SDLK_LAST, Uint8{0});
        DisplayTest::TearDown();
    }

    WorkingFolder folder;
    Uint8* keys = nullptr;
};

// The loop's own ways out: it frees SCREEN and shuts every SDL subsystem down, which is what
// gives the desktop its video mode back.
TEST_F(ExitPaths, EscapeAndWindowCloseShutSDLDown) {
    {
        Game game{Game::Stepped{}};
        game.playFrame();
        keys[SDLK_ESCAPE] = 1;
        game.play();
        EXPECT_TRUE(game.quit);
        EXPECT_EQ(SCREEN, nullptr);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "after Escape";
        keys[SDLK_ESCAPE] = 0;
    }
    ASSERT_NO_THROW(screen_init());
    {
        Game game{Game::Stepped{}};
        game.playFrame();
        SDL_Event close = {};
        close.type = SDL_QUIT;
        ASSERT_EQ(SDL_PushEvent(&close), 0);
        game.play();
        EXPECT_TRUE(game.quit);
        EXPECT_EQ(SCREEN, nullptr);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "after the window's close";
    }
}

// SIGTERM, SIGINT and SIGHUP reach the loop as SDL's quit event, and the loop's end shuts SDL down.
TEST_F(ExitPaths, TerminateInterruptAndHangUpEndThePlayingProgramWithStatusZero) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        const ProgramResult result = runProgramUntilSignal(folder.path(), {}, signal, SETTLE_MS);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.errors, "");
    }
}

// A background that cannot be loaded ends the program before the loop: main's catch block
// writes the one line and calls SDL_Quit.
TEST_F(ExitPaths, MissingOrDamagedBackgroundEndsWithStatusOneAndOneLine) {
    const auto expectRefused = [&](const std::string& what) {
        SCOPED_TRACE("Background.bmp: " + what);
        const ProgramResult result = runProgram(folder.path(), {});
        EXPECT_EQ(result.exitStatus, 1);
        const std::vector<std::string> lines = linesOf(result.errors);
        ASSERT_EQ(lines.size(), 1u) << result.errors;
        const std::string start = std::string(CANNOT_LOAD) + "Background.bmp: ";
        EXPECT_EQ(lines[0].rfind(start, 0), 0u) << lines[0];
        EXPECT_GT(lines[0].size(), start.size()) << "no reason given";
    };
    const Bytes valid = readBytes("Background.bmp");
    std::filesystem::remove("Background.bmp");
    expectRefused("missing");
    const DamagedPicture backgrounds[] = {
        emptyFile(),
        fixtures::folder(),
        truncated(valid, 30), // inside the information header
        truncated(valid, valid.size() - 1),
        withField(valid, BmpField::HEIGHT, std::numeric_limits<std::int32_t>::min()),
        withField(valid, BmpField::COMPRESSION, 99),
    };
    for (const DamagedPicture& background : backgrounds) {
        saveDamaged("Background.bmp", background);
        expectRefused(background.what);
    }
}

// Damaged sheets leave their sprites without a picture or with a garbled one; the program
// plays on and still ends normally. Each sheet that cannot be loaded is named once.
TEST_F(ExitPaths, DamagedSheetsAreReportedAndTheProgramPlaysOn) {
    const Bytes link = readBytes("Link.bmp");
    saveDamaged("Link.bmp", withField(link, BmpField::WIDTH, 1)); // loads, garbled
    saveDamaged("BlueSoldier.bmp", emptyFile());
    saveDamaged("GreenSoldier.bmp", truncated(readBytes("GreenSoldier.bmp"), 40));
    const Bytes armos = readBytes("Armos.bmp");
    saveDamaged("Armos.bmp", withField(armos, BmpField::PIXEL_OFFSET, armos.size() + 1));

    const ProgramResult result = runProgramUntilSignal(folder.path(), {}, SIGTERM, SETTLE_MS);
    EXPECT_EQ(result.exitStatus, 0);
    // The kinds are drawn at random, so the sheets are named in the order their first
    // sprites come.
    std::vector<std::string> named;
    for (const std::string& line : linesOf(result.errors)) {
        EXPECT_EQ(line.rfind(CANNOT_LOAD, 0), 0u) << line;
        named.push_back(line.substr(0, line.find(": ", std::strlen(CANNOT_LOAD))));
    }
    std::sort(named.begin(), named.end());
    const std::vector<std::string> expected = {std::string(CANNOT_LOAD) + "Armos.bmp",
                                               std::string(CANNOT_LOAD) + "BlueSoldier.bmp",
                                               std::string(CANNOT_LOAD) + "GreenSoldier.bmp"};
    EXPECT_EQ(named, expected) << result.errors;
}

} // namespace
