// Fuzz target: the recording reader, which takes files that travel between people. Whatever the
// bytes, it reads them or refuses them in words, and what it reads, written again, reads back
// to the same file. (A number may be written with more bytes than it needs; the reader takes it.)
#include "recording/recording.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    Recording read;
    try {
        read = decode_recording(data, size);
    } catch (const RecordingError&) {
        return 0;
    }
    const std::string written = encode_recording(read);
    const Recording again =
        decode_recording(reinterpret_cast<const unsigned char*>(written.data()), written.size());
    if (encode_recording(again) != written) {
        std::abort();
    }
    return 0;
}
