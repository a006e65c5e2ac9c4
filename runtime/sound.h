// sound.h -- sound effects: the sound device, sounds loaded from WAV files, playing and the volume.
//
// Start-up opens the device once and loads each sound once; the game then starts a sound with
// play_sound wherever its event happens. Sounds are mixed on SDL's own audio thread: a sound plays
// to its end whatever the frame loop does, and nothing here waits for the mixing. Failures are
// values: without a device, or for a file that is missing or broken, the sound is null, and a null
// sound plays nothing.
#pragma once

#include <memory>

#include "runtime/strings.h"

struct TSound; // a loaded sound and its limit of copies (runtime/sound.cpp)
struct TSoundDeleter {
    void operator()(TSound* sound) const;
};
using TSoundPtr = std::unique_ptr<TSound, TSoundDeleter>; // sounds are owned by their table

// Opens the sound device (22050 Hz, mono, 16-bit) at the volume last set. Returns false, and says
// so in one line on standard error, when none can be opened: the game then runs silent. A second
// call does nothing and returns whether the first succeeded.
bool open_sound();
// Loads a WAV sound. Null without an open device, or when the file is missing or broken (named
// once on standard error, like a missing picture). At most `max_copies` copies of it play at once.
TSoundPtr load_sound(const TString& path, int max_copies);
// Starts the sound from its beginning, unless its limit of copies is playing already; a null
// sound, or no free channel, plays nothing.
void play_sound(const TSound* sound);
// Sets the level of every sound, the ones playing included: 0 silence to 1 full; values outside
// that range (and NaN, as 0) are clamped. Kept for a device opened later.
void set_sound_volume(float volume);
