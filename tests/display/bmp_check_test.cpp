// The picture header check: which hand-made BMP files it and the loader accept or refuse.
#include "display/bmp_check.h"
#include "display/display.h"
#include "support/fixtures.h"

#include <cstdint>
#include <fstream>
#include <vector>

using namespace fixtures;

namespace {

// A BMP file as its fields say; every size is in pixels or bytes.
struct Bmp {
    int headerSize = 40; // 12 for the old OS/2 header
    int width = 3;
    int height = 2; // negative: rows stored top-down
    int bits = 24;
    std::uint32_t compression = 0; // 3: bit fields, three colour masks after the header
    int paletteColours = 0;
    int gap = 0;        // bytes between the palette and the pixels
    int short_ = 0;     // bytes cut off the end of the file
    int offsetPast = 0; // bytes the pixel offset points past the file's end, when positive
    int keep = 0;       // bytes kept of the file, when positive
};

void put(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

std::vector<unsigned char> encode(const Bmp& bmp) {
    constexpr int FILE_HEADER = 14;
    constexpr int MASKS = 12;
    const bool masks = bmp.compression == 3;
    const int palette = bmp.paletteColours * (bmp.headerSize == 12 ? 3 : 4);
    const int offset = FILE_HEADER + bmp.headerSize + (masks ? MASKS : 0) + palette + bmp.gap;
    const int rowBytes = (bmp.width * bmp.bits + 31) / 32 * 4; // padded to 32-bit words
    const int size = offset + rowBytes * std::abs(bmp.height) - bmp.short_;

    std::vector<unsigned char> bytes = {'B', 'M'};
    put(bytes, size, 4);
    put(bytes, 0, 4);
    put(bytes, bmp.offsetPast > 0 ? size + bmp.offsetPast : offset, 4);
    put(bytes, bmp.headerSize, 4);
    if (bmp.headerSize == 12) {
        put(bytes, bmp.width, 2);
        put(bytes, bmp.height, 2);
        put(bytes, 1, 2);
        put(bytes, bmp.bits, 2);
    } else {
        put(bytes, bmp.width, 4);
        put(bytes, static_cast<std::uint32_t>(bmp.height), 4);
        put(bytes, 1, 2);
        put(bytes, bmp.bits, 2);
        put(bytes, bmp.compression, 4);
        put(bytes, 0, 4); // image size: may be 0 for uncompressed rows
        put(bytes, 2835, 4);
        put(bytes, 2835, 4);
        put(bytes, bmp.paletteColours, 4);
        put(bytes, 0, 4);
    }
    if (masks) {
        put(bytes, 0x00FF0000, 4);
        put(bytes, 0x0000FF00, 4);
        put(bytes, 0x000000FF, 4);
    }
    bytes.resize(static_cast<std::size_t>(offset), 0x40); // palette and gap
    bytes.resize(static_cast<std::size_t>(size), 0x01);   // pixels: palette entry 1
    if (bmp.keep > 0) {
        bytes.resize(static_cast<std::size_t>(bmp.keep));
    }
    return bytes;
}

using BmpCheck = DisplayTest;

TEST_F(BmpCheck, AcceptsWholeUncompressedFilesAndRefusesShortOnes) {
    WorkingFolder folder;
    const struct {
        const char* what;
        Bmp bmp;
        bool sound; // the header check's decision
        bool loads; // load_image's
    } cases[] = {
        {"24-bit, rows padded to 12 bytes", {}, true, true},
        {"24-bit, top-down", {.height = -2}, true, true},
        {"... a byte short", {.height = -2, .short_ = 1}, false, false},
        {"24-bit, a byte short of its rows' padding", {.short_ = 1}, false, false},
        {"24-bit, pixels 10 bytes after the header", {.gap = 10}, true, true},
        {"... and a byte short of them", {.gap = 10, .short_ = 1}, false, false},
        {"24-bit, pixel offset past the end", {.offsetPast = 1}, false, false},
        {"8-bit, 4 colours, 5 pixels a row",
         {.width = 5, .bits = 8, .paletteColours = 4},
         true,
         true},
        {"... a byte short",
         {.width = 5, .bits = 8, .paletteColours = 4, .short_ = 1},
         false,
         false},
        {"32-bit bit fields", {.width = 2, .bits = 32, .compression = 3}, true, true},
        {"... a byte short", {.width = 2, .bits = 32, .compression = 3, .short_ = 1}, false, false},
        {"OS/2 header, 24-bit", {.headerSize = 12}, true, true},
        {"... a byte short", {.headerSize = 12, .short_ = 1}, false, false},
        {"8-bit run-length encoded",
         {.bits = 8, .compression = 1, .paletteColours = 4},
         false,
         false},
        {"no pixels: width 0", {.width = 0}, true, false},
        {"cut inside its headers: left to the loader", {.keep = 30}, true, false},
    };
    for (const auto& [what, bmp, sound, loads] : cases) {
        const std::vector<unsigned char> bytes = encode(bmp);
        std::ofstream("case.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(bmp_header_is_sound("case.bmp"), sound) << what;
        SDL_Surface* picture = load_image("case.bmp");
        EXPECT_EQ(picture != nullptr, loads) << what << ": " << SDL_GetError();
        SDL_FreeSurface(picture);
    }
}

} // namespace
