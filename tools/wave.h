// wave.h -- the sound generator's toolkit: a mono signal at the game's sample rate, the pieces the
// sounds are made of (decaying partials, seeded noise, filters, envelopes) and the WAV writer.
//
// Everything is plain arithmetic on doubles with a fixed seed for the noise, so the same source
// gives the same bytes on every build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SOUND_RATE = 22050; // samples a second: the rate the game mixes at

using TSignal = std::vector<double>; // mono samples, full scale at -1 and 1

int samples_in(double seconds); // the number of samples in that many seconds, rounded
TSignal silence(double seconds);

// Adds a sine partial that starts at `start` seconds with amplitude `amp` and dies away
// exponentially with the time constant `decay` (seconds); it rises over `attack` seconds with a
// raised cosine, so that no partial starts with a step.
void add_partial(TSignal& s, double start, double frequency, double amp, double decay,
                 double attack = 0.002);

// White noise from a fixed seed (xorshift), uniform in -1..1.
class TNoise {
  public:
    explicit TNoise(uint32_t seed) : state_(seed ? seed : 1) {}
    double next();

  private:
    uint32_t state_;
};

// A second-order filter section (the usual audio-cookbook biquads); `q` 0.7071 is flattest.
class TBiquad {
  public:
    static TBiquad low_pass(double frequency, double q);
    static TBiquad high_pass(double frequency, double q);
    static TBiquad band_pass(double frequency, double q); // 0 dB at the centre
    double run(double x);
    void retune_band_pass(double frequency, double q); // keeps the state: for gliding centres

  private:
    static TBiquad low_or_high_pass(double frequency, double q, double sign);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0; // normalised coefficients
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;          // the last two inputs and outputs
};
void filter(TSignal& s, TBiquad f); // runs the whole signal through the filter

// Raised-cosine fades at both ends: the signal starts and ends at exactly 0.
void fade(TSignal& s, double in_seconds, double out_seconds);
void remove_dc(TSignal& s); // a 20 Hz high-pass: no offset, nothing audible lost
// Scales the signal so that its highest peak is `dbfs` decibels below full scale.
void normalise(TSignal& s, double dbfs);
// Mixes `part` into `s` starting at `start` seconds, scaled by `gain` (s grows as needed).
void mix_in(TSignal& s, const TSignal& part, double start, double gain);

// The signal as a WAV file: RIFF, PCM, 16-bit, mono, SOUND_RATE; samples rounded and clamped.
std::string wav_bytes(const TSignal& s);
bool write_file(const std::string& path, const std::string& bytes); // creates missing folders
