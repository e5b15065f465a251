// Each of the program's sounds, made from noise and tones: short, soft and quiet, so that ten
// minutes of them do not tire.
#pragma once

#include "wav_writer.h"

namespace sounds {

Samples make_path_step();  // a footfall on the sandy path: a short, slightly gritty tap
Samples make_grass_step(); // on grass: duller and softer
Samples make_bump();       // a soft low thud against a statue or the world's edge
Samples make_pause();      // two falling notes
Samples make_resume();     // two rising notes
Samples make_crowd();      // a seamless loop of distant steps, the crowd's murmur
Samples make_wind();       // a seamless loop of wind in the meadow
Samples make_bird();       // a bird's two chirps

} // namespace sounds
