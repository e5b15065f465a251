// The broad phase of movement: a uniform grid of cells over the world, each listing the slots
// whose collision boxes reach into it, so that a moving box is tested only against its
// neighbours.
#pragma once

#include <SDL.h>
#include <vector>

class BoxGrid {
public:
    // Sizes the grid for a world of width x height pixels and slots boxes, each entered as
    // {0, 0, 0, 0}. Boxes anywhere in 16-bit space may be entered: those past the world's
    // edges are kept in its border cells.
    void reset(int width, int height, int slots);
    int slots() const { return static_cast<int>(boxes_.size()); }

    // Moves slot's box; a box that has not changed costs one comparison.
    void enter(int slot, SDL_Rect box) {
        if (!same(box, boxes_[slot])) {
            move(slot, box);
        }
    }
    SDL_Rect box(int slot) const { return boxes_[slot]; }

    // The slots other than skip whose boxes World::does_collide(box, theirs) finds overlapping,
    // in increasing slot order, each once. Valid until the next call.
    const std::vector<int>& overlapping(SDL_Rect box, int skip);

private:
    // Field by field: a browser's SDL_Rect has fields of 32 bits where the desktop's have 16.
    static bool same(SDL_Rect a, SDL_Rect b) {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    }
    void move(int slot, SDL_Rect box);
    // The cells a box reaches, inclusive; a box with no extent still reaches the cell of its
    // corner, because does_collide can find it overlapping.
    struct CellRange {
        int left, top, right, bottom;
        bool operator==(const CellRange& other) const;
    };
    CellRange rangeOf(SDL_Rect box) const;
    std::vector<int>& cell(int column, int row) { return cells_[row * columns_ + column]; }
    void add(int slot, CellRange range);
    void remove(int slot, CellRange range);

    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<int>> cells_; // slots, unordered, row by row
    std::vector<SDL_Rect> boxes_;         // each slot's box as entered
    std::vector<CellRange> ranges_;       // and the cells it reaches
    std::vector<int> hits_;               // overlapping's answer, kept to save an allocation a move
};
