// A sound as samples, and its encoding as a 16-bit mono PCM WAV file, written by hand so the
// bytes depend on nothing but this source.
#pragma once

#include <string>
#include <vector>

namespace sounds {

constexpr int SAMPLE_RATE = 22050; // samples a second: enough for footsteps, small to ship

// Samples from -1 to 1, clipped when written.
using Samples = std::vector<double>;

// Writes samples as a WAV file; throws std::runtime_error when the file cannot be written.
void write_wav(const Samples& samples, const std::string& file);

} // namespace sounds
