// The program's sentences in the player's language: _() looks one up in the catalogue, N_()
// marks one for xgettext to be looked up later, formatted() fills a looked-up pattern in.
#pragma once

#include <libintl.h>
#include <string>

#define _(text) gettext(text)
#define N_(text) text

// printf's pattern filled in, as a string; the compiler checks it against the English one.
std::string formatted(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
