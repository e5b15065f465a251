// Sprite frames written as rows of palette characters: composed, outlined, mirrored and painted
// into a sheet.
#pragma once

#include "bmp_writer.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pictures {

// One string per pixel row, one character per pixel.
using Art = std::vector<std::string>;
using Palette = std::map<char, Rgb>;

constexpr char CLEAR = '.';
constexpr char OUTLINE = 'k';

// Art from a block of text, one row per line; indentation and blank lines are ignored, so the
// picture can sit indented in a raw string. Throws std::invalid_argument on rows of unequal width.
Art art(std::string_view text);

Art blank_art(int width, int height);

// Copies the non-clear pixels of part onto frame, part's first row landing on row top.
void stamp(Art& frame, const Art& part, int top);

// Clear pixels touching the figure, or enclosed by it, become OUTLINE, so the figure stands out
// on any ground and no transparent hole is left inside it.
Art outlined(const Art& frame);

Art mirrored(const Art& art);

// Paints frame with its top-left corner at (0, top); clear pixels become MAGENTA.
// Throws std::invalid_argument on a character missing from the palette.
void paint(Image& sheet, const Art& frame, const Palette& palette, int top);

} // namespace pictures
