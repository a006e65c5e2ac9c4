// sound.cpp -- the sound device and sound effects through SDL_mixer.
#include "runtime/sound.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

struct TSound {
    Mix_Chunk* chunk = nullptr; // the samples, converted to the device's format at load
    int max_copies = 1;         // copies that may play at once
};

void TSoundDeleter::operator()(TSound* sound) const {
    Mix_FreeChunk(sound->chunk);
    delete sound;
}

// The sounds' own format, so that nothing is converted while mixing; a low rate and a buffer of
// about 46 ms keep the audio thread's work small.
static const int mixing_rate = 22050;   // samples a second, mono, 16-bit
static const int buffer_samples = 1024; // samples mixed in one pass of the audio thread
static const int mixing_channels = 16;  // copies of sounds that can play at once, all sounds

static int device_state;        // 0 not tried yet, 1 open, -1 none could be opened
static float device_volume = 1; // the level of every sound, 0 to 1

static void apply_volume() {
    Mix_MasterVolume(int(std::lround(device_volume * MIX_MAX_VOLUME)));
}

// At exit, before SDL itself shuts down: stop the audio thread, then the device.
static void close_sound() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_state = -1;
}

// The sound libraries print their own diagnostics while they probe for a device (ALSA alone
// writes a dozen lines on a machine without a sound card). They are held back here, so that a
// failure is said once, in the game's own line. On failure, `reason` gets SDL's.
static bool open_device_quietly(std::string& reason) {
    std::fflush(stderr);
    int saved = dup(2), null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, 2);
    bool opened = false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reason = SDL_GetError();
    } else if (Mix_OpenAudioDevice(mixing_rate, AUDIO_S16SYS, 1, buffer_samples, nullptr, 0) != 0) {
        reason = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
        opened = true;
    }
    if (saved >= 0 && null >= 0) dup2(saved, 2);
    if (saved >= 0) close(saved);
    if (null >= 0) close(null);
    return opened;
}

bool open_sound() {
    if (device_state != 0) return device_state == 1;
    std::string reason;
    if (!open_device_quietly(reason)) {
        std::fprintf(stderr, "zedoria: cannot open the sound device: %s; playing without sound\n",
                     reason.c_str());
        device_state = -1;
        return false;
    }
    device_state = 1;
    Mix_AllocateChannels(mixing_channels);
    apply_volume();
    std::atexit(close_sound);
    return true;
}

static void report_failure(const TString& path, const std::string& reason) {
    std::fprintf(stderr, "zedoria: cannot load %s: %s\n", native_path(path).c_str(),
                 reason.c_str());
}

TSoundPtr load_sound(const TString& path, int max_copies) {
    if (device_state != 1) return nullptr;
    std::FILE* file = std::fopen(native_path(path).c_str(), "rb");
    if (!file) {
        report_failure(path,
                       errno == ENOENT || errno == ENOTDIR ? "no such file" : "cannot be read");
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFP(file, SDL_TRUE), 1);
    if (!chunk) {
        report_failure(path, std::string("not a sound (") + Mix_GetError() + ")");
        return nullptr;
    }
    return TSoundPtr(new TSound{chunk, max_copies});
}

void play_sound(const TSound* sound) {
    if (!sound) return;
    int playing = 0;
    for (int channel = 0; channel < mixing_channels; ++channel)
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == sound->chunk) ++playing;
    if (playing < sound->max_copies) Mix_PlayChannel(-1, sound->chunk, 0);
}

void set_sound_volume(float volume) {
    device_volume = volume > 0 ? (volume < 1 ? volume : 1) : 0; // NaN reads as 0
    if (device_state == 1) apply_volume();
}
