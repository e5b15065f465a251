// Noise, filter, envelope and tone, each a few lines of arithmetic.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sounds {

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr std::uint32_t XORSHIFT_LEFT = 13;
constexpr std::uint32_t XORSHIFT_RIGHT = 17;
constexpr std::uint32_t XORSHIFT_LAST = 5;
constexpr double TWO_TO_32 = 4294967296.0;

constexpr double FADE_OUT = 0.01; // seconds at the end brought to silence, so nothing clicks

// Rises linearly over attack seconds, then decays with the time constant decay seconds, and
// fades to nothing over the last FADE_OUT of seconds.
double envelope(double t, double seconds, double attack, double decay) {
    const double shape = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    return shape * std::min(1.0, (seconds - t) / FADE_OUT);
}

} // namespace

double Noise::next() {
    state_ ^= state_ << XORSHIFT_LEFT;
    state_ ^= state_ >> XORSHIFT_RIGHT;
    state_ ^= state_ << XORSHIFT_LAST;
    return state_ / TWO_TO_32 * 2 - 1;
}

int samples_in(double seconds) {
    return static_cast<int>(std::lround(seconds * SAMPLE_RATE));
}

void low_pass(Samples& samples, double cutoff) {
    const double alpha = 1 - std::exp(-TWO_PI * cutoff / SAMPLE_RATE);
    double smoothed = 0;
    for (double& sample : samples) {
        smoothed += alpha * (sample - smoothed);
        sample = smoothed;
    }
}

Samples burst(Noise& noise, double seconds, double cutoff, double attack, double decay,
              double peak) {
    Samples samples(samples_in(seconds));
    for (double& sample : samples) {
        sample = noise.next();
    }
    low_pass(samples, cutoff);
    low_pass(samples, cutoff); // twice: a gentler slope, without the hiss of one pole
    double loudest = 0;
    for (const double sample : samples) {
        loudest = std::max(loudest, std::abs(sample));
    }
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        samples[i] *= peak / loudest * envelope(t, seconds, attack, decay);
    }
    return samples;
}

Samples glide(double seconds, double from, double to, double attack, double decay, double peak) {
    Samples samples(samples_in(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double frequency = from + (to - from) * t / seconds;
        phase += TWO_PI * frequency / SAMPLE_RATE;
        samples[i] = peak * envelope(t, seconds, attack, decay) * std::sin(phase);
    }
    return samples;
}

void mix_in(Samples& mix, const Samples& sound, int at) {
    for (std::size_t i = 0; i < sound.size(); ++i) {
        mix[(at + i) % mix.size()] += sound[i];
    }
}

} // namespace sounds
