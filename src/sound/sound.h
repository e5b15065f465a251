// The game's sound: the device, opened quietly or not at all, the sounds loaded from the
// working folder, and what a frame did played through SDL_mixer. Nothing here touches rand().
#pragma once

#include "sound/heard.h"

#include <SDL_mixer.h>
#include <random>

class Sound {
public:
    Sound() = default;
    // Closed on every way out, an error's too, so no sound outlives the device.
    ~Sound() { close(); }
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Opens the device and loads the sounds. Without a device, or with one that fails to open,
    // it stays closed and prints nothing; every call then does nothing. A sound file that cannot
    // be loaded is reported once on stderr and stays silent.
    void open();
    // Stops every sound and closes the device.
    void close();
    bool isOpen() const { return open_; }

    // Muted, nothing plays; unmuted, the loops come back at the next frame.
    void setMuted(bool muted);
    void toggleMute() { setMuted(!muted_); }
    bool muted() const { return muted_; }

    // Plays what a frame did.
    void play(const Heard& heard);

    // The sounds, and the mixer's channels that play them, one each.
    enum Kind { PATH_STEP, GRASS_STEP, BUMP, PAUSE_CUE, RESUME_CUE, CROWD, WIND, BIRD, KINDS };

private:
    void playOnce(Kind kind, int channel);
    void keepLooping(Kind kind, int channel);
    void placeCrowd(const Heard& heard);

    bool open_ = false;
    bool muted_ = false;
    Mix_Chunk* chunks_[KINDS] = {};
    std::minstd_rand chance_; // the bird's, apart from the world's rand()
};
