// Every way the program ends: SDL shut down, and the documented status and message.
#include "display/screen_lock.h"
#include "game/game.h"
#include "program/options.h"
#include "recording/recording_file.h"

#include "support/damaged_bmp.h"
#include "world/world_fixture.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <sys/resource.h>

using namespace fixtures;

namespace {

constexpr int SETTLE_MS = 300; // after SDL's signal handler is up: start-up is over by then
constexpr char CANNOT_LOAD[] = "tarnel: cannot load ";

// A recording's bytes: the magic word, the header's numbers and the runs' bytes as they stand.
std::string recordingBytes(std::vector<std::uint64_t> header, const std::string& runs) {
    std::string bytes = "\x89TNL\r\n\x1a\n";
    for (std::uint64_t number : header) {
        do {
            const auto low = static_cast<unsigned char>(number & 0x7F);
            number >>= 7;
            bytes += static_cast<char>(number != 0 ? low | 0x80 : low);
        } while (number != 0);
    }
    return bytes + runs;
}

// The names in the working folder that start with start.
std::vector<std::string> filesStarting(const std::string& start) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(start, 0) == 0) {
            found.push_back(name);
        }
    }
    return found;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

using ExitPaths = GameTest;

// The loop's own ways out: it frees SCREEN and shuts every SDL subsystem down, which is what
// gives the desktop its video mode back. Both stop a replay too, long before its end.
TEST_F(ExitPaths, EscapeAndWindowCloseShutSDLDown) {
    Recording still = new_recording(5, FRAME_RATE);
    for (int frame = 0; frame < 100; ++frame) {
        still.add(FrameInput{});
    }
    {
        Game game{Game::Stepped{}};
        Replay replay(still);
        game.replay = &replay;
        game.playFrame();
        keys[SDLK_ESCAPE] = 1;
        game.play();
        EXPECT_TRUE(game.quit);
        EXPECT_EQ(game.frameCounter, 2) << "Escape during a replay";
        EXPECT_EQ(SCREEN, nullptr);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "after Escape";
        keys[SDLK_ESCAPE] = 0;
    }
    ASSERT_NO_THROW(screen_init());
    {
        Game game{Game::Stepped{}};
        Replay replay(still);
        game.replay = &replay;
        game.playFrame();
        SDL_Event close = {};
        close.type = SDL_QUIT;
        ASSERT_EQ(SDL_PushEvent(&close), 0);
        game.play();
        EXPECT_TRUE(game.quit);
        EXPECT_EQ(game.frameCounter, 2) << "the window's close during a replay";
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
        {{"--version", "--bogus"}, 0, "tarnel 3.2\n", ""},
        {{"--scale=9"},
         2,
         "",
         "tarnel: the scale must be a whole number from 1 to 8, or auto, not '9'\n" +
             std::string(TRY)},
        {{"--record", "Background.bmp"},
         2,
         "",
         "tarnel: Background.bmp exists already; a recording never replaces a file\n"},
        {{"--record", "gone/walk.tarnel"},
         2,
         "",
         "tarnel: cannot record into gone/walk.tarnel: No such file or directory\n"},
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
    for (const char* word : {"--window", "--fullscreen", "--scale=N", "--scale=auto", "--seed=N",
                             "--record=FILE", "--replay=FILE", "--help", "--version", "arrow keys",
                             "Return", "Escape", "F11", "gamepad", "Background.bmp", "launcher"}) {
        EXPECT_NE(std::string(USAGE).find(word), std::string::npos) << word;
    }
    // A window is a display too; the file claimed for a recording is given up again.
    const ProgramResult window = runProgram(folder.path(), {"SDL_VIDEODRIVER=none-such"},
                                            {"--window", "--record", "lost.tarnel"});
    EXPECT_EQ(window.exitStatus, 1);
    EXPECT_EQ(window.errors.rfind("tarnel: cannot open the 640x480 32-bit display: ", 0), 0u)
        << window.errors;
    EXPECT_EQ(filesStarting(".lost"), std::vector<std::string>{});
}

// A recording that cannot be played is named, with its fault and where it lies, before the
// display would open.
TEST_F(ExitPaths, ARecordingThatCannotBeReadIsNamedBeforeTheDisplayOpens) {
    const struct {
        const char* file;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"text.tarnel", "hello, world",
         "not a Tarnel recording (it does not start with the magic word)"},
        {"newer.tarnel", recordingBytes({2, 3, 2, 20, 7, 1}, "\x00\x01"),
         "it is in format version 2, newer than the version 1 this program reads; a newer "
         "Tarnel plays it"},
        {"header-cut.tarnel", recordingBytes({1, 3, 2, 20}, ""), "it ends at byte 12, in its seed"},
        {"runs-cut.tarnel", recordingBytes({1, 3, 2, 20, 7, 10}, std::string("\x02\x05\x00", 3)),
         "it ends at byte 17, in its frames"},
        {"empty.tarnel", recordingBytes({1, 3, 2, 20, 7, 0}, ""), "it holds no frames"},
        {"long-run.tarnel", recordingBytes({1, 3, 2, 20, 7, 10}, "\x02\x0b"),
         "the run at byte 14 of 11 frames does not fit the 10 frames its header counts"},
        {"empty-run.tarnel", recordingBytes({1, 3, 2, 20, 7, 10}, std::string("\x02\x00", 2)),
         "the run at byte 14 of 0 frames does not fit the 10 frames its header counts"},
        {"seed.tarnel", recordingBytes({1, 3, 2, 20, 4294967296, 1}, std::string("\x00\x01", 2)),
         "its seed 4294967296 at byte 12 is out of range (0 to 4294967295)"},
        {"endless.tarnel", recordingBytes({1, 3, 2, 20}, std::string(10, '\xff') + "\x01"),
         "its seed at byte 12 is a number longer than any this format holds"},
        {"rate.tarnel", recordingBytes({1, 3, 2, 30, 7, 1}, std::string("\x00\x01", 2)),
         "it was played at 30 frames a second; this program plays at 20"},
        {"slow.tarnel", recordingBytes({1, 3, 2, 10, 7, 1}, std::string("\x00\x01", 2)),
         "it was played at 10 frames a second; this program plays at 20"},
        {"code.tarnel", recordingBytes({1, 3, 2, 20, 7, 1}, "\xc2\x01"),
         "the input code 0xC2 at byte 14 is not one of format version 1"},
        {"more.tarnel", recordingBytes({1, 3, 2, 20, 7, 1}, std::string("\x00\x01\x00", 3)),
         "it goes on after its last frame, at byte 16"},
    };
    for (const auto& c : cases) {
        std::ofstream(c.file, std::ios::binary) << c.bytes;
    }
    std::filesystem::create_directory("folder.tarnel");
    std::ofstream("huge.tarnel").put('x');
    std::filesystem::resize_file("huge.tarnel", 17 << 20);
    std::vector<std::pair<std::string, std::string>> refused = {
        {"gone.tarnel", "No such file or directory"},
        {"folder.tarnel", "Is a directory"},
        {"huge.tarnel", "it is larger than any recording (16 MB)"},
    };
    for (const auto& c : cases) {
        refused.emplace_back(c.file, c.reason);
    }
    for (const auto& [file, reason] : refused) {
        SCOPED_TRACE(file);
        const ProgramResult result =
            runProgram(folder.path(), {"SDL_VIDEODRIVER=none-such"}, {"--replay", file});
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.errors, "tarnel: cannot replay " + file + ": " + reason + "\n");
    }
}

// A game ended by a signal is recorded whole, under its name alone, and replays to its end.
TEST_F(ExitPaths, ASignalledGameIsRecordedWholeAndReplays) {
    const ProgramResult recorded = runProgramUntilSignal(folder.path(), {}, SIGTERM, SETTLE_MS,
                                                         {"--window", "--record", "kept.tarnel"});
    EXPECT_EQ(recorded.exitStatus, 0);
    EXPECT_EQ(recorded.errors, "");
    // However early the signal came, the game's frames up to the quit it made are all there.
    const Recording kept = read_recording("kept.tarnel");
    EXPECT_EQ(kept.runs.back().input.event, FrameInput::QUIT);
    EXPECT_EQ(filesStarting(".kept"), std::vector<std::string>{});
    const ProgramResult replayed =
        runProgram(folder.path(), {}, {"--window", "--replay", "kept.tarnel", "--quit-at-end"});
    EXPECT_EQ(replayed.exitStatus, 0);
    EXPECT_EQ(replayed.errors, "");
}

// Caps the size of the files this process and the programs it starts write, as a full disk
// would; past it a write fails with EFBIG rather than killing the writer with SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit capped = before_;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
        std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_ = {};
};

// A disk without room for the recording's header refuses the game before the display opens; a
// game its folder cannot take at the end, full or gone, is kept in the state folder, and only
// where that cannot take it either is it lost. Each says so in one line.
TEST_F(ExitPaths, AGameIsRefusedOnAFullDiskAndKeptWhenItsFolderFails) {
    constexpr rlim_t HEADER_BYTES = 14; // with --seed 1: the magic word and six one-byte numbers
    const std::string state = "XDG_STATE_HOME=" + folder.path() + "/state";
    const std::string stateFolder = folder.path() + "/state/tarnel";
    {
        const FileSizeLimit full(0);
        const ProgramResult refused = runProgram(
            folder.path(), {"SDL_VIDEODRIVER=none-such", state}, {"--record", "walk.tarnel"});
        EXPECT_EQ(refused.exitStatus, 2);
        EXPECT_EQ(refused.errors, "tarnel: cannot record into walk.tarnel: File too large\n");
    }
    {
        const FileSizeLimit full(HEADER_BYTES);
        const ProgramResult lost =
            runProgramUntilSignal(folder.path(), {state}, SIGTERM, SETTLE_MS,
                                  {"--window", "--seed", "1", "--record", "walk.tarnel"});
        EXPECT_EQ(lost.exitStatus, 1);
        EXPECT_EQ(lost.errors, "tarnel: cannot write the recording walk.tarnel: File too large; "
                               "nor can it be kept in " +
                                   stateFolder + ": File too large; the game is lost\n");
    }
    std::filesystem::create_directory("stick");
    const ProgramResult kept = runProgramUntilSignal(folder.path(), {state}, SIGTERM, SETTLE_MS,
                                                     {"--window", "--record", "stick/walk.tarnel"},
                                                     [] { std::filesystem::remove_all("stick"); });
    EXPECT_EQ(kept.exitStatus, 1);
    const std::string keptAs = "; it is kept as ";
    const std::size_t at = kept.errors.find(keptAs);
    ASSERT_NE(at, std::string::npos) << kept.errors;
    const std::string file = kept.errors.substr(at + keptAs.size(), std::string::npos);
    EXPECT_EQ(kept.errors, "tarnel: cannot name the recording stick/walk.tarnel (No such file or "
                           "directory)" +
                               keptAs + file);
    EXPECT_EQ(file.rfind(stateFolder + "/tarnel-", 0), 0u) << file;
    EXPECT_EQ(read_recording(file.substr(0, file.size() - 1)).runs.back().input.event,
              FrameInput::QUIT);
    EXPECT_EQ(filesStarting(".walk"), std::vector<std::string>{});
}

// While another copy holds the full screen, a full-screen start on a display that shows it is
// refused at once, before the display opens; SDL's dummy driver shows nothing, so copies on it
// never refuse each other. Without a lock file to be had, play goes on to the display.
TEST_F(ExitPaths, ASecondFullScreenCopyIsRefusedWhereTheScreenIsShown) {
    const std::string shown = "SDL_VIDEODRIVER=x11";
    {
        const ScreenLock first(folder.path());
        ASSERT_EQ(first.state(), ScreenLock::State::TAKEN);
        // Signalled only if it wrongly plays, which would otherwise last for ever.
        const ProgramResult second =
            runProgramUntilSignal(folder.path(), {shown}, SIGTERM, SETTLE_MS);
        EXPECT_EQ(second.exitStatus, 1);
        EXPECT_EQ(second.errors, "tarnel: another copy holds the full screen; 'tarnel --window' "
                                 "plays alongside it\n");
        const ProgramResult unseen = runProgramUntilSignal(folder.path(), {}, SIGTERM, SETTLE_MS);
        EXPECT_EQ(unseen.exitStatus, 0);
        EXPECT_EQ(unseen.errors, "");
    }
    // The lock's folder is gone: the game goes on to open its display (here, one not there).
    const ProgramResult unlocked = runProgram(
        folder.path(), {shown, "DISPLAY=:none-such", "XDG_RUNTIME_DIR=" + folder.path() + "/gone"});
    EXPECT_EQ(unlocked.exitStatus, 1);
    EXPECT_EQ(unlocked.errors.rfind("tarnel: cannot open the 640x480 32-bit display: ", 0), 0u)
        << unlocked.errors;
}

} // namespace
