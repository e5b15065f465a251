// make_pictures OUTPUT_DIR: draws the program's five pictures and writes them there as BMPs,
// with the desktop icons beside them as tarnel-SIZE.png, and the page's as tarnel-page-SIZE.png
// and tarnel-filled-SIZE.png.
#include "background.h"
#include "bmp_writer.h"
#include "figures.h"
#include "icon.h"
#include "png_writer.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pictures OUTPUT_DIR\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path directory = argv[1];
    const std::pair<const char*, std::function<pictures::Image()>> pictures[] = {
        {"Background.bmp", pictures::make_background},
        {"Link.bmp", pictures::make_hero_sheet},
        {"BlueSoldier.bmp", pictures::make_blue_soldier_sheet},
        {"GreenSoldier.bmp", pictures::make_green_soldier_sheet},
        {"Armos.bmp", pictures::make_armos_sheet},
    };
    try {
        for (const auto& [name, make] : pictures) {
            pictures::write_bmp(make(), (directory / name).string());
        }
        const auto write_icon = [&](const pictures::Image& icon, const std::string& name) {
            pictures::write_png(icon, pictures::MAGENTA, (directory / name).string());
        };
        for (const int size : pictures::ICON_SIZES) {
            write_icon(pictures::make_icon(size), "tarnel-" + std::to_string(size) + ".png");
        }
        for (const int size : pictures::PAGE_ICON_SIZES) {
            write_icon(pictures::make_icon(size), "tarnel-page-" + std::to_string(size) + ".png");
        }
        for (const int size : pictures::FILLED_ICON_SIZES) {
            write_icon(pictures::make_filled_icon(size),
                       "tarnel-filled-" + std::to_string(size) + ".png");
        }
    } catch (const std::exception& error) {
        std::cerr << "make_pictures: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
