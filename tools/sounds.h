// sounds.h -- the list of sounds the generator writes: each a file name under the output folder
// and its samples.
#pragma once

#include <string>
#include <vector>

#include "tools/wave.h"

struct TGeneratedSound {
    std::string path; // relative to the output folder, e.g. "sfx/door_bell.wav"
    TSignal signal;
};

// Every sound the game loads, finished: faded in and out, without offset, at its level.
std::vector<TGeneratedSound> all_sounds();
