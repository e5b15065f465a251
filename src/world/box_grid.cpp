// The broad phase's grid: boxes entered in the cells they reach, and the overlaps of a box
// found among the cells it reaches.
#include "world/box_grid.h"

#include "world/world.h"

#include <algorithm>

namespace {

// 64-pixel cells: a sprite's box (16 to 22 pixels wide, 16 to 20 high) reaches one to four of
// them, a cell of the game's rows holds two or three sprites, and the game's 1280 x 960 world is
// 300 cells, 7 KB. 32-pixel cells were as quick for 200 sprites and slower for 20,000.
constexpr int CELL_SHIFT = 6;
constexpr int CELL_SIZE = 1 << CELL_SHIFT; // pixels
// Coordinates are 16-bit: past 32767 pixels every box is in the last column or row.
constexpr int COORDINATE_SPAN = 32768; // pixels

int cellsAcross(int pixels) {
    const int covered = std::clamp(pixels, 1, COORDINATE_SPAN);
    return (covered + CELL_SIZE - 1) >> CELL_SHIFT;
}

// The cell of a pixel along an axis of cells 0 to last; pixels before the world are in cell 0.
int cellOf(int pixel, int last) {
    return pixel < 0 ? 0 : std::min(pixel >> CELL_SHIFT, last);
}

} // namespace

bool BoxGrid::CellRange::operator==(const CellRange& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

void BoxGrid::reset(int width, int height, int slots) {
    columns_ = cellsAcross(width);
    rows_ = cellsAcross(height);
    cells_.assign(static_cast<std::size_t>(columns_) * rows_, {});
    boxes_.assign(slots, SDL_Rect{});
    ranges_.assign(slots, rangeOf(SDL_Rect{}));
    for (int slot = 0; slot < slots; ++slot) {
        add(slot, ranges_[slot]);
    }
}

// Inline, as every move asks it twice.
inline BoxGrid::CellRange BoxGrid::rangeOf(SDL_Rect box) const {
    // In int: a box near the 16-bit limit reaches past it, as does_collide sees it.
    const int lastX = box.x + std::max<int>(box.w, 1) - 1;
    const int lastY = box.y + std::max<int>(box.h, 1) - 1;
    return {cellOf(box.x, columns_ - 1), cellOf(box.y, rows_ - 1), cellOf(lastX, columns_ - 1),
            cellOf(lastY, rows_ - 1)};
}

void BoxGrid::add(int slot, CellRange range) {
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            cell(column, row).push_back(slot);
        }
    }
}

void BoxGrid::remove(int slot, CellRange range) {
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            std::vector<int>& slots = cell(column, row);
            const auto found = std::find(slots.begin(), slots.end(), slot);
            *found = slots.back();
            slots.pop_back();
        }
    }
}

void BoxGrid::move(int slot, SDL_Rect box) {
    boxes_[slot] = box;
    const CellRange reach = rangeOf(box);
    if (reach == ranges_[slot]) {
        return;
    }
    remove(slot, ranges_[slot]);
    add(slot, reach);
    ranges_[slot] = reach;
}

const std::vector<int>& BoxGrid::overlapping(SDL_Rect box, int skip) {
    hits_.clear();
    const CellRange reach = rangeOf(box);
    for (int row = reach.top; row <= reach.bottom; ++row) {
        for (int column = reach.left; column <= reach.right; ++column) {
            for (int slot : cell(column, row)) {
                if (slot != skip && World::does_collide(box, boxes_[slot])) {
                    hits_.push_back(slot);
                }
            }
        }
    }
    // A box found in two shared cells is one hit.
    if (hits_.size() > 1) {
        std::sort(hits_.begin(), hits_.end());
        hits_.erase(std::unique(hits_.begin(), hits_.end()), hits_.end());
    }
    return hits_;
}
