// Damaged copies of a valid BMP file, made deterministically, for tests of picture loading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<unsigned char>;

// The fields of a BMP file header and of its 40-byte information header, by byte offset.
enum class BmpField {
    FILE_SIZE,
    PIXEL_OFFSET,
    HEADER_SIZE,
    WIDTH,
    HEIGHT,
    PLANES,
    BIT_COUNT,
    COMPRESSION,
    IMAGE_SIZE,
    COLOURS_USED,
    COLOURS_IMPORTANT,
};

struct DamagedPicture {
    std::string what;      // how it was damaged, for a failing test's message
    Bytes bytes;           // the file's content
    bool isFolder = false; // a folder of the picture's name instead of a file
};

Bytes readBytes(const std::string& file);

// Writes the damaged picture under file's name, or makes a folder of that name.
void saveDamaged(const std::string& file, const DamagedPicture& picture);

// Single kinds of damage.
DamagedPicture truncated(const Bytes& valid, std::size_t length);
DamagedPicture withField(const Bytes& valid, BmpField field, std::int64_t value);
DamagedPicture emptyFile();
DamagedPicture folder();

// Every kind of damage to one valid file: truncated at every byte of the headers and in the
// pixels, each header field set to zero, negative, huge or inconsistent values, random bytes
// changed in the headers and in the pixels (drawn from seed), an empty file and a folder.
std::vector<DamagedPicture> damagedPictures(const Bytes& valid, unsigned seed);

} // namespace fixtures
