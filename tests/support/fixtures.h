// Test support: temporary working folders, BMP fixtures, screen pixels and running the program.
#pragma once

#include <SDL.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fixtures {

struct Rgb {
    Uint8 r, g, b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

constexpr Rgb MAGENTA = {255, 0, 255};

// A fresh temporary folder made the working directory for the object's lifetime, since the
// program reads its pictures by bare name.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// Writes a 24-bit BMP of the given size whose pixel (x, y) has the colour paint(x, y).
void saveBmp(const std::string& file, int width, int height,
             const std::function<Rgb(int x, int y)>& paint);

// A sheet of one column of frames, frame k filled with frameColour(k).
void saveSheet(const std::string& file, int frameWidth, int frameHeight, int frames);
Rgb frameColour(int frame);

// A background whose every pixel has a colour of its own position, so that any piece of it
// on the screen tells where in the world it came from.
void saveBackground(const std::string& file, int width, int height);
Rgb backgroundColour(int x, int y);

// The colour of a surface's pixel (x, y), and of SCREEN's.
Rgb surfacePixel(SDL_Surface* surface, int x, int y);
Rgb screenPixel(int x, int y);
// Fills the whole of SCREEN with one colour.
void fillScreen(Rgb colour);
// The picture on SCREEN, row by row, for comparing two pictures byte for byte.
std::string screenBytes();

// Opens the dummy display for a test and shuts SDL down after it.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// What a run of the real program gave.
struct ProgramResult {
    int exitStatus = -1; // -1 when it did not exit normally
    std::string errors;  // everything it wrote to stderr
    std::string output;  // and to stdout
};

// Runs the built program in folder with extra environment settings ("NAME=value") and the
// command-line arguments until it ends by itself. Its full-screen lock is kept in folder.
ProgramResult runProgram(const std::string& folder, const std::vector<std::string>& environment,
                         const std::vector<std::string>& arguments = {});

// Runs the built program like runProgram, and sends it signal once it has set up its handler
// for it (SDL does as the display opens) and settleMs more have passed, with meanwhile run just
// before the signal. A program that never sets one up within a minute is killed, and the result
// says so in exitStatus -1.
ProgramResult runProgramUntilSignal(const std::string& folder,
                                    const std::vector<std::string>& environment, int signal,
                                    int settleMs, const std::vector<std::string>& arguments = {},
                                    const std::function<void()>& meanwhile = {});

} // namespace fixtures
