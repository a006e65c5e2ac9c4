// sound_set_test.cpp -- the shipped sound set, as the generator makes it: every sound the game
// loads is a 16-bit mono WAV at the mixing rate with its expected length, starts and ends at
// silence, has no offset and no clipped sample, stays soft, leaves room to mix, and the generator
// writes the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

constexpr int RATE = 22050;

// A sound the game loads, the length it should have, and whether it plays during the evening
// (those may sound together and must not clip when they do).
struct TExpectedSound {
    const char* file;
    double min_seconds, max_seconds;
    bool in_play;
};

const TExpectedSound expected_sounds[] = {
    {"door_bell.wav", 1.0, 2.0, true},
    {"plate_lifted.wav", 0.15, 0.5, true},
    {"plate_set_down.wav", 0.15, 0.5, true},
    {"sizzle.wav", 0.8, 1.5, true}, // at least one cooking, seven steps of 133 ms
    {"chime.wav", 0.5, 1.2, true},
    {"sigh.wav", 0.6, 1.5, true},
    {"menu_tick.wav", 0.02, 0.08, false},
    {"closing_tune.wav", 3.0, 6.0, false},
};

uint32_t le(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
    return value;
}

std::vector<int> samples_of(const std::string& wav) {
    std::vector<int> out;
    for (size_t i = 44; i + 1 < wav.size(); i += 2) out.push_back(int16_t(le(wav, i, 2)));
    return out;
}

double rms_of(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v * v;
    return std::sqrt(sum / double(values.size()));
}

// The frequency of a sine whose sample-to-sample steps are as large as the sound's, relative to
// its level: where the sound's energy lies on the whole. Harsh sounds lie high.
double mean_frequency(const std::vector<int>& s) {
    std::vector<double> values(s.begin(), s.end()), steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(s[i] - s[i - 1]);
    double ratio = std::min(1.0, rms_of(steps) / (2 * rms_of(values)));
    return RATE / M_PI * std::asin(ratio);
}

std::string program_folder() {
    return fs::canonical("/proc/self/exe").parent_path().string();
}

TEST(SoundSet, EverySoundIsASoftCleanWaveOfItsLength) {
    int peaks_in_play = 0;
    for (const TExpectedSound& e : expected_sounds) {
        SCOPED_TRACE(e.file);
        std::string wav = read_file(program_folder() + "/sfx/" + e.file);
        ASSERT_GE(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(le(wav, 4, 4), wav.size() - 8);
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le(wav, 16, 4), 16u);        // the format chunk's size
        EXPECT_EQ(le(wav, 20, 2), 1u);         // PCM
        EXPECT_EQ(le(wav, 22, 2), 1u);         // mono
        EXPECT_EQ(le(wav, 24, 4), 22050u);     // the rate the game mixes at: nothing to convert
        EXPECT_EQ(le(wav, 28, 4), 22050u * 2); // bytes a second
        EXPECT_EQ(le(wav, 32, 2), 2u);         // bytes a sample
        EXPECT_EQ(le(wav, 34, 2), 16u);        // bits a sample
        EXPECT_EQ(wav.substr(36, 4), "data");
        EXPECT_EQ(le(wav, 40, 4), wav.size() - 44);

        std::vector<int> s = samples_of(wav);
        ASSERT_FALSE(s.empty());
        double seconds = double(s.size()) / RATE;
        EXPECT_GE(seconds, e.min_seconds);
        EXPECT_LE(seconds, e.max_seconds);
        int peak = 0;
        long long sum = 0;
        for (int x : s) peak = std::max(peak, std::abs(x)), sum += x;
        EXPECT_LE(peak, 16422) << "above -6 dBFS"; // so no sample is anywhere near clipping
        EXPECT_GT(peak, 1000) << "hardly audible";
        EXPECT_LE(std::abs(double(sum) / double(s.size())), 33) << "an offset above 0.1 %";
        EXPECT_EQ(s.front(), 0) << "starts with a click";
        EXPECT_EQ(s.back(), 0) << "ends with a click";
        EXPECT_LT(mean_frequency(s), 4000) << "harsh";
        if (e.in_play) peaks_in_play += peak;
    }
    // One of each sound of the evening at the same instant, at full volume, still does not clip.
    EXPECT_LT(peaks_in_play, 32767);
}

TEST(SoundSet, TheGeneratorWritesTheSameBytesEveryRun) {
    std::string scratch = enter_scratch_folder();
    for (const char* out : {"first", "second"}) {
        std::string command = std::string(MAKE_SOUNDS) + " " + scratch + "/" + out;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    size_t written = 0;
    for (const auto& entry : fs::directory_iterator("first/sfx")) {
        std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        std::string bytes = read_file(entry.path().string());
        EXPECT_EQ(bytes, read_file("second/sfx/" + name));
        EXPECT_EQ(bytes, read_file(program_folder() + "/sfx/" + name)) << "the build's copy";
        ++written;
    }
    EXPECT_EQ(written, std::size(expected_sounds));
}

} // namespace
