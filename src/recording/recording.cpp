// The recording's bytes: a magic word, a header of numbers, then one code and one length a run.
// Numbers are unsigned LEB128: seven bits a byte, least significant first, the top bit set on
// every byte but the last.
#include "recording/recording.h"

#include "language/translation.h"

#include <cstdio>
#include <iterator>
#include <limits>

namespace {

constexpr unsigned char MAGIC[] = {0x89, 'T', 'N', 'L', '\r', '\n', 0x1A, '\n'};
constexpr int PROGRAM_MAJOR = 3; // this program's version, kept in what it records
constexpr int PROGRAM_MINOR = 2;

// A run's code: bits 0-2 the direction (0 none, 1 + the direction code), bit 3 Escape held,
// bits 4-5 the event (FrameInput::Event); bits 6-7 are not used.
constexpr unsigned DIRECTION_BITS = 0x07;
constexpr unsigned ESCAPE_BIT = 0x08;
constexpr unsigned EVENT_SHIFT = 4;
constexpr unsigned EVENT_BITS = 0x03;
constexpr unsigned LAST_DIRECTION = 4; // left, coded as 1 + 3
constexpr unsigned LAST_EVENT = FrameInput::QUIT;
constexpr unsigned UNUSED_BITS = 0xC0;

constexpr unsigned LOW_SEVEN = 0x7F;
constexpr unsigned MORE = 0x80;
constexpr int BITS_A_BYTE = 7;
constexpr int LONGEST_NUMBER = 10; // bytes: enough for 64 bits

unsigned codeOf(const FrameInput& input) {
    return static_cast<unsigned>(input.direction + 1) | (input.escape ? ESCAPE_BIT : 0) |
           static_cast<unsigned>(input.event) << EVENT_SHIFT;
}

void putNumber(std::string& out, std::uint64_t value) {
    while (value > LOW_SEVEN) {
        out += static_cast<char>((value & LOW_SEVEN) | MORE);
        value >>= BITS_A_BYTE;
    }
    out += static_cast<char>(value);
}

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// Reads the bytes in order, naming where each fault lies.
class Reader {
public:
    Reader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t at() const { return at_; }
    bool atEnd() const { return at_ == size_; }

    unsigned byte(const char* what) {
        if (at_ == size_) {
            // TRANSLATORS: %s is a part of the file: its magic word, header, seed or frames.
            fail(formatted(_("it ends at byte %zu, in %s"), at_, _(what)));
        }
        return bytes_[at_++];
    }

    std::uint64_t number(const char* what) {
        const std::size_t start = at_;
        std::uint64_t value = 0;
        for (int i = 0; i < LONGEST_NUMBER; ++i) {
            const unsigned next = byte(what);
            const std::uint64_t bits = next & LOW_SEVEN;
            if (i == LONGEST_NUMBER - 1 && bits > 1) {
                break; // more than 64 bits
            }
            value |= bits << (BITS_A_BYTE * i);
            if ((next & MORE) == 0) {
                return value;
            }
        }
        // TRANSLATORS: %s is a part of the file: its header, seed or frames.
        fail(formatted(_("%s at byte %zu is a number longer than any this format holds"), _(what),
                       start));
    }

    // A number that fits 32 bits, or the fault named.
    std::uint32_t number32(const char* what) {
        const std::size_t start = at_;
        const std::uint64_t value = number(what);
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            // TRANSLATORS: %s is a part of the file: its header, seed or frames; %llu its value.
            fail(formatted(_("%s %llu at byte %zu is out of range (0 to 4294967295)"), _(what),
                           static_cast<unsigned long long>(value), start));
        }
        return static_cast<std::uint32_t>(value);
    }

    [[noreturn]] static void fail(const std::string& why) { throw RecordingError(why); }

private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void readMagic(Reader& in) {
    for (unsigned char expected : MAGIC) {
        if (in.atEnd() || in.byte(N_("its magic word")) != expected) {
            Reader::fail(_("not a Tarnel recording (it does not start with the magic word)"));
        }
    }
}

FrameInput inputOf(unsigned code, std::size_t at) {
    const unsigned direction = code & DIRECTION_BITS;
    const unsigned event = code >> EVENT_SHIFT & EVENT_BITS;
    if ((code & UNUSED_BITS) != 0 || direction > LAST_DIRECTION || event > LAST_EVENT) {
        Reader::fail(formatted(_("the input code %s at byte %zu is not one of format version 1"),
                               hexByte(code).c_str(), at));
    }
    FrameInput input;
    input.direction = static_cast<int>(direction) - 1;
    input.escape = (code & ESCAPE_BIT) != 0;
    input.event = static_cast<FrameInput::Event>(event);
    return input;
}

} // namespace

void Recording::add(const FrameInput& input) {
    if (!runs.empty() && runs.back().input == input &&
        runs.back().frames < std::numeric_limits<std::uint32_t>::max()) {
        ++runs.back().frames;
    } else {
        runs.push_back({input, 1});
    }
}

std::uint32_t Recording::frames() const {
    std::uint32_t total = 0;
    for (const Run& run : runs) {
        total += run.frames;
    }
    return total;
}

Recording new_recording(std::uint32_t seed, std::uint32_t frameRate) {
    Recording recording;
    recording.seed = seed;
    recording.frameRate = frameRate;
    recording.programMajor = PROGRAM_MAJOR;
    recording.programMinor = PROGRAM_MINOR;
    return recording;
}

std::string encode_recording(const Recording& recording) {
    std::string out(std::begin(MAGIC), std::end(MAGIC));
    for (std::uint64_t field :
         {std::uint64_t{RECORDING_FORMAT}, std::uint64_t{recording.programMajor},
          std::uint64_t{recording.programMinor}, std::uint64_t{recording.frameRate},
          std::uint64_t{recording.seed}, std::uint64_t{recording.frames()}}) {
        putNumber(out, field);
    }
    for (const Recording::Run& run : recording.runs) {
        out += static_cast<char>(codeOf(run.input));
        putNumber(out, run.frames);
    }
    return out;
}

Recording decode_recording(const unsigned char* bytes, std::size_t size) {
    Reader in(bytes, size);
    readMagic(in);
    const std::size_t formatAt = in.at();
    const std::uint64_t format = in.number(N_("its header"));
    if (format > RECORDING_FORMAT) {
        Reader::fail(formatted(_("it is in format version %llu, newer than the version %d this "
                                 "program reads; a newer Tarnel plays it"),
                               static_cast<unsigned long long>(format), RECORDING_FORMAT));
    }
    if (format == 0) {
        Reader::fail(formatted(_("format version 0 at byte %zu does not exist"), formatAt));
    }
    Recording recording;
    recording.programMajor = in.number32(N_("its header"));
    recording.programMinor = in.number32(N_("its header"));
    recording.frameRate = in.number32(N_("its header"));
    recording.seed = in.number32(N_("its seed"));
    const std::uint32_t frames = in.number32(N_("its header"));
    if (frames == 0) {
        Reader::fail(_("it holds no frames"));
    }
    for (std::uint32_t read = 0; read < frames;) {
        const std::size_t at = in.at();
        const char* what = N_("its frames");
        const unsigned code = in.byte(what);
        const FrameInput input = inputOf(code, at);
        const std::uint32_t length = in.number32(what);
        if (length == 0 || length > frames - read) {
            Reader::fail(formatted(_("the run at byte %zu of %lu frames does not fit the %lu "
                                     "frames its header counts"),
                                   at, static_cast<unsigned long>(length),
                                   static_cast<unsigned long>(frames)));
        }
        recording.runs.push_back({input, length});
        read += length;
    }
    if (!in.atEnd()) {
        Reader::fail(formatted(_("it goes on after its last frame, at byte %zu"), in.at()));
    }
    return recording;
}

void expect_frame_rate(const Recording& recording, std::uint32_t frameRate) {
    if (recording.frameRate != frameRate) {
        throw RecordingError(
            formatted(_("it was played at %lu frames a second; this program plays at %lu"),
                      static_cast<unsigned long>(recording.frameRate),
                      static_cast<unsigned long>(frameRate)));
    }
}

FrameInput Replay::next() {
    FrameInput input;
    if (run_ < recording_.runs.size()) {
        input = recording_.runs[run_].input;
        if (++inRun_ == recording_.runs[run_].frames) {
            ++run_;
            inRun_ = 0;
        }
        ++given_;
    }
    return input;
}

void Replay::rewind() {
    run_ = 0;
    inRun_ = 0;
    given_ = 0;
}

void Replay::goTo(std::uint32_t given) {
    rewind();
    while (run_ < recording_.runs.size() && given - given_ >= recording_.runs[run_].frames) {
        given_ += recording_.runs[run_].frames;
        ++run_;
    }
    if (run_ < recording_.runs.size()) {
        inRun_ = given - given_;
        given_ = given;
    }
}
