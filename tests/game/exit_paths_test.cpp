// Every way the program ends: SDL shut down, and the documented status and message.
#include "game/game.h"
#include "game/options.h"
#include "game/screen_lock.h"

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
// writes the one line, with the system's reason or the damage found, and calls SDL_Quit.
TEST_F(ExitPaths, MissingOrDamagedBackgroundEndsWithStatusOneAndOneLine) {
    const std::string hint = ", looked for in " + std::filesystem::current_path().string() +
                             "; run the installed 'tarnel' launcher, or start from the folder "
                             "that holds the pictures";
    // reason: the whole of the line after the file's name, or null for SDL's own words.
    const auto expectRefused = [&](const std::string& what, const char* reason) {
        SCOPED_TRACE("Background.bmp: " + what);
        const ProgramResult result = runProgram(folder.path(), {});
        EXPECT_EQ(result.exitStatus, 1);
        const std::vector<std::string> lines = linesOf(result.errors);
        ASSERT_EQ(lines.size(), 1u) << result.errors;
        const std::string start = std::string(CANNOT_LOAD) + "Background.bmp: ";
        if (reason != nullptr) {
            EXPECT_EQ(lines[0], start + reason);
        } else {
            EXPECT_EQ(lines[0].rfind(start, 0), 0u) << lines[0];
            EXPECT_GT(lines[0].size(), start.size()) << "no reason given";
            EXPECT_EQ(lines[0].find(hint), std::string::npos) << "the file is there";
        }
    };
    const Bytes valid = readBytes("Background.bmp");
    std::filesystem::remove("Background.bmp");
    expectRefused("missing", ("No such file or directory" + hint).c_str());
    saveDamaged("Background.bmp", fixtures::folder());
    expectRefused("a folder", ("Is a directory" + hint).c_str());
    std::filesystem::remove("Background.bmp");
    saveDamaged("Background.bmp", truncated(valid, valid.size()));
    std::filesystem::permissions("Background.bmp", std::filesystem::perms::none);
    expectRefused("unreadable", ("Permission denied" + hint).c_str());
    std::filesystem::remove("Background.bmp");
    const struct {
        DamagedPicture background;
        const char* reason;
    } damaged[] = {
        {emptyFile(), nullptr},
        {truncated(valid, 30), nullptr}, // inside the information header
        {truncated(valid, valid.size() - 1),
         "its header claims 1328x832 pixels, more than the file holds"},
        {withField(valid, BmpField::HEIGHT, std::numeric_limits<std::int32_t>::min()),
         "its header claims 1328x-2147483648 pixels, more than the file holds"},
        {withField(valid, BmpField::COMPRESSION, 99),
         "compressed BMP files (kind 99) are not read"},
    };
    for (const auto& [background, reason] : damaged) {
        saveDamaged("Background.bmp", background);
        expectRefused(background.what, reason);
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

// The command line is answered before SDL starts: with a video driver that does not exist, an
// attempt to open the display would end in status 1 with a line about it.
TEST_F(ExitPaths, TheCommandLineIsAnsweredBeforeTheDisplayOpens) {
    constexpr char TRY[] = "Try 'tarnel --help'.\n";
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string output, errors;
    } cases[] = {
        {{"--help"}, 0, USAGE, ""},
        {{"-V"}, 0, "tarnel 3.2\n", ""},
        {{"--bogus"}, 2, "", "tarnel: unknown option '--bogus'\n" + std::string(TRY)},
        {{"-s", "x"},
         2,
         "",
         "tarnel: the seed must be a whole number from 0 to 4294967295, not 'x'\n" +
             std::string(TRY)},
        {{"stray"}, 2, "", "tarnel: unexpected argument 'stray'\n" + std::string(TRY)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const ProgramResult result =
            runProgram(folder.path(), {"SDL_VIDEODRIVER=none-such"}, c.arguments);
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.output, c.output);
        EXPECT_EQ(result.errors, c.errors);
    }
    // The help names every option, the keys and where the pictures come from.
    for (const char* word : {"--window", "--fullscreen", "--seed=N", "--help", "--version",
                             "arrow keys", "Return", "Escape", "Background.bmp", "launcher"}) {
        EXPECT_NE(std::string(USAGE).find(word), std::string::npos) << word;
    }
    // A window is a display too.
    const ProgramResult window =
        runProgram(folder.path(), {"SDL_VIDEODRIVER=none-such"}, {"--window"});
    EXPECT_EQ(window.exitStatus, 1);
    EXPECT_EQ(window.errors.rfind("tarnel: cannot open the 640x480 32-bit display: ", 0), 0u)
        << window.errors;
}

// While another copy holds the full screen, a full-screen start is refused at once and a
// windowed one plays alongside; without a lock file to be had, play goes on.
TEST_F(ExitPaths, ASecondFullScreenCopyIsRefusedAndAWindowPlaysAlongside) {
    {
        const ScreenLock first(folder.path());
        ASSERT_EQ(first.state(), ScreenLock::State::TAKEN);
        // Signalled only if it wrongly plays, which would otherwise last for ever.
        const ProgramResult second = runProgramUntilSignal(folder.path(), {}, SIGTERM, SETTLE_MS);
        EXPECT_EQ(second.exitStatus, 1);
        EXPECT_EQ(second.errors, "tarnel: another copy holds the full screen; 'tarnel --window' "
                                 "plays alongside it\n");
        const ProgramResult window =
            runProgramUntilSignal(folder.path(), {}, SIGTERM, SETTLE_MS, {"--window"});
        EXPECT_EQ(window.exitStatus, 0);
        EXPECT_EQ(window.errors, "");
    }
    // The lock's folder is gone: the game is not kept from being played.
    const ProgramResult unlocked = runProgramUntilSignal(
        folder.path(), {"XDG_RUNTIME_DIR=" + folder.path() + "/gone"}, SIGTERM, SETTLE_MS);
    EXPECT_EQ(unlocked.exitStatus, 0);
    EXPECT_EQ(unlocked.errors, "");
}

} // namespace
