// Encodes an Image as a PNG file with an alpha channel, for the desktop icon. Written by hand,
// with stored (uncompressed) deflate blocks, so it needs no zlib and its bytes never change.
#pragma once

#include "bmp_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

// 8-bit RGBA, not interlaced; pixels of the colour transparent become fully transparent.
std::vector<std::uint8_t> encode_png(const Image& image, Rgb transparent);

// Throws std::runtime_error when the file cannot be written.
void write_png(const Image& image, Rgb transparent, const std::string& path);

} // namespace pictures
