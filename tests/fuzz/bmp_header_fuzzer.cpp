// Fuzz target: the check of a BMP header in front of SDL's loader, which reads pictures anyone
// can swap. The first eight bytes give the file's size (never negative, as the system gives it),
// the rest is the header.
#include "display/bmp_check.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::uint64_t bits = 0;
    if (size < sizeof bits) {
        return 0;
    }
    std::memcpy(&bits, data, sizeof bits);
    const auto fileSize = static_cast<std::int64_t>(bits >> 1);
    bmp_header_is_sound(data + sizeof bits, size - sizeof bits, fileSize);
    return 0;
}
