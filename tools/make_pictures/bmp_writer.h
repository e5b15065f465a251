// The Image every picture is drawn into, and its encoding as an uncompressed 24-bit BMP file.
// Written by hand so the bytes depend on nothing but this source.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// Outside every sprite figure: the program turns it transparent.
constexpr Rgb MAGENTA{255, 0, 255};

class Image {
public:
    Image(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgb& at(int x, int y) const { return pixels_[index(x, y)]; }

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

std::vector<std::uint8_t> encode_bmp(const Image& image);

// Throws std::runtime_error when the file cannot be written.
void write_bmp(const Image& image, const std::string& path);

// Writes bytes to the file at path, replacing it; throws std::runtime_error when it cannot.
void write_file(const std::vector<std::uint8_t>& bytes, const std::string& path);

} // namespace pictures
