// The time a watched replay takes to keep its states and to seek, and the states' memory.
#pragma once

// Opens a ten-minute recording paused, lets it keep its states between frames, then seeks to
// random frames, and prints "states build = N ms", "states 10 min = N MB" and
// "seek worst = N ms".
void print_seek_figure();
