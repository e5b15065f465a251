// Encodes an Image as BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER + bottom-up BGR rows.
#include "bmp_writer.h"

#include <fstream>
#include <stdexcept>

namespace pictures {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("an image needs a positive size");
    }
}

std::size_t Image::index(int x, int y) const {
    if (!contains(x, y)) {
        throw std::out_of_range("pixel outside the image");
    }
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

namespace {

constexpr std::uint32_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint16_t PLANES = 1;
constexpr std::uint16_t BITS_PER_PIXEL = 24;
constexpr std::uint32_t BYTES_PER_PIXEL = BITS_PER_PIXEL / 8;
constexpr std::uint32_t ROW_ALIGNMENT = 4;
constexpr std::uint32_t UNCOMPRESSED = 0;
// 72 dots per inch, which viewers assume anyway.
constexpr std::uint32_t PIXELS_PER_METRE = 2835;
constexpr int BITS_PER_BYTE = 8;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> BITS_PER_BYTE));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> (2 * BITS_PER_BYTE)));
}

} // namespace

std::vector<std::uint8_t> encode_bmp(const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t row_size =
        (width * BYTES_PER_PIXEL + ROW_ALIGNMENT - 1) / ROW_ALIGNMENT * ROW_ALIGNMENT;
    const std::uint32_t pixel_bytes = row_size * height;
    const std::uint32_t pixel_offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE;

    std::vector<std::uint8_t> out;
    out.reserve(pixel_offset + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, pixel_offset + pixel_bytes);
    put32(out, 0);
    put32(out, pixel_offset);

    put32(out, INFO_HEADER_SIZE);
    put32(out, width);
    put32(out, height); // positive: rows are stored bottom-up
    put16(out, PLANES);
    put16(out, BITS_PER_PIXEL);
    put32(out, UNCOMPRESSED);
    put32(out, pixel_bytes);
    put32(out, PIXELS_PER_METRE);
    put32(out, PIXELS_PER_METRE);
    put32(out, 0);
    put32(out, 0);

    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& pixel = image.at(x, y);
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
        }
        out.resize(row_start + row_size, 0);
    }
    return out;
}

void write_bmp(const Image& image, const std::string& path) {
    write_file(encode_bmp(image), path);
}

void write_file(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace pictures
