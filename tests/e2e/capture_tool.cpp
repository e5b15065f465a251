// End-to-end test helper: reads screen captures as binary PPM and tells where the camera stands
// in the background, where a sprite is drawn on the screen, and how much two captures differ.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t MAGENTA = 0xFF00FF; // the sheets' transparent colour
constexpr int PERCENT = 100;
constexpr int CHANNELS = 3; // bytes per PPM pixel: red, green, blue
constexpr int RED_SHIFT = 16;
constexpr int GREEN_SHIFT = 8;

// A picture as one 0xRRGGBB value per pixel, row by row.
struct Image {
    int width = 0;  // pixels
    int height = 0; // pixels
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The next number of a PPM header, past blanks and comments.
int headerNumber(std::istream& in, const std::string& file) {
    in >> std::ws;
    while (in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
        in >> std::ws;
    }
    int value = 0;
    if (!(in >> value) || value <= 0) {
        throw std::runtime_error(file + ": bad PPM header");
    }
    return value;
}

Image readPpm(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    if (!(in >> magic)) {
        throw std::runtime_error(file + ": cannot read");
    }
    constexpr int BYTE_MAX = 255;
    Image image;
    image.width = headerNumber(in, file);
    image.height = headerNumber(in, file);
    if (magic != "P6" || headerNumber(in, file) != BYTE_MAX) {
        throw std::runtime_error(file + ": not an 8-bit binary PPM");
    }
    in.get(); // the one blank that ends the header
    std::vector<unsigned char> rgb(static_cast<size_t>(image.width) * image.height * CHANNELS);
    if (!in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()))) {
        throw std::runtime_error(file + ": truncated");
    }
    image.pixels.resize(rgb.size() / CHANNELS);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const unsigned char* pixel = &rgb[CHANNELS * i];
        image.pixels[i] = pixel[0] << RED_SHIFT | pixel[1] << GREEN_SHIFT | pixel[2];
    }
    return image;
}

struct Point {
    int x, y;
};

// Where the capture's view lies in the background: the camera. Sprites cover part of the view,
// so a place is accepted when at least half of a coarse grid of points agrees, and the best of
// those by a finer count wins. Prints "x y percent-of-pixels-that-agree".
int findCamera(const Image& capture, const Image& background) {
    constexpr int GRID_COLUMNS = 16;
    constexpr int GRID_ROWS = 12;
    constexpr int FINE_STEP = 2; // pixels between the points of the finer count
    std::vector<Point> grid;
    for (int row = 0; row < GRID_ROWS; ++row) {
        for (int column = 0; column < GRID_COLUMNS; ++column) {
            grid.push_back({capture.width * (2 * column + 1) / (2 * GRID_COLUMNS),
                            capture.height * (2 * row + 1) / (2 * GRID_ROWS)});
        }
    }
    const int allowedMisses = static_cast<int>(grid.size()) / 2;
    int bestX = -1;
    int bestY = -1;
    long bestAgreeing = -1;
    long finePoints = 0;
    for (int cameraY = 0; cameraY + capture.height <= background.height; ++cameraY) {
        for (int cameraX = 0; cameraX + capture.width <= background.width; ++cameraX) {
            int misses = 0;
            for (const Point& p : grid) {
                if (capture.at(p.x, p.y) != background.at(cameraX + p.x, cameraY + p.y) &&
                    ++misses > allowedMisses) {
                    break;
                }
            }
            if (misses > allowedMisses) {
                continue;
            }
            long agreeing = 0;
            finePoints = 0;
            for (int y = 0; y < capture.height; y += FINE_STEP) {
                for (int x = 0; x < capture.width; x += FINE_STEP) {
                    agreeing += capture.at(x, y) == background.at(cameraX + x, cameraY + y);
                    ++finePoints;
                }
            }
            if (agreeing > bestAgreeing) {
                bestAgreeing = agreeing;
                bestX = cameraX;
                bestY = cameraY;
            }
        }
    }
    if (bestAgreeing < 0) {
        std::fprintf(stderr, "capture_tool: no place in the background matches the capture\n");
        return EXIT_FAILURE;
    }
    std::printf("%d %d %ld\n", bestX, bestY, bestAgreeing * PERCENT / finePoints);
    return EXIT_SUCCESS;
}

// One frame of a sheet: its opaque pixels, as offsets from the frame's corner and colours.
struct Frame {
    std::vector<Point> offsets;
    std::vector<std::uint32_t> colours;
};

std::vector<Frame> cutFrames(const Image& sheet, int frameWidth, int frameHeight) {
    std::vector<Frame> frames;
    for (int top = 0; top + frameHeight <= sheet.height; top += frameHeight) {
        for (int left = 0; left + frameWidth <= sheet.width; left += frameWidth) {
            Frame frame;
            for (int y = 0; y < frameHeight; ++y) {
                for (int x = 0; x < frameWidth; ++x) {
                    const std::uint32_t colour = sheet.at(left + x, top + y);
                    if (colour != MAGENTA) {
                        frame.offsets.push_back({x, y});
                        frame.colours.push_back(colour);
                    }
                }
            }
            if (!frame.offsets.empty()) {
                frames.push_back(frame);
            }
        }
    }
    return frames;
}

// Where on the capture a frame of the sheet is drawn best: every frame at every place, a
// place first tried on a few of the frame's pixels. Prints "x y percent-of-opaque-pixels".
int findSprite(const Image& capture, const Image& sheet, int frameWidth, int frameHeight) {
    constexpr int PROBES = 24;      // pixels of a frame tried first
    constexpr int PROBE_MISSES = 8; // more misses than this rule a place out
    const std::vector<Frame> frames = cutFrames(sheet, frameWidth, frameHeight);
    int bestX = -1;
    int bestY = -1;
    int bestPercent = -1;
    for (int y = 0; y + frameHeight <= capture.height; ++y) {
        for (int x = 0; x + frameWidth <= capture.width; ++x) {
            for (const Frame& frame : frames) {
                const size_t count = frame.offsets.size();
                const size_t stride = count > PROBES ? count / PROBES : 1;
                int misses = 0;
                for (size_t i = 0; i < count && misses <= PROBE_MISSES; i += stride) {
                    const Point& p = frame.offsets[i];
                    misses += capture.at(x + p.x, y + p.y) != frame.colours[i];
                }
                if (misses > PROBE_MISSES) {
                    continue;
                }
                size_t agreeing = 0;
                for (size_t i = 0; i < count; ++i) {
                    const Point& p = frame.offsets[i];
                    agreeing += capture.at(x + p.x, y + p.y) == frame.colours[i];
                }
                const int percent = static_cast<int>(agreeing * PERCENT / count);
                if (percent > bestPercent) {
                    bestPercent = percent;
                    bestX = x;
                    bestY = y;
                }
            }
        }
    }
    if (bestPercent < 0) {
        std::fprintf(stderr, "capture_tool: no frame of the sheet is on the capture\n");
        return EXIT_FAILURE;
    }
    std::printf("%d %d %d\n", bestX, bestY, bestPercent);
    return EXIT_SUCCESS;
}

// The number of pixels in which two captures of one size differ, leaving out a rectangle.
int countDifferences(const Image& a, const Image& b, int leftOut[4]) {
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "capture_tool: the captures differ in size\n");
        return EXIT_FAILURE;
    }
    long differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const bool inside = x >= leftOut[0] && x < leftOut[0] + leftOut[2] && y >= leftOut[1] &&
                                y < leftOut[1] + leftOut[3];
            differing += !inside && a.at(x, y) != b.at(x, y);
        }
    }
    std::printf("%ld\n", differing);
    return EXIT_SUCCESS;
}

int usage() {
    std::fprintf(stderr, "usage: capture_tool camera CAPTURE.ppm BACKGROUND.ppm\n"
                         "       capture_tool sprite CAPTURE.ppm SHEET.ppm FRAME_W FRAME_H\n"
                         "       capture_tool diff A.ppm B.ppm [LEFT_OUT_X Y W H]\n");
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "camera") {
            return findCamera(readPpm(args[1]), readPpm(args[2]));
        }
        if (args.size() == 5 && args[0] == "sprite") {
            return findSprite(readPpm(args[1]), readPpm(args[2]), std::stoi(args[3]),
                              std::stoi(args[4]));
        }
        if ((args.size() == 3 || args.size() == 7) && args[0] == "diff") {
            int leftOut[4] = {0, 0, 0, 0};
            for (size_t i = 3; i < args.size(); ++i) {
                leftOut[i - 3] = std::stoi(args[i]);
            }
            return countDifferences(readPpm(args[1]), readPpm(args[2]), leftOut);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "capture_tool: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return usage();
}
