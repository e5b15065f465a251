// The display: the video mode, picture loading and the transparent colour.
#include "display/display.h"
#include "support/fixtures.h"

#include <fstream>

using namespace fixtures;

namespace {

using DisplayModule = DisplayTest;

TEST_F(DisplayModule, OpensTheFullScreenModeWithItsCaption) {
    ASSERT_NE(SCREEN, nullptr);
    EXPECT_EQ(SCREEN->w, WIDTH);
    EXPECT_EQ(SCREEN->h, HEIGHT);
    EXPECT_EQ(SCREEN->format->BitsPerPixel, 32);
    EXPECT_TRUE(SCREEN->flags & SDL_FULLSCREEN);
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Tarnel v.3.2");
    EXPECT_EQ(icon, nullptr);

    // In a window: the same mode, without taking the full screen.
    SDL_Quit();
    ASSERT_NO_THROW(screen_init({true}));
    EXPECT_EQ(SCREEN->w, WIDTH);
    EXPECT_EQ(SCREEN->format->BitsPerPixel, 32);
    EXPECT_FALSE(SCREEN->flags & SDL_FULLSCREEN);
}

TEST_F(DisplayModule, LoadedPicturesAreInTheDisplayFormatWithExactlyMagentaTransparent) {
    WorkingFolder folder;
    // Columns: exact magenta, then two colours one step away from it, then plain red.
    const Rgb columns[] = {MAGENTA, {254, 0, 255}, {255, 1, 255}, {255, 0, 0}};
    saveBmp("keyed.bmp", 4, 2, [&](int x, int) { return columns[x]; });

    SDL_Surface* picture = load_image("keyed.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->format->BitsPerPixel, SCREEN->format->BitsPerPixel);
    EXPECT_EQ(picture->format->Rmask, SCREEN->format->Rmask);
    EXPECT_EQ(picture->format->Gmask, SCREEN->format->Gmask);
    EXPECT_EQ(picture->format->Bmask, SCREEN->format->Bmask);
    EXPECT_TRUE(picture->flags & SDL_SRCCOLORKEY);

    const Rgb underneath = {10, 20, 30};
    fillScreen(underneath);
    SDL_Rect place = {100, 50, 0, 0};
    SDL_BlitSurface(picture, nullptr, SCREEN, &place);
    EXPECT_EQ(screenPixel(100, 50), underneath);
    EXPECT_EQ(screenPixel(101, 50), columns[1]);
    EXPECT_EQ(screenPixel(102, 51), columns[2]);
    EXPECT_EQ(screenPixel(103, 51), columns[3]);
    SDL_FreeSurface(picture);
}

TEST_F(DisplayModule, UnreadablePicturesGiveNullAndEachLoadGivesASurfaceOfItsOwn) {
    WorkingFolder folder;
    EXPECT_EQ(load_image("missing.bmp"), nullptr);
    std::ofstream("text.bmp") << "this is not a picture";
    EXPECT_EQ(load_image("text.bmp"), nullptr);
    std::ofstream("empty.bmp");
    EXPECT_EQ(load_image("empty.bmp"), nullptr);

    saveBmp("plain.bmp", 3, 3, [](int, int) { return Rgb{1, 2, 3}; });
    SDL_Surface* first = load_image("plain.bmp");
    SDL_Surface* second = load_image("plain.bmp");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->pixels, second->pixels);
    SDL_FreeSurface(first);
    SDL_FreeSurface(second);
}

TEST(DisplayFailure, ProgramReportsTheDisplayAndExitsWithStatusOne) {
    WorkingFolder folder;
    const ProgramResult result = runProgram(folder.path(), {"SDL_VIDEODRIVER=nonexistent"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errors.rfind("tarnel: cannot open the 640x480 32-bit display: ", 0), 0u)
        << result.errors;
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
}

} // namespace
