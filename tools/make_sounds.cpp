// make_sounds.cpp -- the sound generator's entry: writes every sound the game loads as a WAV file
// under OUT/sfx/, the same bytes on every run.
//
//   make_sounds OUT
#include <cstdio>
#include <string>

#include "tools/sounds.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]).starts_with("--")) {
        std::fprintf(stderr, "usage: make_sounds OUT\n");
        return 2;
    }
    for (const TGeneratedSound& sound : all_sounds())
        if (!write_file(std::string(argv[1]) + "/" + sound.path, wav_bytes(sound.signal))) return 1;
    return 0;
}
