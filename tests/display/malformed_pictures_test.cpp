// Picture loading against damaged files: each gives null or a picture fit to draw, and the
// heap is left as it was found.
#include "display/display.h"
#include "support/damaged_bmp.h"
#include "support/fixtures.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's runtime; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace fixtures;

namespace {

constexpr unsigned SEED = 20261208;
constexpr int LEAST_VARIANTS = 500;

// Bytes the process holds on its heap, exact only from the sanitizer's allocator: glibc's own
// figures count the chunks parked in its per-thread caches as in use.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool HEAP_IS_COUNTED = true;
std::size_t heapInUse() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
constexpr bool HEAP_IS_COUNTED = false;
std::size_t heapInUse() {
    return 0;
}
#endif

// An 8-bit sheet with a palette of 16 colours, frame k drawn in colour k.
void saveIndexedSheet(const std::string& file, int frameWidth, int frameHeight, int frames) {
    constexpr int BITS = 8;
    constexpr int COLOURS = 16;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, frameWidth, frameHeight * frames, BITS, 0, 0, 0, 0);
    ASSERT_NE(surface, nullptr);
    SDL_Color colours[COLOURS];
    for (int i = 0; i < COLOURS; ++i) {
        const Rgb colour = frameColour(i);
        colours[i] = {colour.r, colour.g, colour.b, 0};
    }
    SDL_SetColors(surface, colours, 0, COLOURS);
    for (int y = 0; y < surface->h; ++y) {
        auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        std::fill(row, row + surface->w, static_cast<Uint8>(y / frameHeight % COLOURS));
    }
    ASSERT_EQ(SDL_SaveBMP(surface, file.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(surface);
}

// Keeps the reads of every pixel from being optimised away.
volatile Uint32 pixelSink = 0;

// What drawing needs of a picture: the screen's pixel format, memory behind every row (read
// here, so that the sanitizer sees a short buffer), and blits that work, RLE-encoded after the
// first.
void expectDrawable(SDL_Surface* picture) {
    ASSERT_NE(picture->format, nullptr);
    EXPECT_EQ(picture->format->BitsPerPixel, SCREEN->format->BitsPerPixel);
    EXPECT_EQ(picture->format->Rmask, SCREEN->format->Rmask);
    EXPECT_TRUE(picture->flags & SDL_SRCCOLORKEY);
    ASSERT_GE(picture->w, 0);
    ASSERT_GE(picture->h, 0);
    if (picture->w > 0 && picture->h > 0) {
        ASSERT_NE(picture->pixels, nullptr);
        ASSERT_GE(picture->pitch, picture->w * picture->format->BytesPerPixel);
        Uint32 sum = 0;
        for (int y = 0; y < picture->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
            for (int x = 0; x < picture->w; ++x) {
                sum += row[x];
            }
        }
        pixelSink = sum;
    }
    for (int blit = 0; blit < 2; ++blit) {
        SDL_Rect place = {static_cast<Sint16>(blit), 0, 0, 0};
        EXPECT_EQ(SDL_BlitSurface(picture, nullptr, SCREEN, &place), 0) << SDL_GetError();
    }
}

class MalformedPictures : public DisplayTest {
protected:
    WorkingFolder folder;
};

TEST_F(MalformedPictures, DamagedSheetsAndBackgroundsLoadAsNullOrDrawableWithoutLeaking) {
    saveSheet("sheet.bmp", 22, 28, 16);
    saveIndexedSheet("indexed.bmp", 16, 37, 8);
    saveBackground("background.bmp", 160, 120);

    // State SDL keeps for good, set up before counting: the buffer of its last error message,
    // which sdl12-compat grows to the longest message so far, and what a first load prepares.
    constexpr std::size_t LONG_MESSAGE = 1024; // characters
    SDL_SetError("%s", std::string(LONG_MESSAGE, '.').c_str());
    EXPECT_EQ(load_image("missing.bmp"), nullptr);
    SDL_FreeSurface(load_image("sheet.bmp"));

    int refused = 0;
    int loaded = 0;
    int leaking = 0;
    unsigned seed = SEED;
    for (const char* valid : {"sheet.bmp", "indexed.bmp", "background.bmp"}) {
        for (const DamagedPicture& damaged : damagedPictures(readBytes(valid), seed++)) {
            SCOPED_TRACE(std::string(valid) + ", " + damaged.what);
            saveDamaged("damaged.bmp", damaged);
            const std::size_t heapBefore = heapInUse();
            SDL_Surface* picture = load_image("damaged.bmp");
            if (picture == nullptr) {
                ++refused;
            } else {
                ++loaded;
                expectDrawable(picture);
                SDL_FreeSurface(picture);
            }
            const std::size_t heapAfter = heapInUse();
            EXPECT_EQ(heapAfter, heapBefore) << "bytes kept by a load and its free";
            leaking += heapAfter != heapBefore;
        }
    }
    std::printf("%d damaged pictures: %d refused, %d loaded, %d leaking%s\n", refused + loaded,
                refused, loaded, leaking, HEAP_IS_COUNTED ? "" : " (heap not counted here)");
    EXPECT_GE(refused + loaded, LEAST_VARIANTS);
    // Both outcomes occur, or the damage would be too slight or too crude to test the loader.
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
}

} // namespace
