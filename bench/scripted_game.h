// A scripted game for the benchmarks: a world that has played a while, the frames that follow
// it with the player walking a fixed square, and the blits SDL must do for each of those frames.
#pragma once

#include "world/world.h"

#include <SDL.h>
#include <cstdint>
#include <memory>
#include <vector>

// The direction of the arrow key held in frame number frame of the script.
int scriptedDirection(int frame);

// One unpaused frame as the main loop plays it: the player's move, the non-player sprites'
// actions, the drawing pass and the flip.
void playFrame(World& world, int frame);
// The same frame without the flip.
void moveAndDraw(World& world, int frame);

// One blit as SDL is asked for it: from is in source pixels, to in screen pixels.
struct Blit {
    SDL_Surface* source; // owned by the world it was recorded from
    SDL_Rect from;
    SDL_Rect to;
};

// Every blit of one frame, in the order the frame does them; the flip follows them.
using FrameBlits = std::vector<Blit>;

// Does the blits on SCREEN, then flips.
void drawBlits(const FrameBlits& blits);

// A world after WARMUP_FRAMES of the script, and the CYCLE_FRAMES that follow it, which the
// benchmarks replay over and over from the same start and the same random seed.
class ScriptedGame {
public:
    static constexpr int WARMUP_FRAMES = 300; // enough for the crowd to spread out
    static constexpr int CYCLE_FRAMES = 240;  // one lap of the player's square and more

    // Builds the world and plays the warm-up. SCREEN must be open and the pictures in the
    // working directory. Throws std::runtime_error when the world cannot be built or when a
    // recorded frame's blits do not draw the picture the frame drew.
    ScriptedGame();

    // A copy of the cycle's start; seeds the random generator to match.
    World start() const;
    // Seeds the random generator as the cycle's start does.
    static void seedCycle();
    // The same without any picture: a frame played on it draws nothing, and every blit it
    // asks for is clipped to nothing.
    World blankStart() const;
    // blankStart's crowd repeated over a world tilesAcross x tilesDown times as large, one copy
    // of the crowd in each tile, the player in the first.
    World tiledStart(int tilesAcross, int tilesDown) const;
    // The script's number of the cycle's frame k.
    static int frameNumber(int k) { return WARMUP_FRAMES + k % CYCLE_FRAMES; }
    // What SDL must do for frame k of the cycle: the blits that draw something.
    const FrameBlits& blitsOf(int k) const { return drawing_[k % CYCLE_FRAMES]; }
    // Those blits per frame, on average over the cycle.
    double averageBlits() const;
    // A digest of every recorded blit's rectangles, in order: two builds that play the cycle
    // alike give the same one.
    std::uint64_t fingerprint() const;

private:
    World start_;
    std::vector<FrameBlits> blits_;   // a frame's repaints, its view and all 201 sprites
    std::vector<FrameBlits> drawing_; // those that SDL does not clip to nothing
    // A one-pixel background for blankStart: every blit from it is clipped to nothing.
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> blank_;
};
