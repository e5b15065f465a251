// The PNG encoder behind the desktop icon, read back by ImageMagick: pixels and transparency
// survive, including a picture large enough to need several stored deflate blocks.
#include "make_pictures/png_writer.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using pictures::Image;
using pictures::Rgb;
namespace fs = std::filesystem;

constexpr Rgb KEY{255, 0, 255};
constexpr std::size_t RGBA = 4;
constexpr std::uint8_t OPAQUE = 255;

// Every pixel a colour of its own place; every seventh one the transparent key.
Image pattern(int width, int height) {
    constexpr int KEY_EVERY = 7;
    constexpr int CHANNEL_VALUES = 256;
    Image image(width, height, KEY);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x + y * width) % KEY_EVERY != 0) {
                image.at(x, y) = {static_cast<std::uint8_t>(x % CHANNEL_VALUES),
                                  static_cast<std::uint8_t>(y % CHANNEL_VALUES),
                                  static_cast<std::uint8_t>((x + y) % CHANNEL_VALUES)};
            }
        }
    }
    return image;
}

// Writes the image as a PNG and has ImageMagick decode it to raw RGBA bytes; empty on failure.
std::vector<std::uint8_t> round_trip(const Image& image) {
    std::string folder = (fs::temp_directory_path() / "tarnel-png-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return {};
    }
    const std::string file = folder + "/picture.png";
    pictures::write_png(image, KEY, file);
    const std::string command = "convert 'png:" + file + "' -depth 8 rgba:- 2>/dev/null";
    std::vector<std::uint8_t> decoded;
    if (const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        pipe != nullptr) {
        std::array<std::uint8_t, BUFSIZ> buffer{};
        std::size_t read = 0;
        while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
            decoded.insert(decoded.end(), buffer.begin(), buffer.begin() + read);
        }
    }
    fs::remove_all(folder);
    return decoded;
}

void expect_decodes_to_itself(const Image& image) {
    const std::vector<std::uint8_t> decoded = round_trip(image);
    ASSERT_EQ(decoded.size(), static_cast<std::size_t>(image.width() * image.height()) * RGBA)
        << "ImageMagick could not read the PNG";
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* pixel =
                &decoded[static_cast<std::size_t>(y * image.width() + x) * RGBA];
            const Rgb& expected = image.at(x, y);
            const bool right = expected == KEY ? pixel[3] == 0
                                               : pixel[0] == expected.r && pixel[1] == expected.g &&
                                                     pixel[2] == expected.b && pixel[3] == OPAQUE;
            wrong += right ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels that came back wrong";
}

TEST(PngWriter, DecodesToTheSamePixelsWithTheKeyTransparent) {
    // The icon's size: one stored block. A single pixel, and a row-filter byte per row.
    expect_decodes_to_itself(pattern(48, 48));
    expect_decodes_to_itself(pattern(1, 1));
    expect_decodes_to_itself(pattern(3, 40));
    // 300 x 120 x 4 bytes, plus the filter bytes, need three stored blocks of at most 65535.
    expect_decodes_to_itself(pattern(300, 120));
}

TEST(PngWriter, StartsWithTheSignatureAndAnRgbaHeader) {
    const std::vector<std::uint8_t> bytes = pictures::encode_png(pattern(300, 2), KEY);
    const std::vector<std::uint8_t> start = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0,
                                             0,    13,  'I', 'H', 'D',  'R',  0,    0,    1, 44,
                                             0,    0,   0,   2,   8,    6,    0,    0,    0};
    ASSERT_GE(bytes.size(), start.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + start.size()), start);
}

} // namespace
