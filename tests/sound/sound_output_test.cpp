// The sound that reaches the device, caught by SDL's disk driver: a walk is heard, a game with
// --mute is silent, and a device that is not there, or fails to open, costs not a line.
#include "recording/recording.h"
#include "recording/recording_file.h"

#include "world/world_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace fixtures;

namespace {

constexpr char HEARD[] = "heard.raw"; // what the disk driver writes: 16-bit samples

// The test pictures and the program's sounds, and a recording of a walk to the right that ends
// by itself.
void prepare() {
    saveWorldPictures(1328, 832);
    Recording walk = new_recording(1, 20);
    FrameInput right;
    right.direction = RIGHT;
    for (int frame = 0; frame < 30; ++frame) {
        walk.add(right);
    }
    RecordingFile("walk.tarnel").save(walk);
}

// How many of the samples written are not silence.
long soundingSamples(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    long sounding = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        sounding += bytes[i] != 0 || bytes[i + 1] != 0;
    }
    return sounding;
}

TEST(SoundOutput, AWalkIsHeardMutedNothingIsAndNoDeviceSaysNothing) {
    const struct {
        const char* audioDriver;
        std::vector<std::string> extraArguments;
        bool heard;
    } cases[] = {
        {"disk", {}, true},
        {"disk", {"--mute"}, false},
        {"none-such", {}, false}, // no such driver: played silently
        {"alsa", {}, false},      // ALSA without a card in its configuration, whose library
                                  // would write eight lines of complaints
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.audioDriver) + (c.extraArguments.empty() ? "" : " --mute"));
        WorkingFolder folder;
        prepare();
        std::vector<std::string> arguments = {"--window", "--replay", "walk.tarnel",
                                              "--quit-at-end"};
        arguments.insert(arguments.end(), c.extraArguments.begin(), c.extraArguments.end());
        const ProgramResult result =
            runProgram(folder.path(),
                       {"SDL_VIDEODRIVER=dummy", std::string("SDL_AUDIODRIVER=") + c.audioDriver,
                        "SDL_DISKAUDIOFILE=" + folder.path() + "/" + HEARD},
                       arguments);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.errors, "");
        EXPECT_EQ(soundingSamples(folder.path() + "/" + HEARD) > 0, c.heard);
    }
}

} // namespace
