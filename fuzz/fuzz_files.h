// fuzz_files.h -- what every fuzzer shares: a private scratch folder, the input written into it as
// a file, and the check that turns a broken property into a finding.
//
// Each fuzzer writes its input to a file per run and lets the game's own reader open it, so that
// the fuzzed path is the one the game takes. The folder lives in memory (/dev/shm) when it can.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/strings.h"

// Writes exactly these bytes to `name` inside the fuzz folder (made on first use, removed at
// exit); returns the file's absolute path.
TString write_fuzz_file(const std::string& name, const std::uint8_t* data, size_t size);

// Makes the fuzz folder the working folder for its lifetime (for readers with fixed relative
// paths such as "data/highscore.dat"), then returns to where the fuzzer was started, so that
// libFuzzer's own relative paths keep working.
class TInFuzzFolder {
  public:
    TInFuzzFolder();
    ~TInFuzzFolder();
    TInFuzzFolder(const TInFuzzFolder&) = delete;
    TInFuzzFolder& operator=(const TInFuzzFolder&) = delete;

  private:
    int previous_folder; // an open descriptor of the folder to return to
};

// A property that must hold for every input: when it does not, says which and aborts, which
// libFuzzer reports as a finding with the input that caused it.
void fuzz_check(bool holds, const char* what);
