// Playing a frame: the one-off sounds on channels of their own, the loops kept running under
// the crowd's loudness and place, and a bird now and then.
#include "sound/sound.h"

#include "language/translation.h"
#include "sound/quiet_stderr.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int FREQUENCY = 22050;   // Hz, that of the sound files: nothing is resampled
constexpr int CHANNELS = 2;        // stereo, for the crowd's place
constexpr int BUFFER_FRAMES = 512; // sample frames, 23 ms: a step is heard with its frame

// Every sound: its file, the channel it plays on, and its loudness there (of 128).
constexpr struct {
    const char* file;
    int channel;
    int volume;
} SOUNDS[] = {
    {"Step.wav", 0, 80},      // PATH_STEP
    {"GrassStep.wav", 0, 80}, // GRASS_STEP
    {"Bump.wav", 1, 90},      // BUMP
    {"Pause.wav", 2, 70},     // PAUSE_CUE
    {"Resume.wav", 2, 70},    // RESUME_CUE
    {"Crowd.wav", 3, 0},      // CROWD: set each frame by how many walk
    {"Wind.wav", 4, 14},      // WIND: well below the steps
    {"Bird.wav", 5, 22},      // BIRD
};
constexpr int MIXER_CHANNELS = 6;
constexpr int CUE_CHANNEL = 2;

constexpr int CROWD_HEARD_IN_FULL = 24; // walkers on the screen at which the murmur is loudest
constexpr int CROWD_LOUDEST = 60;       // of 128
constexpr int PAN_FULL = 255;           // Mix_SetPanning's loudest side
constexpr int BIRD_ODDS = 240;          // one frame in so many sings: about every 12 s at 20/s

} // namespace

void Sound::open() {
    {
        const QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return;
        }
        if (Mix_OpenAudio(FREQUENCY, AUDIO_S16SYS, CHANNELS, BUFFER_FRAMES) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
    }
    open_ = true;
    Mix_AllocateChannels(MIXER_CHANNELS);
    for (int kind = 0; kind < KINDS; ++kind) {
        chunks_[kind] = Mix_LoadWAV(SOUNDS[kind].file);
        if (chunks_[kind] == nullptr) {
            std::fprintf(stderr, "tarnel: %s\n",
                         formatted(_("cannot load the sound %s, which stays silent: %s"),
                                   SOUNDS[kind].file, Mix_GetError())
                             .c_str());
        }
    }
}

void Sound::close() {
    if (!open_) {
        return;
    }
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : chunks_) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    Mix_CloseAudio(); // SDL_Quit, which follows, ends the audio subsystem
    open_ = false;
}

void Sound::setMuted(bool muted) {
    muted_ = muted;
    if (muted_ && open_) {
        Mix_HaltChannel(-1);
    }
}

void Sound::play(const Heard& heard) {
    if (!open_ || muted_) {
        return;
    }
    if (heard.cue != Heard::NO_CUE) {
        playOnce(heard.cue == Heard::PAUSED ? PAUSE_CUE : RESUME_CUE, CUE_CHANNEL);
    }
    if (heard.hushed) {
        for (int channel = 0; channel < MIXER_CHANNELS; ++channel) {
            if (channel != CUE_CHANNEL) {
                Mix_HaltChannel(channel);
            }
        }
        return;
    }
    if (heard.step) {
        playOnce(heard.onGrass ? GRASS_STEP : PATH_STEP, SOUNDS[PATH_STEP].channel);
    }
    if (heard.bump) {
        playOnce(BUMP, SOUNDS[BUMP].channel);
    }
    placeCrowd(heard);
    keepLooping(WIND, SOUNDS[WIND].channel);
    if (std::uniform_int_distribution<int>(1, BIRD_ODDS)(chance_) == 1) {
        const int side = std::uniform_int_distribution<int>(0, PAN_FULL)(chance_);
        playOnce(BIRD, SOUNDS[BIRD].channel);
        Mix_SetPanning(SOUNDS[BIRD].channel, static_cast<Uint8>(PAN_FULL - side),
                       static_cast<Uint8>(side));
    }
}

void Sound::playOnce(Kind kind, int channel) {
    if (chunks_[kind] != nullptr) {
        Mix_Volume(channel, SOUNDS[kind].volume);
        Mix_PlayChannel(channel, chunks_[kind], 0);
    }
}

void Sound::keepLooping(Kind kind, int channel) {
    if (chunks_[kind] != nullptr && !Mix_Playing(channel)) {
        Mix_Volume(channel, SOUNDS[kind].volume);
        Mix_PlayChannel(channel, chunks_[kind], -1);
    }
}

void Sound::placeCrowd(const Heard& heard) {
    const int walkers = heard.walkersLeft + heard.walkersRight;
    const int channel = SOUNDS[CROWD].channel;
    if (walkers == 0 || chunks_[CROWD] == nullptr) {
        Mix_HaltChannel(channel);
        return;
    }
    if (!Mix_Playing(channel)) {
        Mix_PlayChannel(channel, chunks_[CROWD], -1);
    }
    Mix_Volume(channel,
               CROWD_LOUDEST * std::min(walkers, CROWD_HEARD_IN_FULL) / CROWD_HEARD_IN_FULL);
    // The busier side carries the whole level, the other half of it and its share: a distant
    // crowd is never heard from one side alone.
    const int louder = std::max(heard.walkersLeft, heard.walkersRight);
    const auto left = static_cast<Uint8>(PAN_FULL * (louder + heard.walkersLeft) / (2 * louder));
    const auto right = static_cast<Uint8>(PAN_FULL * (louder + heard.walkersRight) / (2 * louder));
    Mix_SetPanning(channel, left, right);
}
