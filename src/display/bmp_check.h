// A look at a BMP file's header before SDL's loader trusts it.
#pragma once

#include <string>

// Whether a BMP file's header leaves SDL's loader nothing to take on trust. Its rows must be
// uncompressed, which is all that SDL 1.2 reads (sdl12-compat would take any compression), and
// lie within the file: a damaged size field would otherwise have SDL allocate and clear
// gigabytes before it found the rows missing. Sets SDL's error when it does not. A file that
// cannot be read is left to SDL's loader to report.
bool bmp_header_is_sound(const std::string& file);
