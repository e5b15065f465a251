// The few pieces every sound is made of: seeded noise, a smoothing filter, envelopes and tones.
#pragma once

#include "wav_writer.h"

#include <cstdint>

namespace sounds {

// xorshift32 noise, identical on every platform, uniform in [-1, 1).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next();
    // Uniform in [0, 1).
    double unit() { return (next() + 1) / 2; }

private:
    std::uint32_t state_;
};

// Samples a duration of seconds holds.
int samples_in(double seconds);

// A one-pole low-pass of cutoff hertz over samples, in place: softer, duller noise.
void low_pass(Samples& samples, double cutoff);

// Noise of seconds, dulled to below cutoff hertz, rising in attack seconds and dying away
// exponentially with the time constant decay seconds; peak is its loudest.
Samples burst(Noise& noise, double seconds, double cutoff, double attack, double decay,
              double peak);

// A sine gliding from one frequency to another (hertz), shaped as burst is.
Samples glide(double seconds, double from, double to, double attack, double decay, double peak);

// Adds sound into mix from sample at, wrapping around mix's end: loops stay seamless.
void mix_in(Samples& mix, const Samples& sound, int at);

} // namespace sounds
