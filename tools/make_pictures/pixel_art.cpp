// Helpers shared by every sprite sheet.
#include "pixel_art.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace pictures {

Art art(std::string_view text) {
    constexpr std::string_view SPACING = " \t";
    Art rows;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = line.find_first_not_of(SPACING);
        if (first == std::string_view::npos) {
            continue;
        }
        line = line.substr(first, line.find_last_not_of(SPACING) - first + 1);
        if (!rows.empty() && line.size() != rows.front().size()) {
            throw std::invalid_argument("art row of unequal width: " + std::string(line));
        }
        rows.emplace_back(line);
    }
    return rows;
}

Art blank_art(int width, int height) {
    return Art(static_cast<std::size_t>(height),
               std::string(static_cast<std::size_t>(width), CLEAR));
}

void stamp(Art& frame, const Art& part, int top) {
    for (std::size_t row = 0; row < part.size(); ++row) {
        const int y = top + static_cast<int>(row);
        if (y < 0 || y >= static_cast<int>(frame.size())) {
            continue;
        }
        std::string& target = frame[static_cast<std::size_t>(y)];
        if (part[row].size() != target.size()) {
            throw std::invalid_argument("art row of width " + std::to_string(part[row].size()) +
                                        " stamped on a frame of width " +
                                        std::to_string(target.size()) + ": " + part[row]);
        }
        for (std::size_t x = 0; x < target.size(); ++x) {
            if (part[row][x] != CLEAR) {
                target[x] = part[row][x];
            }
        }
    }
}

namespace {

constexpr std::pair<int, int> NEIGHBOURS[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

bool in_art(const Art& art, int x, int y) {
    return y >= 0 && y < static_cast<int>(art.size()) && x >= 0 &&
           x < static_cast<int>(art[static_cast<std::size_t>(y)].size());
}

char& cell(Art& art, int x, int y) {
    return art[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

char cell(const Art& art, int x, int y) {
    return art[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

// Marks the clear pixels reachable from the frame's border without crossing the figure.
std::vector<std::vector<bool>> outside(const Art& art) {
    std::vector<std::vector<bool>> reached(art.size());
    std::vector<std::pair<int, int>> pending;
    for (std::size_t y = 0; y < art.size(); ++y) {
        reached[y].assign(art[y].size(), false);
        for (std::size_t x = 0; x < art[y].size(); ++x) {
            const bool border = y == 0 || x == 0 || y + 1 == art.size() || x + 1 == art[y].size();
            if (border && art[y][x] == CLEAR) {
                reached[y][x] = true;
                pending.emplace_back(static_cast<int>(x), static_cast<int>(y));
            }
        }
    }
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        for (const auto& [dx, dy] : NEIGHBOURS) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (in_art(art, nx, ny) && cell(art, nx, ny) == CLEAR &&
                !reached[static_cast<std::size_t>(ny)][static_cast<std::size_t>(nx)]) {
                reached[static_cast<std::size_t>(ny)][static_cast<std::size_t>(nx)] = true;
                pending.emplace_back(nx, ny);
            }
        }
    }
    return reached;
}

} // namespace

Art outlined(const Art& frame) {
    Art result = frame;
    for (int y = 0; y < static_cast<int>(frame.size()); ++y) {
        for (int x = 0; x < static_cast<int>(frame[static_cast<std::size_t>(y)].size()); ++x) {
            const bool touching =
                std::any_of(std::begin(NEIGHBOURS), std::end(NEIGHBOURS), [&](const auto& step) {
                    const int nx = x + step.first;
                    const int ny = y + step.second;
                    return in_art(frame, nx, ny) && cell(frame, nx, ny) != CLEAR;
                });
            if (cell(frame, x, y) == CLEAR && touching) {
                cell(result, x, y) = OUTLINE;
            }
        }
    }
    // The outline can close a narrow gap, so holes are looked for once it is drawn.
    const auto reached = outside(result);
    for (std::size_t y = 0; y < result.size(); ++y) {
        for (std::size_t x = 0; x < result[y].size(); ++x) {
            if (result[y][x] == CLEAR && !reached[y][x]) {
                result[y][x] = OUTLINE;
            }
        }
    }
    return result;
}

Art mirrored(const Art& art) {
    Art result = art;
    for (std::string& row : result) {
        std::reverse(row.begin(), row.end());
    }
    return result;
}

void paint(Image& sheet, const Art& frame, const Palette& palette, int top) {
    for (std::size_t row = 0; row < frame.size(); ++row) {
        for (std::size_t column = 0; column < frame[row].size(); ++column) {
            const char key = frame[row][column];
            Rgb colour = MAGENTA;
            if (key != CLEAR) {
                const auto found = palette.find(key);
                if (found == palette.end()) {
                    throw std::invalid_argument(std::string("no colour for '") + key + "'");
                }
                colour = found->second;
            }
            sheet.at(static_cast<int>(column), top + static_cast<int>(row)) = colour;
        }
    }
}

} // namespace pictures
