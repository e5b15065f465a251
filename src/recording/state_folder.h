// Where a recording goes when the place asked for cannot take it: the user's state folder, under
// a name that says when the game was played.
#pragma once

#include <ctime>
#include <string>

// $XDG_STATE_HOME/tarnel, else ~/.local/state/tarnel; empty when neither variable holds an
// absolute path, as the XDG rules ignore a relative one.
std::string state_folder();

// The file name for a game started at played, local time: tarnel-2026-12-09-181500.tarnel, with
// -2, -3 ... before the extension for the second and later tries of the same second.
std::string played_name(std::time_t played, int attempt);
