// The RIFF container: a "fmt " chunk for 16-bit mono PCM, then the "data" chunk.
#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace sounds {

namespace {

constexpr int BYTES_A_SAMPLE = 2;
constexpr int FMT_CHUNK_SIZE = 16;    // bytes of a PCM "fmt " chunk
constexpr int HEADER_AFTER_SIZE = 36; // bytes of the header after the RIFF size field, less data
constexpr double FULL_SCALE = 32767;

void put16(std::ofstream& out, std::uint16_t value) {
    out.put(static_cast<char>(value & 0xFF)).put(static_cast<char>(value >> 8));
}

void put32(std::ofstream& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

void write_wav(const Samples& samples, const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * BYTES_A_SAMPLE);
    out.write("RIFF", 4);
    put32(out, HEADER_AFTER_SIZE + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, FMT_CHUNK_SIZE);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SAMPLE_RATE);
    put32(out, SAMPLE_RATE * BYTES_A_SAMPLE); // bytes a second
    put16(out, BYTES_A_SAMPLE);               // bytes a sample frame
    put16(out, BYTES_A_SAMPLE * 8);           // bits a sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (const double sample : samples) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        put16(out, static_cast<std::uint16_t>(
                       static_cast<std::int16_t>(std::lround(clipped * FULL_SCALE))));
    }
    if (!out) {
        throw std::runtime_error("cannot write " + file);
    }
}

} // namespace sounds
