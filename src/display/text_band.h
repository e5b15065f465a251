// A band of text across the foot of a picture, drawn with a small font of the project's own.
#pragma once

#include <SDL.h>
#include <string>

// The band's height for a font pixel of pixel x pixel screen pixels.
int text_band_height(int pixel);

// Draws the band over the last text_band_height(pixel) rows of the width-pixel-wide picture
// whose top-left corner is (x, y) and whose foot is at row bottom of target: dark, with text
// centred in it. Draws the characters of a time and a speed ("0" to "9", ":", "/", " ", "·",
// "×", "¼", "½", UTF-8); any other is left blank.
void draw_text_band(SDL_Surface* target, int x, int bottom, int width, int pixel,
                    const std::string& text);
