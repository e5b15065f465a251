// Included before every source in the browser build: the browser's SDL headers are SDL 1.3's,
// which leave out SDL 1.2's SDL_GetKeyState although the library has it.
#pragma once

#include <SDL.h>

extern "C" Uint8* SDL_GetKeyState(int* numkeys);
