// A recording's file: given its name only when whole, and never over a file of the user's.
#include "recording/recording_file.h"

#include "support/fixtures.h"

#include <fstream>
#include <sstream>

using namespace fixtures;

namespace {

// A file that appears under the name while the game is played is the user's: it stays, and the
// game is kept under the temporary name that the message gives.
TEST(RecordingFile, AFileThatAppearedUnderItsNameIsNeverReplaced) {
    WorkingFolder folder;
    RecordingFile file("walk.tarnel");
    std::ofstream("walk.tarnel") << "the user's";
    Recording recording = new_recording(7, 20);
    recording.add(FrameInput{});
    try {
        file.save(recording);
        ADD_FAILURE() << "saved over walk.tarnel";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("cannot name the recording walk.tarnel (File exists); it is kept "
                                "as ./.walk.tarnel.",
                                0),
                  0u)
            << message;
        EXPECT_EQ(read_recording(message.substr(message.rfind(' ') + 1)).seed, 7u);
    }
    std::stringstream kept;
    kept << std::ifstream("walk.tarnel").rdbuf();
    EXPECT_EQ(kept.str(), "the user's");
}

} // namespace
