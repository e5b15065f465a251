// A recording's file: given its name only when whole, and never over a file of the user's.
#include "recording/recording_file.h"

#include "support/fixtures.h"

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace fixtures;

namespace {

// A file that appears under the name while the game is played is the user's: it stays, and the
// game is kept in the state folder, or where that cannot be had, under the temporary name.
TEST(RecordingFile, AFileThatAppearedUnderItsNameIsNeverReplaced) {
    WorkingFolder folder;
    std::ofstream("blocked") << "a file where the state folder would be";
    Recording recording = new_recording(7, 20);
    const std::string header = encode_recording(recording);
    recording.add(FrameInput{});
    const struct {
        const char* state; // XDG_STATE_HOME, in the folder
        std::string kept;  // where the message says the game is
    } cases[] = {
        {"state", folder.path() + "/state/tarnel/tarnel-"},
        {"blocked", "./.walk.tarnel."},
    };
    for (const auto& c : cases) {
        setenv("XDG_STATE_HOME", (folder.path() + "/" + c.state).c_str(), 1);
        RecordingFile file("walk.tarnel", header);
        std::ofstream("walk.tarnel") << "the user's";
        try {
            file.save(recording);
            ADD_FAILURE() << "saved over walk.tarnel";
        } catch (const std::runtime_error& error) {
            const std::string message = error.what();
            const std::string kept = message.substr(message.rfind(' ') + 1);
            EXPECT_EQ(message.rfind("cannot name the recording walk.tarnel (File exists); ", 0), 0u)
                << message;
            EXPECT_EQ(kept.rfind(c.kept, 0), 0u) << message;
            EXPECT_EQ(read_recording(kept).seed, 7u);
        }
        std::stringstream kept;
        kept << std::ifstream("walk.tarnel").rdbuf();
        EXPECT_EQ(kept.str(), "the user's");
        std::remove("walk.tarnel");
    }
    unsetenv("XDG_STATE_HOME");
}

} // namespace
