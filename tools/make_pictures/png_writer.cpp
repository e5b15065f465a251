// PNG = signature, then IHDR, IDAT and IEND chunks, each with a CRC-32; IDAT holds a zlib stream
// of stored deflate blocks closed by an Adler-32 of the filtered rows.
#include "png_writer.h"

#include <algorithm>
#include <array>

namespace pictures {
namespace {

constexpr std::array<std::uint8_t, 8> SIGNATURE = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint8_t BIT_DEPTH = 8;
constexpr std::uint8_t COLOUR_RGBA = 6;
constexpr std::uint8_t DEFAULT_METHOD = 0; // compression, filter method and interlacing alike
constexpr std::uint8_t FILTER_NONE = 0;
constexpr std::uint8_t OPAQUE = 0xff;
constexpr std::uint8_t TRANSPARENT = 0;

// zlib header: deflate with a 32 KiB window and no dictionary; 0x7801 is a multiple of 31, as
// zlib's check requires.
constexpr std::uint8_t ZLIB_METHOD = 0x78;
constexpr std::uint8_t ZLIB_FLAGS = 0x01;
constexpr std::uint8_t STORED_BLOCK = 0;
constexpr std::uint8_t FINAL_BLOCK = 1;
constexpr std::size_t STORED_BLOCK_LIMIT = 0xffff;

constexpr std::uint32_t CRC_POLYNOMIAL = 0xedb88320; // CRC-32 of ISO 3309, bits reversed
constexpr std::uint32_t CRC_ALL_ONES = 0xffffffff;
constexpr std::size_t CHUNK_TYPE_LENGTH = 4;
constexpr std::uint32_t ADLER_MODULUS = 65521;
constexpr int BITS_PER_BYTE = 8;
constexpr std::uint32_t LOW_BYTE = 0xff;
constexpr std::uint32_t LOW_HALF = 0xffff;

void put_big32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 3 * BITS_PER_BYTE; shift >= 0; shift -= BITS_PER_BYTE) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void put_little16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & LOW_BYTE));
    out.push_back(static_cast<std::uint8_t>(value >> BITS_PER_BYTE & LOW_BYTE));
}

std::uint32_t crc32(const std::uint8_t* begin, const std::uint8_t* end) {
    std::uint32_t crc = CRC_ALL_ONES;
    for (const std::uint8_t* byte = begin; byte != end; ++byte) {
        crc ^= *byte;
        for (int bit = 0; bit < BITS_PER_BYTE; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ CRC_POLYNOMIAL : crc >> 1;
        }
    }
    return ~crc;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t sum = 1;
    std::uint32_t sum_of_sums = 0;
    for (const std::uint8_t byte : bytes) {
        sum = (sum + byte) % ADLER_MODULUS;
        sum_of_sums = (sum_of_sums + sum) % ADLER_MODULUS;
    }
    return sum_of_sums << (2 * BITS_PER_BYTE) | sum;
}

// Length, type, data, then the CRC of type and data.
void put_chunk(std::vector<std::uint8_t>& out, const char (&type)[CHUNK_TYPE_LENGTH + 1],
               const std::vector<std::uint8_t>& data) {
    put_big32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t checked_from = out.size();
    out.insert(out.end(), type, type + CHUNK_TYPE_LENGTH);
    out.insert(out.end(), data.begin(), data.end());
    put_big32(out, crc32(out.data() + checked_from, out.data() + out.size()));
}

// Each row: the filter type, then red, green, blue and alpha of every pixel.
std::vector<std::uint8_t> filtered_rows(const Image& image, Rgb transparent) {
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.push_back(FILTER_NONE);
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& pixel = image.at(x, y);
            if (pixel == transparent) {
                rows.insert(rows.end(), {0, 0, 0, TRANSPARENT});
            } else {
                rows.insert(rows.end(), {pixel.r, pixel.g, pixel.b, OPAQUE});
            }
        }
    }
    return rows;
}

std::vector<std::uint8_t> zlib_stored(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out = {ZLIB_METHOD, ZLIB_FLAGS};
    std::size_t start = 0;
    do {
        const std::size_t length = std::min(STORED_BLOCK_LIMIT, bytes.size() - start);
        const bool last = start + length == bytes.size();
        out.push_back(static_cast<std::uint8_t>(STORED_BLOCK << 1 | (last ? FINAL_BLOCK : 0)));
        put_little16(out, static_cast<std::uint32_t>(length));
        put_little16(out, static_cast<std::uint32_t>(~length & LOW_HALF));
        const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(start);
        out.insert(out.end(), from, from + static_cast<std::ptrdiff_t>(length));
        start += length;
    } while (start < bytes.size());
    put_big32(out, adler32(bytes));
    return out;
}

} // namespace

std::vector<std::uint8_t> encode_png(const Image& image, Rgb transparent) {
    std::vector<std::uint8_t> header;
    put_big32(header, static_cast<std::uint32_t>(image.width()));
    put_big32(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(),
                  {BIT_DEPTH, COLOUR_RGBA, DEFAULT_METHOD, DEFAULT_METHOD, DEFAULT_METHOD});

    std::vector<std::uint8_t> out(SIGNATURE.begin(), SIGNATURE.end());
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", zlib_stored(filtered_rows(image, transparent)));
    put_chunk(out, "IEND", {});
    return out;
}

void write_png(const Image& image, Rgb transparent, const std::string& path) {
    write_file(encode_png(image, transparent), path);
}

} // namespace pictures
