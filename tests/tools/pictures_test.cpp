// The pictures make_pictures draws: sizes, transparency and extent of every sprite frame, the
// soldiers' palette swap, a textured background, repeatable bytes, and loading by the display.
#include "display/display.h"
#include "support/fixtures.h"

#include <SDL.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using fixtures::MAGENTA;
using fixtures::Rgb;
namespace fs = std::filesystem;

const char* const PICTURE_FILES[] = {"Background.bmp", "Link.bmp", "BlueSoldier.bmp",
                                     "GreenSoldier.bmp", "Armos.bmp"};

struct SheetLayout {
    const char* file;
    int frame_width;
    int frame_height;
    int frames;
    int frames_per_run; // one run of frames per walking direction
};

const SheetLayout SHEETS[] = {
    {"Link.bmp", 19, 24, 20, 5},
    {"BlueSoldier.bmp", 22, 28, 16, 4},
    {"GreenSoldier.bmp", 22, 28, 16, 4},
    {"Armos.bmp", 16, 37, 8, 8},
};

constexpr int BACKGROUND_WIDTH = 1328;
constexpr int BACKGROUND_HEIGHT = 832;

// Where the fields of interest sit in a BMP file's two headers.
constexpr std::size_t PIXELS_OFFSET_AT = 10;
constexpr std::size_t INFO_SIZE_AT = 14;
constexpr std::size_t WIDTH_AT = 18;
constexpr std::size_t HEIGHT_AT = 22;
constexpr std::size_t BITS_AT = 28;
constexpr std::size_t COMPRESSION_AT = 30;
constexpr std::size_t HEADERS_SIZE = 54;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint32_t UNCOMPRESSED = 0;
constexpr std::size_t BYTES_PER_PIXEL = 3;
constexpr std::size_t ROW_ALIGNMENT = 4;
constexpr int BITS_PER_PIXEL = 24;

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A 24-bit uncompressed BMP decoded by hand, so the checks do not lean on SDL's reader.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;
    std::vector<Rgb> pixels; // top-down

    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool opaque(int x, int y) const { return at(x, y) != MAGENTA; }
};

std::uint32_t little_endian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    constexpr int BITS_PER_BYTE = 8;
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << BITS_PER_BYTE | bytes.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

Bitmap load_bitmap(const char* file) {
    constexpr int FIELD = 4;
    constexpr int SHORT_FIELD = 2;
    const std::vector<std::uint8_t> bytes = read_bytes(fs::path(PICTURES_DIR) / file);
    Bitmap bitmap;
    if (bytes.size() < HEADERS_SIZE || bytes[0] != 'B' || bytes[1] != 'M' ||
        little_endian(bytes, INFO_SIZE_AT, FIELD) != INFO_HEADER_SIZE ||
        little_endian(bytes, COMPRESSION_AT, FIELD) != UNCOMPRESSED) {
        ADD_FAILURE() << file << " is not an uncompressed BMP with a 40-byte info header";
        return bitmap;
    }
    const std::uint32_t offset = little_endian(bytes, PIXELS_OFFSET_AT, FIELD);
    bitmap.width = static_cast<int>(little_endian(bytes, WIDTH_AT, FIELD));
    bitmap.height = static_cast<int>(little_endian(bytes, HEIGHT_AT, FIELD));
    bitmap.bits_per_pixel = static_cast<int>(little_endian(bytes, BITS_AT, SHORT_FIELD));
    const std::size_t row_size =
        (static_cast<std::size_t>(bitmap.width) * BYTES_PER_PIXEL + ROW_ALIGNMENT - 1) /
        ROW_ALIGNMENT * ROW_ALIGNMENT;
    // Rows are stored bottom-up, pixels as blue, green, red.
    for (int y = 0; y < bitmap.height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(bitmap.height - 1 - y) * row_size;
        for (int x = 0; x < bitmap.width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * BYTES_PER_PIXEL;
            bitmap.pixels.push_back({bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)});
        }
    }
    return bitmap;
}

bool dark(const Rgb& colour) {
    constexpr int DARK_CHANNEL = 64;
    return colour.r < DARK_CHANNEL && colour.g < DARK_CHANNEL && colour.b < DARK_CHANNEL;
}

// Magenta pixels that cannot reach the frame's edge through magenta: holes inside the figure.
int enclosed_magenta(const Bitmap& sheet, int top, int width, int height) {
    std::vector<bool> reached(static_cast<std::size_t>(width * height), false);
    std::vector<std::pair<int, int>> pending;
    const auto visit = [&](int x, int y) {
        const auto index = static_cast<std::size_t>(y * width + x);
        if (x >= 0 && y >= 0 && x < width && y < height && !reached[index] &&
            !sheet.opaque(x, top + y)) {
            reached[index] = true;
            pending.emplace_back(x, y);
        }
    };
    for (int x = 0; x < width; ++x) {
        visit(x, 0);
        visit(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        visit(0, y);
        visit(width - 1, y);
    }
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    int holes = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            holes += !sheet.opaque(x, top + y) && !reached[static_cast<std::size_t>(y * width + x)];
        }
    }
    return holes;
}

TEST(Pictures, EachFileHasItsExactSizeIn24Bits) {
    const Bitmap background = load_bitmap("Background.bmp");
    EXPECT_EQ(background.width, BACKGROUND_WIDTH);
    EXPECT_EQ(background.height, BACKGROUND_HEIGHT);
    EXPECT_EQ(background.bits_per_pixel, BITS_PER_PIXEL);
    for (const SheetLayout& layout : SHEETS) {
        const Bitmap sheet = load_bitmap(layout.file);
        EXPECT_EQ(sheet.width, layout.frame_width) << layout.file;
        EXPECT_EQ(sheet.height, layout.frame_height * layout.frames) << layout.file;
        EXPECT_EQ(sheet.bits_per_pixel, BITS_PER_PIXEL) << layout.file;
    }
}

// The collision box is the lower part of a frame at full width, so the figure must fill it.
TEST(Pictures, EveryFrameIsAnOutlinedFigureFillingItsWidthAndReachingItsBottom) {
    for (const SheetLayout& layout : SHEETS) {
        const Bitmap sheet = load_bitmap(layout.file);
        ASSERT_EQ(sheet.height, layout.frame_height * layout.frames) << layout.file;
        const int w = layout.frame_width;
        const int h = layout.frame_height;
        for (int frame = 0; frame < layout.frames; ++frame) {
            const int top = frame * h;
            int opaque = 0;
            bool bottom_row = false;
            bool first_column = false;
            bool last_column = false;
            bool outline_dark = true;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (!sheet.opaque(x, top + y)) {
                        continue;
                    }
                    ++opaque;
                    bottom_row |= y == h - 1;
                    const bool lower_half = y >= h / 2;
                    first_column |= x == 0 && lower_half;
                    last_column |= x == w - 1 && lower_half;
                    const bool on_silhouette = (x > 0 && !sheet.opaque(x - 1, top + y)) ||
                                               (x + 1 < w && !sheet.opaque(x + 1, top + y)) ||
                                               (y > 0 && !sheet.opaque(x, top + y - 1)) ||
                                               (y + 1 < h && !sheet.opaque(x, top + y + 1));
                    outline_dark &= !on_silhouette || dark(sheet.at(x, top + y));
                }
            }
            SCOPED_TRACE(std::string(layout.file) + " frame " + std::to_string(frame));
            EXPECT_GT(opaque, 0);
            EXPECT_LT(opaque, w * h);
            EXPECT_TRUE(bottom_row);
            EXPECT_TRUE(first_column);
            EXPECT_TRUE(last_column);
            EXPECT_TRUE(outline_dark);
            EXPECT_EQ(enclosed_magenta(sheet, top, w, h), 0);
        }
    }
}

bool same_frame(const Bitmap& sheet, int height, int first, int second, bool mask_only) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            const Rgb& a = sheet.at(x, first * height + y);
            const Rgb& b = sheet.at(x, second * height + y);
            if (mask_only ? (a == MAGENTA) != (b == MAGENTA) : a != b) {
                return false;
            }
        }
    }
    return true;
}

// A walk that shows one pose looks like sliding; the statue keeps its shape but glows.
TEST(Pictures, EveryRunOfFramesAnimates) {
    for (const SheetLayout& layout : SHEETS) {
        const Bitmap sheet = load_bitmap(layout.file);
        ASSERT_EQ(sheet.height, layout.frame_height * layout.frames) << layout.file;
        for (int run = 0; run < layout.frames; run += layout.frames_per_run) {
            SCOPED_TRACE(std::string(layout.file) + " frames from " + std::to_string(run));
            bool moves = false;
            for (int k = run + 1; k < run + layout.frames_per_run; ++k) {
                moves |= !same_frame(sheet, layout.frame_height, run, k, false);
            }
            EXPECT_TRUE(moves);
        }
    }
    const Bitmap statue = load_bitmap("Armos.bmp");
    const SheetLayout& layout = SHEETS[std::size(SHEETS) - 1];
    for (int k = 0; k < layout.frames; ++k) {
        const int next = (k + 1) % layout.frames;
        EXPECT_TRUE(same_frame(statue, layout.frame_height, k, next, true)) << "frame " << k;
        EXPECT_FALSE(same_frame(statue, layout.frame_height, k, next, false)) << "frame " << k;
    }
}

TEST(Pictures, SoldiersAreOneShapeInTwoPalettes) {
    const Bitmap blue = load_bitmap("BlueSoldier.bmp");
    const Bitmap green = load_bitmap("GreenSoldier.bmp");
    ASSERT_EQ(blue.pixels.size(), green.pixels.size());
    std::map<std::uint32_t, Rgb> swap;
    int differing = 0;
    for (std::size_t i = 0; i < blue.pixels.size(); ++i) {
        const Rgb& from = blue.pixels[i];
        const Rgb& to = green.pixels[i];
        ASSERT_EQ(from == MAGENTA, to == MAGENTA) << "pixel " << i;
        differing += from != to;
        // A palette swap maps each blue colour to one green colour wherever it appears.
        const auto [entry, added] = swap.emplace(from.r << 16 | from.g << 8 | from.b, to);
        EXPECT_TRUE(added || entry->second == to) << "pixel " << i;
    }
    EXPECT_GT(differing, 0);
}

// A scrolling view over flat colour looks frozen. Any 32 x 32 area holds a whole 16 x 16 block of
// the 16-pixel grid, so no uniform grid block means no uniform 32 x 32 area.
TEST(Pictures, BackgroundHasNoLargeUniformArea) {
    constexpr int BLOCK = 16;
    const Bitmap background = load_bitmap("Background.bmp");
    ASSERT_EQ(background.width, BACKGROUND_WIDTH);
    for (int top = 0; top + BLOCK <= background.height; top += BLOCK) {
        for (int left = 0; left + BLOCK <= background.width; left += BLOCK) {
            bool uniform = true;
            for (int y = top; y < top + BLOCK && uniform; ++y) {
                for (int x = left; x < left + BLOCK && uniform; ++x) {
                    uniform = background.at(x, y) == background.at(left, top);
                }
            }
            EXPECT_FALSE(uniform) << "block at (" << left << ", " << top << ")";
        }
    }
}

// Each run gets a fresh folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tarnel-pictures-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(MakePictures, DrawsTheSameBytesOnEveryRun) {
    const ScratchFolder first;
    const ScratchFolder second;
    for (const ScratchFolder* folder : {&first, &second}) {
        const std::string command =
            std::string("'") + MAKE_PICTURES + "' '" + folder->path().string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    for (const char* file : PICTURE_FILES) {
        const std::vector<std::uint8_t> bytes = read_bytes(first.path() / file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, read_bytes(second.path() / file)) << file;
    }
}

using LoadImage = fixtures::DisplayTest;

TEST_F(LoadImage, GivesEachSheetColourKeyedInTheDisplayFormat) {
    const Rgb ground{12, 34, 56};
    const Uint32 key = SDL_MapRGB(SCREEN->format, MAGENTA.r, MAGENTA.g, MAGENTA.b);
    for (const SheetLayout& layout : SHEETS) {
        SCOPED_TRACE(layout.file);
        const Bitmap expected = load_bitmap(layout.file);
        SDL_Surface* sheet = load_image((fs::path(PICTURES_DIR) / layout.file).string());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->format->BitsPerPixel, SCREEN->format->BitsPerPixel);
        EXPECT_EQ(sheet->format->Rmask, SCREEN->format->Rmask);
        EXPECT_EQ(sheet->format->Gmask, SCREEN->format->Gmask);
        EXPECT_EQ(sheet->format->Bmask, SCREEN->format->Bmask);
        EXPECT_TRUE(sheet->flags & SDL_SRCCOLORKEY);
        EXPECT_EQ(sheet->format->colorkey, key);

        fixtures::fillScreen(ground);
        ASSERT_LE(sheet->h, SCREEN->h);
        ASSERT_EQ(SDL_BlitSurface(sheet, nullptr, SCREEN, nullptr), 0);
        SDL_FreeSurface(sheet);
        int wrong = 0;
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                const Rgb want = expected.opaque(x, y) ? expected.at(x, y) : ground;
                wrong += fixtures::screenPixel(x, y) != want;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
