// make_sounds OUTPUT_DIR: synthesises the program's sounds and writes them there as WAVs.
#include "sounds.h"
#include "wav_writer.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sounds OUTPUT_DIR\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path directory = argv[1];
    const std::pair<const char*, sounds::Samples (*)()> made[] = {
        {"Step.wav", sounds::make_path_step}, {"GrassStep.wav", sounds::make_grass_step},
        {"Bump.wav", sounds::make_bump},      {"Pause.wav", sounds::make_pause},
        {"Resume.wav", sounds::make_resume},  {"Crowd.wav", sounds::make_crowd},
        {"Wind.wav", sounds::make_wind},      {"Bird.wav", sounds::make_bird},
    };
    try {
        for (const auto& [name, make] : made) {
            sounds::write_wav(make(), (directory / name).string());
        }
    } catch (const std::exception& error) {
        std::cerr << "make_sounds: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
