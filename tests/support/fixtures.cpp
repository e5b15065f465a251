// Test support: temporary working folders, BMP fixtures, screen pixels and running the program.
#include "support/fixtures.h"

#include "display/display.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <ostream>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fixtures {

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ")";
}

WorkingFolder::WorkingFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(path_);
}

WorkingFolder::~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void saveBmp(const std::string& file, int width, int height,
             const std::function<Rgb(int x, int y)>& paint) {
    constexpr int BITS = 24;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, BITS, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    ASSERT_NE(surface, nullptr);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const Rgb colour = paint(x, y);
            row[3 * x] = colour.r;
            row[3 * x + 1] = colour.g;
            row[3 * x + 2] = colour.b;
        }
    }
    ASSERT_EQ(SDL_SaveBMP(surface, file.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(surface);
}

Rgb frameColour(int frame) {
    return {static_cast<Uint8>(10 * frame + 5), static_cast<Uint8>(200 - 7 * frame), 40};
}

void saveSheet(const std::string& file, int frameWidth, int frameHeight, int frames) {
    saveBmp(file, frameWidth, frameHeight * frames,
            [&](int, int y) { return frameColour(y / frameHeight); });
}

Rgb backgroundColour(int x, int y) {
    // Green stays below 255 and red above 0 so that no pixel is the transparent magenta.
    return {static_cast<Uint8>(x % 251 + 1), static_cast<Uint8>(y % 251),
            static_cast<Uint8>((x / 251) * 16 + (y / 251))};
}

void saveBackground(const std::string& file, int width, int height) {
    saveBmp(file, width, height, backgroundColour);
}

Rgb surfacePixel(SDL_Surface* surface, int x, int y) {
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the surface";
        return {};
    }
    // A colour-keyed surface may be RLE-encoded after its first blit; its pixels need a lock.
    SDL_LockSurface(surface);
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 pixel = 0;
    std::memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    SDL_UnlockSurface(surface);
    Rgb colour{};
    SDL_GetRGB(pixel, surface->format, &colour.r, &colour.g, &colour.b);
    return colour;
}

Rgb screenPixel(int x, int y) {
    return surfacePixel(SCREEN, x, y);
}

void fillScreen(Rgb colour) {
    SDL_FillRect(SCREEN, nullptr, SDL_MapRGB(SCREEN->format, colour.r, colour.g, colour.b));
}

std::string screenBytes() {
    std::string bytes;
    SDL_LockSurface(SCREEN);
    for (int y = 0; y < SCREEN->h; ++y) {
        bytes.append(static_cast<const char*>(SCREEN->pixels) + y * SCREEN->pitch,
                     static_cast<std::size_t>(SCREEN->w) * SCREEN->format->BytesPerPixel);
    }
    SDL_UnlockSurface(SCREEN);
    return bytes;
}

void DisplayTest::SetUp() {
    ASSERT_NO_THROW(screen_init());
}

void DisplayTest::TearDown() {
    SDL_Quit();
    SCREEN = nullptr;
}

namespace {

// A started program whose stderr comes through a pipe.
struct Started {
    pid_t pid = -1;
    int errors = -1; // the reading ends of the pipes from stderr and stdout
    int output = -1;
};

Started startProgram(const std::string& folder, const std::vector<std::string>& environment,
                     const std::vector<std::string>& arguments) {
    int errorPipe[2];
    int outputPipe[2];
    if (pipe(errorPipe) != 0) {
        return {};
    }
    if (pipe(outputPipe) != 0) {
        close(errorPipe[0]);
        close(errorPipe[1]);
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(errorPipe[1], STDERR_FILENO);
        dup2(outputPipe[1], STDOUT_FILENO);
        for (int end : {errorPipe[0], errorPipe[1], outputPipe[0], outputPipe[1]}) {
            close(end);
        }
        if (chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        // File modes hold as they do for a user, also when the tests run as root.
        prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
        prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
        // The full-screen lock in the run's own folder, so that runs elsewhere never meet it.
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        for (const std::string& setting : environment) {
            putenv(const_cast<char*>(setting.c_str()));
        }
        std::vector<char*> argv = {const_cast<char*>(TARNEL_PROGRAM)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(TARNEL_PROGRAM, argv.data());
        _exit(127);
    }
    close(errorPipe[1]);
    close(outputPipe[1]);
    return {child, errorPipe[0], outputPipe[0]};
}

// Reads the program's stderr and stdout to their ends, then its exit status; waited is set when
// the program has already been reaped, with its status in status. A program still running a
// minute on, which should have ended, is killed: the result then says -1, and the test fails
// rather than hangs.
ProgramResult finishProgram(const Started& started, bool waited = false, int status = 0) {
    constexpr int LONGEST_END_MS = 60000;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(LONGEST_END_MS);
    ProgramResult result;
    // Both pipes are drained together, so a program that fills one is never left waiting.
    pollfd ends[] = {{started.errors, POLLIN, 0}, {started.output, POLLIN, 0}};
    std::string* texts[] = {&result.errors, &result.output};
    bool killed = false;
    while (ends[0].fd >= 0 || ends[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int timeout = killed ? -1 : std::max<int>(0, static_cast<int>(left.count()));
        const int ready = poll(ends, 2, timeout);
        if (ready == 0) {
            kill(started.pid, SIGKILL); // its pipes close with it
            killed = true;
            continue;
        }
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0) {
                continue;
            }
            char buffer[256];
            const ssize_t count = read(ends[i].fd, buffer, sizeof buffer);
            if (count > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                close(ends[i].fd);
                ends[i].fd = -1; // poll skips a negative descriptor
            }
        }
    }
    if (!waited) {
        waitpid(started.pid, &status, 0);
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    return result;
}

} // namespace

ProgramResult runProgram(const std::string& folder, const std::vector<std::string>& environment,
                         const std::vector<std::string>& arguments) {
    const Started started = startProgram(folder, environment, arguments);
    if (started.pid < 0) {
        return {};
    }
    return finishProgram(started);
}

namespace {

// Whether process pid runs the program and has a handler of its own for signal, from the
// caught-signals mask in /proc (one bit per signal, signal 1 in bit 0, in hexadecimal). Until
// its exec the child still has the handlers of this process, where SDL may have set some.
bool catches(pid_t pid, int signal) {
    const std::string process = "/proc/" + std::to_string(pid);
    std::error_code error;
    if (!std::filesystem::equivalent(process + "/exe", TARNEL_PROGRAM, error)) {
        return false;
    }
    std::ifstream status(process + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            const unsigned long long mask =
                std::stoull(line.substr(line.find(':') + 1), nullptr, 16);
            return (mask >> (signal - 1)) & 1;
        }
    }
    return false;
}

} // namespace

ProgramResult runProgramUntilSignal(const std::string& folder,
                                    const std::vector<std::string>& environment, int signal,
                                    int settleMs, const std::vector<std::string>& arguments,
                                    const std::function<void()>& meanwhile) {
    constexpr auto POLL = std::chrono::milliseconds(5);
    constexpr auto LONGEST_START = std::chrono::minutes(1);
    const Started started = startProgram(folder, environment, arguments);
    if (started.pid < 0) {
        return {};
    }
    const pid_t child = started.pid;
    const auto deadline = std::chrono::steady_clock::now() + LONGEST_START;
    int status = 0;
    bool ended = false; // on its own, before the signal
    bool ready = false;
    while (!ended && !(ready = catches(child, signal)) &&
           std::chrono::steady_clock::now() < deadline) {
        ended = waitpid(child, &status, WNOHANG) == child;
        std::this_thread::sleep_for(POLL);
    }
    if (ready) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        if (meanwhile) {
            meanwhile();
        }
        kill(child, signal);
    } else if (!ended) {
        kill(child, SIGKILL);
    }
    return finishProgram(started, ended, status);
}

} // namespace fixtures
