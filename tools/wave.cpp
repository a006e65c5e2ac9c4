// wave.cpp -- the sound generator's toolkit: partials, noise, filters, envelopes, WAV files.
#include "tools/wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {
constexpr double TWO_PI = 6.283185307179586;
}

int samples_in(double seconds) {
    return int(std::lround(seconds * SOUND_RATE));
}

TSignal silence(double seconds) {
    return TSignal(size_t(samples_in(seconds)), 0.0);
}

void add_partial(TSignal& s, double start, double frequency, double amp, double decay,
                 double attack) {
    int first = samples_in(start), rise = std::max(1, samples_in(attack));
    for (int i = first; i < int(s.size()); ++i) {
        double t = double(i - first) / SOUND_RATE;
        double envelope = amp * std::exp(-t / decay);
        if (envelope < 1e-6) break;
        if (i - first < rise) envelope *= 0.5 - 0.5 * std::cos(M_PI * (i - first) / rise);
        s[size_t(i)] += envelope * std::sin(TWO_PI * frequency * t);
    }
}

double TNoise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 2147483647.5 - 1.0;
}

// What every cookbook biquad starts from: the centre as an angle, its sine-based width and cosine.
struct TBiquadAngle {
    double alpha, cosine;
};
static TBiquadAngle angle_of(double frequency, double q) {
    double w = TWO_PI * frequency / SOUND_RATE;
    return {std::sin(w) / (2 * q), std::cos(w)};
}

// Low-pass (sign 1) and high-pass (sign -1) share one form: b = (1 -+ c) / 2 * (1, -+2, 1).
TBiquad TBiquad::low_or_high_pass(double frequency, double q, double sign) {
    auto [alpha, c] = angle_of(frequency, q);
    double a0 = 1 + alpha, b = (1 - sign * c) / 2 / a0;
    TBiquad f;
    f.b0_ = b;
    f.b1_ = 2 * sign * b;
    f.b2_ = b;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

TBiquad TBiquad::low_pass(double frequency, double q) {
    return low_or_high_pass(frequency, q, 1);
}

TBiquad TBiquad::high_pass(double frequency, double q) {
    return low_or_high_pass(frequency, q, -1);
}

TBiquad TBiquad::band_pass(double frequency, double q) {
    TBiquad f;
    f.retune_band_pass(frequency, q);
    return f;
}

void TBiquad::retune_band_pass(double frequency, double q) {
    auto [alpha, c] = angle_of(frequency, q);
    double a0 = 1 + alpha;
    b0_ = alpha / a0;
    b1_ = 0;
    b2_ = -alpha / a0;
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
}

double TBiquad::run(double x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void filter(TSignal& s, TBiquad f) {
    for (double& x : s) x = f.run(x);
}

void fade(TSignal& s, double in_seconds, double out_seconds) {
    int n = int(s.size()), in = std::min(n, samples_in(in_seconds)),
        out = std::min(n, samples_in(out_seconds));
    for (int i = 0; i < in; ++i) s[size_t(i)] *= 0.5 - 0.5 * std::cos(M_PI * i / in);
    for (int i = 0; i < out; ++i) s[size_t(n - 1 - i)] *= 0.5 - 0.5 * std::cos(M_PI * i / out);
}

void remove_dc(TSignal& s) {
    const double r = 1 - TWO_PI * 20.0 / SOUND_RATE; // the pole of a 20 Hz one-pole high-pass
    double last_in = 0, last_out = 0;
    for (double& x : s) {
        double y = x - last_in + r * last_out;
        last_in = x;
        last_out = y;
        x = y;
    }
}

void normalise(TSignal& s, double dbfs) {
    double peak = 0;
    for (double x : s) peak = std::max(peak, std::fabs(x));
    if (peak == 0) return;
    double gain = std::pow(10.0, dbfs / 20.0) / peak;
    for (double& x : s) x *= gain;
}

void mix_in(TSignal& s, const TSignal& part, double start, double gain) {
    size_t first = size_t(samples_in(start));
    if (s.size() < first + part.size()) s.resize(first + part.size(), 0.0);
    for (size_t i = 0; i < part.size(); ++i) s[first + i] += gain * part[i];
}

static void put_le(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xff));
}

std::string wav_bytes(const TSignal& s) {
    uint32_t data = uint32_t(s.size() * 2);
    std::string out = "RIFF";
    put_le(out, 36 + data, 4);
    out += "WAVEfmt ";
    put_le(out, 16, 4);             // the format chunk's size
    put_le(out, 1, 2);              // PCM
    put_le(out, 1, 2);              // mono
    put_le(out, SOUND_RATE, 4);     // samples a second
    put_le(out, SOUND_RATE * 2, 4); // bytes a second
    put_le(out, 2, 2);              // bytes a sample frame
    put_le(out, 16, 2);             // bits a sample
    out += "data";
    put_le(out, data, 4);
    for (double x : s) {
        long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        put_le(out, uint32_t(int32_t(v)), 2);
    }
    return out;
}

bool write_file(const std::string& path, const std::string& bytes) {
    std::filesystem::path p(path);
    std::error_code ec;
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
    return written;
}
