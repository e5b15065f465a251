// A look at a BMP file's header before SDL's loader trusts it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Sets SDL's error to text as it stands: classic SDL's own formatting knows no %lld or %lu.
void set_sdl_error(const std::string& text);

// Whether a BMP file's header leaves SDL's loader nothing to take on trust. Its rows must be
// uncompressed, which is all that SDL 1.2 reads (sdl12-compat would take any compression), and
// lie within the file: a damaged size field would otherwise have SDL allocate and clear
// gigabytes before it found the rows missing. A file that cannot be opened, or is a folder, is
// refused with the system's reason. Sets SDL's error when it refuses. A header too short to read
// is left to SDL's loader to report.
bool bmp_header_is_sound(const std::string& file);

// The same judgement of a header already read: its first length bytes, of a file of fileSize
// bytes (0 or more).
bool bmp_header_is_sound(const unsigned char* header, std::size_t length, std::int64_t fileSize);
