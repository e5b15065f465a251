// The sounds' recipes: durations in seconds, frequencies in hertz, loudness from 0 to 1.
#include "sounds.h"

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sounds {

namespace {

constexpr double LOOP_SECONDS = 2.0; // the crowd's and the wind's loops
constexpr double CROSSFADE = 0.25;   // seconds of the wind's end blended into its start
constexpr int CROWD_STEPS = 14;      // distant footfalls in a loop
constexpr double CROWD_PEAK = 0.35;  // the loop's loudest, before the game's volume
constexpr double WIND_CUTOFF = 350;  // hertz
constexpr double WIND_SWELL = 0.35;  // how much the wind rises and falls over a loop
constexpr double WIND_PEAK = 0.25;

// Two notes one after the other, the second a little louder.
Samples two_notes(double first, double second) {
    constexpr double NOTE = 0.07; // seconds each
    constexpr double GAP = 0.02;
    constexpr double PEAK = 0.18;
    Samples both(samples_in(2 * NOTE + GAP), 0.0);
    mix_in(both, glide(NOTE, first, first, 0.005, 0.025, PEAK), 0);
    mix_in(both, glide(NOTE, second, second, 0.005, 0.03, PEAK), samples_in(NOTE + GAP));
    return both;
}

// Scales samples so that the loudest reaches peak.
void normalise(Samples& samples, double peak) {
    double loudest = 0;
    for (const double sample : samples) {
        loudest = std::max(loudest, std::abs(sample));
    }
    for (double& sample : samples) {
        sample *= peak / loudest;
    }
}

} // namespace

Samples make_path_step() {
    Noise noise(0x51ED);
    Samples step = burst(noise, 0.07, 1800, 0.003, 0.015, 0.30);
    mix_in(step, burst(noise, 0.05, 600, 0.002, 0.012, 0.15), 0); // the heel's body
    return step;
}

Samples make_grass_step() {
    Noise noise(0x6A55);
    return burst(noise, 0.09, 700, 0.008, 0.022, 0.22);
}

Samples make_bump() {
    Noise noise(0xB0B);
    Samples thud = glide(0.14, 110, 55, 0.004, 0.04, 0.45);
    mix_in(thud, burst(noise, 0.05, 400, 0.002, 0.01, 0.12), 0);
    return thud;
}

Samples make_pause() {
    return two_notes(660, 440);
}

Samples make_resume() {
    return two_notes(440, 660);
}

Samples make_crowd() {
    Noise noise(0xC20D);
    Samples loop(samples_in(LOOP_SECONDS), 0.0);
    for (int i = 0; i < CROWD_STEPS; ++i) {
        const int at = static_cast<int>(noise.unit() * static_cast<double>(loop.size()));
        const double peak = 0.5 + 0.5 * noise.unit(); // nearer and farther feet
        mix_in(loop, burst(noise, 0.06, 500 + 400 * noise.unit(), 0.004, 0.014, peak), at);
    }
    normalise(loop, CROWD_PEAK);
    return loop;
}

Samples make_wind() {
    constexpr double TWO_PI = 6.283185307179586;
    Noise noise(0x917D);
    Samples gust(samples_in(LOOP_SECONDS + CROSSFADE));
    for (double& sample : gust) {
        sample = noise.next();
    }
    low_pass(gust, WIND_CUTOFF);
    low_pass(gust, WIND_CUTOFF);
    Samples loop(samples_in(LOOP_SECONDS));
    const int fade = samples_in(CROSSFADE);
    for (std::size_t i = 0; i < loop.size(); ++i) {
        double sample = gust[i];
        if (static_cast<int>(i) < fade) { // the end that follows it fades into the start
            const double weight = static_cast<double>(i) / fade;
            sample = weight * gust[i] + (1 - weight) * gust[i + loop.size()];
        }
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        loop[i] = sample * (1 - WIND_SWELL + WIND_SWELL * std::sin(TWO_PI * t / LOOP_SECONDS));
    }
    normalise(loop, WIND_PEAK);
    return loop;
}

Samples make_bird() {
    constexpr double CHIRP = 0.07; // seconds
    constexpr double PEAK = 0.12;
    Samples song(samples_in(2 * CHIRP + 0.05), 0.0);
    mix_in(song, glide(CHIRP, 2900, 4100, 0.005, 0.02, PEAK), 0);
    mix_in(song, glide(CHIRP, 3100, 4400, 0.005, 0.02, PEAK), samples_in(CHIRP + 0.05));
    return song;
}

} // namespace sounds
