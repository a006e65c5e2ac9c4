// sounds.cpp -- the game's sounds, made from decaying partials and filtered noise: the door bell,
// the two plates, the sizzle, the chime, the sigh, the menu tick and the closing tune.
//
// All of them are soft: the highest partials lie below 5 kHz or die within milliseconds, every
// sound is low-passed, and the levels are set so that one of each sound of play together stays
// below full scale.
#include "tools/sounds.h"

#include <cmath>

namespace {

// One partial of a struck sound, relative to its fundamental: frequency ratio, amplitude and
// decay time constant in seconds.
struct TPartial {
    double ratio, amp, decay;
};
using TTimbre = std::vector<TPartial>;

// A small bell: its upper partials are not harmonic and die away faster than the fundamental; a
// slightly detuned twin of the fundamental gives the slow beat of a real bell.
const TTimbre BELL = {
    {1.0, 1.0, 0.55}, {1.004, 0.3, 0.5}, {2.0, 0.25, 0.3}, {2.76, 0.12, 0.16}, {5.4, 0.03, 0.05}};
// China touched: a few inharmonic partials gone within tens of milliseconds, over a body tone.
const TTimbre CHINA = {
    {1.0, 1.0, 0.035}, {1.45, 0.5, 0.025}, {2.05, 0.2, 0.015}, {0.3, 0.35, 0.05}};
// A music box's tine: the octave and the twelfth faint and short-lived.
const TTimbre MUSIC_BOX = {{1, 1, 0.8}, {2, 0.25, 0.35}, {3, 0.07, 0.15}, {4.2, 0.02, 0.05}};
const TTimbre SHORT_TINE = {{1, 1, 0.3}, {2, 0.22, 0.12}, {3, 0.06, 0.06}};
const TTimbre SOFT_BASS = {{1, 1, 0.9}, {2, 0.2, 0.4}};

void strike(TSignal& s, double start, double fundamental, const TTimbre& timbre, double gain,
            double attack = 0.002) {
    for (const TPartial& p : timbre)
        add_partial(s, start, fundamental * p.ratio, gain * p.amp, p.decay, attack);
}

double note_frequency(int midi_note) {
    return 440.0 * std::pow(2.0, (midi_note - 69) / 12.0);
}

// The last steps of every sound: no offset, fades so that it starts and ends at 0, its level.
TSignal finished(TSignal s, double dbfs, double fade_in, double fade_out) {
    filter(s, TBiquad::low_pass(5000, 0.7071));
    remove_dc(s);
    fade(s, fade_in, fade_out);
    normalise(s, dbfs);
    return s;
}

// A small bell at the door struck twice, a major third down: A5, then F5.
TSignal door_bell() {
    TSignal s = silence(1.5);
    strike(s, 0.0, 880.0, BELL, 1.0);
    strike(s, 0.28, 698.46, BELL, 0.9);
    return finished(s, -12, 0.002, 0.35);
}

// The plate slides off the counter (a breath of band-passed noise) and rings lightly.
TSignal plate_lifted() {
    TSignal s = silence(0.3);
    TNoise noise(7);
    TBiquad band = TBiquad::band_pass(1800, 1.2);
    int slide = samples_in(0.08);
    for (int i = 0; i < slide; ++i)
        s[size_t(i)] += 0.25 * std::sin(M_PI * i / slide) * band.run(noise.next());
    strike(s, 0.06, 2100, CHINA, 0.6);
    return finished(s, -18, 0.003, 0.08);
}

// The plate meets the table (a soft low thump and its ring) and settles with a smaller touch.
TSignal plate_set_down() {
    TSignal s = silence(0.35);
    add_partial(s, 0, 140, 0.9, 0.03, 0.003);
    strike(s, 0.0, 1750, CHINA, 0.7);
    strike(s, 0.035, 1760, CHINA, 0.3);
    return finished(s, -16, 0.002, 0.08);
}

// Fat in the pan: noise between 1 and 5 kHz under a slow waver, with sparse soft crackles.
TSignal sizzle() {
    TSignal s = silence(1.0);
    TNoise hiss(11), crackles(23);
    double crackle = 0; // the level of the crackle sounding now, dying away
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / SOUND_RATE;
        double waver = 1 + 0.3 * std::sin(6.283185307179586 * 3.1 * t) * std::sin(4.4 * t);
        if (crackles.next() > 1 - 2 * 60.0 / SOUND_RATE) // about 60 crackles a second
            crackle = 0.5 + 0.25 * (crackles.next() + 1);
        crackle *= std::exp(-1.0 / (0.0015 * SOUND_RATE));
        s[i] = (0.3 * waver + crackle) * hiss.next();
    }
    filter(s, TBiquad::high_pass(1000, 0.7071));
    return finished(s, -22, 0.12, 0.35);
}

// A rising arpeggio, E5, G#5, B5 (E major), the last note a little louder.
TSignal chime() {
    TSignal s = silence(0.95);
    const double notes[3] = {659.26, 830.61, 987.77};
    for (int i = 0; i < 3; ++i) strike(s, 0.085 * i, notes[i], SHORT_TINE, i == 2 ? 1 : 0.8, 0.004);
    return finished(s, -14, 0.002, 0.25);
}

// A breath out: noise through a vowel-like band whose centre falls from 1100 to 550 Hz, under a
// faint hummed tone falling a minor third (D4 to B3). It swells for a fifth of its length and
// fades over the rest.
TSignal sigh() {
    TSignal s = silence(1.0);
    TNoise breath(5);
    TBiquad band = TBiquad::band_pass(1100, 2.0);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / double(s.size()); // 0 to 1 over the sound
        if (i % 32 == 0) band.retune_band_pass(1100 * std::pow(0.5, t), 2.0);
        double swell = t < 0.2 ? 0.5 - 0.5 * std::cos(M_PI * t / 0.2) : std::exp(-3.0 * (t - 0.2));
        phase += 6.283185307179586 * 293.66 * std::pow(246.94 / 293.66, t) / SOUND_RATE;
        double hum = std::sin(phase) + 0.3 * std::sin(2 * phase);
        s[i] = swell * (0.8 * band.run(breath.next()) + 0.12 * hum);
    }
    filter(s, TBiquad::low_pass(1800, 0.7071));
    return finished(s, -17, 0.01, 0.15);
}

// A very short, soft click: a 1.5 kHz tone damped within a few milliseconds.
TSignal menu_tick() {
    TSignal s = silence(0.04);
    add_partial(s, 0, 1500, 1.0, 0.004, 0.0005);
    add_partial(s, 0, 2900, 0.25, 0.002, 0.0005);
    return finished(s, -20, 0.0005, 0.01);
}

// A note of the closing tune: its beat and its MIDI note number.
struct TNote {
    double beat;
    int note;
};

// A music box plays E5 G5 A5 G5 E5 D5 C5 over a soft bass C3 F3 G2 C3; the last note rings out as
// a C major chord.
TSignal closing_tune() {
    static const TNote melody[] = {{0, 76}, {1, 79}, {2, 81}, {3, 79}, {4, 76}, {5, 74}, {6, 72}};
    static const TNote bass[] = {{0, 48}, {2, 53}, {4, 43}, {6, 48}};
    static const TNote chord[] = {{6, 64}, {6, 67}};
    const double beat = 0.42; // seconds
    TSignal s = silence(4.2);
    for (TNote n : melody)
        strike(s, n.beat * beat, note_frequency(n.note), MUSIC_BOX, n.beat == 6 ? 1 : 0.8, 0.004);
    for (TNote n : bass) strike(s, n.beat * beat, note_frequency(n.note), SOFT_BASS, 0.5, 0.03);
    for (TNote n : chord) strike(s, n.beat * beat, note_frequency(n.note), MUSIC_BOX, 0.35, 0.01);
    return finished(s, -10, 0.005, 0.6);
}

} // namespace

std::vector<TGeneratedSound> all_sounds() {
    return {
        {"sfx/door_bell.wav", door_bell()},
        {"sfx/plate_lifted.wav", plate_lifted()},
        {"sfx/plate_set_down.wav", plate_set_down()},
        {"sfx/sizzle.wav", sizzle()},
        {"sfx/chime.wav", chime()},
        {"sfx/sigh.wav", sigh()},
        {"sfx/menu_tick.wav", menu_tick()},
        {"sfx/closing_tune.wav", closing_tune()},
    };
}
