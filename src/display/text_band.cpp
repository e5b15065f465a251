// The text band's font and drawing: each glyph five columns by seven rows of blocks.
#include "display/text_band.h"

namespace {

constexpr int GLYPH_COLUMNS = 5;
constexpr int GLYPH_ROWS = 7;
constexpr int ADVANCE = GLYPH_COLUMNS + 1; // blocks from one glyph to the next
constexpr int MARGIN = 2;                  // blocks above and below the text
constexpr Uint8 BAND_GREY = 0x20;          // the band, nearly black
constexpr Uint8 TEXT_GREY = 0xE8;          // the text, nearly white

// A glyph's rows from the top, the leftmost column in bit 4.
struct Glyph {
    unsigned codePoint;
    Uint8 rows[GLYPH_ROWS];
};
constexpr Glyph FONT[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {0xB7, {0x00, 0x00, 0x00, 0x0C, 0x0C, 0x00, 0x00}}, // middle dot
    {0xD7, {0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x00}}, // multiplication sign
    {0xBC, {0x10, 0x12, 0x14, 0x0A, 0x16, 0x0F, 0x02}}, // one quarter
    {0xBD, {0x10, 0x12, 0x14, 0x0B, 0x11, 0x02, 0x07}}, // one half
};

// The code points of a UTF-8 text; a byte that starts no character of two bytes or fewer
// counts as itself.
std::u32string codePoints(const std::string& text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xE0) == 0xC0 && i + 1 < text.size()) {
            points += static_cast<char32_t>((byte & 0x1F) << 6 | (text[i + 1] & 0x3F));
            ++i;
        } else {
            points += byte;
        }
    }
    return points;
}

const Glyph* glyphOf(char32_t codePoint) {
    for (const Glyph& glyph : FONT) {
        if (glyph.codePoint == codePoint) {
            return &glyph;
        }
    }
    return nullptr;
}

void fill(SDL_Surface* target, int x, int y, int width, int height, Uint32 colour) {
    SDL_Rect rect = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(width),
                     static_cast<Uint16>(height)};
    SDL_FillRect(target, &rect, colour);
}

} // namespace

int text_band_height(int pixel) {
    return (GLYPH_ROWS + 2 * MARGIN) * pixel;
}

void draw_text_band(SDL_Surface* target, int x, int bottom, int width, int pixel,
                    const std::string& text) {
    const int top = bottom - text_band_height(pixel);
    fill(target, x, top, width, text_band_height(pixel),
         SDL_MapRGB(target->format, BAND_GREY, BAND_GREY, BAND_GREY));
    const Uint32 ink = SDL_MapRGB(target->format, TEXT_GREY, TEXT_GREY, TEXT_GREY);
    const std::u32string points = codePoints(text);
    const int textWidth = (static_cast<int>(points.size()) * ADVANCE - 1) * pixel;
    int left = x + (width - textWidth) / 2;
    for (char32_t point : points) {
        if (const Glyph* glyph = glyphOf(point)) {
            for (int row = 0; row < GLYPH_ROWS; ++row) {
                for (int column = 0; column < GLYPH_COLUMNS; ++column) {
                    if (glyph->rows[row] & (1u << (GLYPH_COLUMNS - 1 - column))) {
                        fill(target, left + column * pixel, top + (MARGIN + row) * pixel, pixel,
                             pixel, ink);
                    }
                }
            }
        }
        left += ADVANCE * pixel;
    }
}
