// A recording's bytes, pinned: a file written by one version of the program must read the same
// in every later one, on every platform.
#include "recording/recording.h"

#include "world/world.h"

#include <gtest/gtest.h>

namespace {

FrameInput input(FrameInput::Event event, int direction, bool escape) {
    FrameInput made;
    made.event = event;
    made.direction = direction;
    made.escape = escape;
    return made;
}

TEST(Recording, ItsBytesAreTheDocumentedOnesAndReadBackTheSame) {
    Recording recording = new_recording(300, 20);
    for (int frame = 0; frame < 130; ++frame) {
        recording.add(input(FrameInput::NO_EVENT, RIGHT, false));
    }
    recording.add(input(FrameInput::PAUSE, NO_DIRECTION, false));
    recording.add(input(FrameInput::NO_EVENT, LEFT, true));
    recording.add(input(FrameInput::QUIT, UP, false));
    const std::string expected = std::string("\x89TNL\r\n\x1a\n", 8) + // the magic word
                                 "\x01"                                // format version 1
                                 "\x03\x02"                            // made by Tarnel 3.2
                                 "\x14"                                // 20 frames a second
                                 "\xac\x02"                            // seed 300
                                 "\x85\x01"                            // 133 frames
                                 "\x02\x82\x01"                        // right, 130 frames
                                 "\x10\x01"                            // Return, no arrow
                                 "\x0c\x01"                            // left and Escape
                                 "\x21\x01";                           // up, the window closed
    const std::string bytes = encode_recording(recording);
    EXPECT_EQ(bytes, expected);

    // Every input a frame can hold comes back as it went in.
    Recording all = new_recording(0xFFFFFFFF, 20);
    for (auto event : {FrameInput::NO_EVENT, FrameInput::PAUSE, FrameInput::QUIT}) {
        for (int direction : {NO_DIRECTION, UP, RIGHT, DOWN, LEFT}) {
            for (bool escape : {false, true}) {
                all.add(input(event, direction, escape));
            }
        }
    }
    const std::string allBytes = encode_recording(all);
    const Recording read =
        decode_recording(reinterpret_cast<const unsigned char*>(allBytes.data()), allBytes.size());
    EXPECT_EQ(read.seed, 0xFFFFFFFFu);
    EXPECT_EQ(read.frames(), 30u);
    ASSERT_EQ(read.runs.size(), all.runs.size());
    for (std::size_t i = 0; i < all.runs.size(); ++i) {
        EXPECT_EQ(read.runs[i].input, all.runs[i].input) << "run " << i;
        EXPECT_EQ(read.runs[i].frames, 1u);
    }
}

} // namespace
