// The time a watched replay takes to seek to the last frame of a ten-minute game.
#pragma once

// Plays a ten-minute recording from its first frame to its last, unseen, as a seek back does,
// several times, and prints the median as "seek 10 min = N ms".
void print_seek_figure();
