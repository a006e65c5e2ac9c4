// sound_test.cpp -- the sounds as the player hears them: SDL's disk audio driver writes the game's
// mixed output to a file while the real loops run on the scripted platform, and the tests read it
// back. Each event plays its own sound to its end; a sound retriggered in every frame does not
// stack up; the volume of the settings file, clamped, sets the level (0 silence, 0.5 half of 1);
// a drag of the slider is heard at once at its new level; a missing device or sound file leaves
// the game running, silent where it must be, said once.
//
// The disk driver writes in real time on SDL's audio thread while the virtual clock races ahead,
// so the tests mark the output's length before the frame that plays a sound, stop the frame loop
// right after it (nothing else sounds), and wait for the output to pass the sound's end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "characters/sounds.h"
#include "runtime/input.h"
#include "shell/game.h"
#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/evening_fixture.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

constexpr int RATE = 22050; // the game's mixing rate: samples a second, mono, 16-bit

using TSamples = std::vector<int16_t>;

TSamples samples_of(const std::string& bytes, size_t skip) {
    TSamples out;
    for (size_t i = skip; i + 1 < bytes.size(); i += 2)
        out.push_back(int16_t(uint16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8)));
    return out;
}

// The samples of one of the game's sounds, as the generator wrote them (a 44-byte header).
TSamples sound_samples(const std::string& name) {
    return samples_of(read_file("sfx/" + name), 44);
}

// The lines of standard error about sound (others, like the font's stand-in, may come too).
std::vector<std::string> sound_lines(const std::string& said) {
    std::vector<std::string> lines;
    std::istringstream in(said);
    for (std::string line; std::getline(in, line);)
        if (line.find("sound") != std::string::npos || line.find("sfx/") != std::string::npos)
            lines.push_back(line);
    return lines;
}

int peak_of(const TSamples& s) {
    int peak = 0;
    for (int16_t x : s) peak = std::max(peak, std::abs(int(x)));
    return peak;
}

// Whether `sound` stands in `output` sample for sample: played whole at full volume, alone.
bool contains_sound(const TSamples& output, const TSamples& sound) {
    auto loudest = std::max_element(sound.begin(), sound.end(),
                                    [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    size_t at = size_t(loudest - sound.begin());
    for (size_t i = at; i + sound.size() - at <= output.size(); ++i)
        if (output[i] == *loudest &&
            std::equal(sound.begin(), sound.end(), output.begin() + (i - at)))
            return true;
    return false;
}

// The game's output through SDL's disk audio driver, for a game started after the listener.
class TListener {
  public:
    // In the scratch folder, which must be the working folder already; SDL reads the driver's
    // variables when the game opens its sound device.
    TListener() : path_(fs::absolute("audio.raw").string()) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
    }
    long written() const { // samples in the file so far
        struct stat st {};
        return stat(path_.c_str(), &st) == 0 ? long(st.st_size / 2) : 0;
    }
    // The samples from `from` on, `count` of them, once the audio thread has written them.
    TSamples wait_for(long from, long count) const {
        auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (written() < from + count && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        TSamples all = samples_of(read_file(path_), 0);
        EXPECT_GE(long(all.size()), from + count) << "the audio thread stopped writing";
        long end = std::min(long(all.size()), from + count);
        return TSamples(all.begin() + std::min(from, end), all.begin() + end);
    }

  private:
    std::string path_;
};

// Runs `loop` until `done` holds at a frame's wait (told how many waits this run has had), with
// `input` given at the first wait; returns the output's length at the wait before that frame,
// where the frame's sounds start at the earliest.
long listen_until(const TListener& listener, const std::function<void()>& loop,
                  const std::function<void()>& input, const std::function<bool(int)>& done) {
    long before = listener.written();
    int waits = 0;
    bool happened = false;
    run_frames(loop, 100000, [&] {
        if (++waits == 1) input();
        if ((happened = done(waits))) stop_frames();
        before = listener.written();
    });
    EXPECT_TRUE(happened) << "the event never came";
    return before;
}

// Starts the game in a scratch folder with this volume line in its settings file ("" for none),
// its output going to the listener returned.
TListener start_listening_game(const std::string& volume_line) {
    enter_scratch_folder();
    if (!volume_line.empty()) write_file("data/optionen.txt", volume_line + "\r\n0\r\n");
    TListener listener;
    start_game();
    return listener;
}

// Nothing sounds but what a test asks for: no guest comes, the cook stands still.
void hush_the_evening() {
    next_arrival_time = millisecs() + (1 << 30);
    cook_target_x = cook_x;
    cook_next_time = millisecs() + (1 << 30);
}

// A guest seated and waiting at (10, 3), in the top row, facing down to its table cell (10, 4).
TDisciple* seat_top_guest(int contentment) {
    for (int i = 0; i < seat_count; ++i)
        if (seat_table[i][0] == 10 && seat_table[i][1] == 3) return seat_guest(i, contentment);
    ADD_FAILURE() << "no seat at (10, 3)";
    return nullptr;
}

// One event of the game and the sound it must play.
struct TEventCase {
    const char* name;
    const char* sound; // its file under sfx/
    std::function<void()> set_up;
    std::function<void()> loop;
    std::function<void()> input;   // at the first wait
    std::function<bool(int)> done; // holds once the event has happened
};

void PrintTo(const TEventCase& c, std::ostream* out) {
    *out << c.name;
}

const TEventCase event_cases[] = {
    {"GuestComesIn", "door_bell.wav", [] { next_arrival_time = millisecs() + 500; }, run_play_loop,
     [] {}, [](int) { return list_count(disciple_list) > 0; }},
    {"HostTakesADish", "plate_lifted.wav",
     [] {
         player_x = 384, player_y = 522, player_facing = 3; // facing the counter's middle place
         add_dish(384, 544, 80);
     },
     run_play_loop, [] { script_tap(KEY_SPACE); },
     [](int) { return hands_state == HANDS_PICKING_UP; }},
    {"HostServes", "plate_set_down.wav",
     [] {
         seat_top_guest(60);
         player_x = 320, player_y = 150, player_facing = 1; // below the guest, across the table
         hands_state = HANDS_CARRYING, carried_amount = 80;
     },
     run_play_loop, [] { script_tap(KEY_SPACE); },
     [](int) { return hands_state == HANDS_PUTTING_DOWN; }},
    {"CookCooks", "sizzle.wav", [] { cook_next_time = 0; }, run_play_loop, [] {},
     [](int) { return cook_state == COOK_COOKING; }},
    {"GuestStartsEating", "chime.wav",
     [] {
         seat_top_guest(60);
         add_dish(320, 128, 80);
     },
     run_play_loop, [] {}, [](int) { return (*disciple_list.begin())->state == DISCIPLE_EATING; }},
    {"GuestGivesUp", "sigh.wav", [] { seat_top_guest(1); }, run_play_loop, [] {},
     [](int) { return (*disciple_list.begin())->state == DISCIPLE_GIVING_UP; }},
    {"MenuBarClicked", "menu_tick.wav", [] {}, run_title_menu, [] { script_click(400, 240); },
     [](int waits) { return waits == 2; }}, // "Optionen", clicked in the second frame
    {"ClosingPictureAppears", "closing_tune.wav",
     [] {
         player_x = 384, player_y = 64; // a step above the head of the table
         average_contentment = 20;
     },
     run_play_loop, [] {}, [](int) { return ending_sequence_active == 1; }},
};

class SoundEvent : public testing::TestWithParam<TEventCase> {};

TEST_P(SoundEvent, PlaysItsOwnSoundToItsEnd) {
    const TEventCase& c = GetParam();
    TListener listener = start_listening_game("1.00000000");
    hush_the_evening();
    c.set_up();
    long mark = listen_until(listener, c.loop, c.input, c.done);
    TSamples sound = sound_samples(c.sound);
    // The frame loop stands still from here: the sound plays to its end by itself.
    TSamples heard = listener.wait_for(mark, long(sound.size()) + RATE / 2);
    EXPECT_TRUE(contains_sound(heard, sound)) << c.sound << " not heard whole";
}

INSTANTIATE_TEST_SUITE_P(Sound, SoundEvent, testing::ValuesIn(event_cases),
                         [](const testing::TestParamInfo<TEventCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

namespace {

// A volume line of the settings file and the level the door bell must be heard at, as a share of
// the level at full volume.
struct TVolumeCase {
    const char* name;
    const char* line; // "" for no settings file: the start value 0.8
    double level;
};

void PrintTo(const TVolumeCase& c, std::ostream* out) {
    *out << c.name;
}

class SoundVolume : public testing::TestWithParam<TVolumeCase> {};

// The first guest of the evening, at the volume read at start-up.
TEST_P(SoundVolume, TheFileSetsTheLevelClampedForPlayingOnly) {
    const TVolumeCase& c = GetParam();
    TListener listener = start_listening_game(c.line);
    hush_the_evening();
    next_arrival_time = millisecs() + 500;
    long mark = listen_until(
        listener, run_play_loop, [] {}, [](int) { return list_count(disciple_list) > 0; });
    TSamples bell = sound_samples("door_bell.wav");
    TSamples heard = listener.wait_for(mark, long(bell.size()) + RATE / 2);
    double full = peak_of(bell);
    EXPECT_NEAR(peak_of(heard), c.level * full, 0.02 * full + 2);
    if (c.level == 0) {
        EXPECT_EQ(peak_of(listener.wait_for(0, mark)), 0) << "heard before the bell";
    }
    EXPECT_EQ(float_to_string(sound_volume),
              *c.line ? TString(c.line, c.line + std::strlen(c.line)) : TString(u"0.800000012"))
        << "the value read is kept as it is";
}

INSTANTIATE_TEST_SUITE_P(
    Sound, SoundVolume,
    testing::Values(TVolumeCase{"Full", "1.00000000", 1}, TVolumeCase{"Half", "0.500000000", 0.5},
                    TVolumeCase{"Zero", "0.00000000", 0}, TVolumeCase{"NoFile", "", 0.8},
                    TVolumeCase{"AboveOne", "1.50000000", 1},
                    TVolumeCase{"BelowZero", "-0.500000000", 0},
                    TVolumeCase{"NotANumber", "nan", 0}),
    [](const testing::TestParamInfo<TVolumeCase>& info) { return std::string(info.param.name); });

// The settings view's slider: each tenth it passes ticks at the level just set, so the player
// hears the drag at once; "Zurück" brings the file's level back (here the start value 0.8).
TEST(Sound, ADragOfTheSliderIsHeardAtOnceAtItsNewLevel) {
    TListener listener = start_listening_game("");
    TSamples tick = sound_samples("menu_tick.wav");
    long length = long(tick.size()) + RATE / 4;
    // Each step: the input for the next frame, and whether to measure what that frame played.
    struct TStep {
        std::function<void()> input;
        bool measure;
    };
    const TStep steps[] = {
        {[] { script_click(400, 240); }, false},                             // "Optionen"
        {[] { script_mouse_move(650, 106), script_mouse_press(1); }, false}, // the drag starts
        {[] { script_mouse_move(670, 106); }, true},                      // 0.98: the ninth tenth
        {[] { script_mouse_move(624, 106); }, true},                      // 0.5: the fifth
        {[] { script_mouse_release(1), script_click(400, 304); }, false}, // "Zurück"
        {[] { script_click(400, 240); }, true},                           // "Optionen" at 0.8
    };
    std::vector<int> levels;
    size_t next = 0;
    long mark = 0;
    run_frames(run_title_menu, 100, [&] {
        if (next > 0) { // what the last step's frame played has been heard to its end
            TSamples heard = listener.wait_for(mark, length);
            if (steps[next - 1].measure) levels.push_back(peak_of(heard));
        }
        if (next == std::size(steps)) stop_frames();
        mark = listener.written();
        steps[next++].input();
    });
    double full = peak_of(tick);
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_NEAR(levels[0], full * 125 / 128, 0.02 * full + 2) << "at 0.98";
    EXPECT_NEAR(levels[1], full * 64 / 128, 0.02 * full + 2) << "at 0.5";
    EXPECT_NEAR(levels[2], full * 102 / 128, 0.02 * full + 2) << "at 0.8 after \"Zurück\"";
    EXPECT_FLOAT_EQ(sound_volume, 0.8f);
}

// A flood of guests, one due in every frame: the bell rings once over itself, never stacked up.
TEST(Sound, AFloodOfGuestsRingsOneBellAtATime) {
    TListener listener = start_listening_game("1.00000000");
    hush_the_evening();
    long mark = listener.written();
    auto guest_due = [] { next_arrival_time = millisecs() - 1; };
    guest_due();
    play_frames(20, guest_due);
    EXPECT_EQ(list_count(disciple_list), 20);
    TSamples bell = sound_samples("door_bell.wav");
    TSamples heard = listener.wait_for(mark, long(bell.size()) + RATE / 2);
    EXPECT_EQ(peak_of(heard), peak_of(bell));
    EXPECT_TRUE(contains_sound(heard, bell));
}

// A missing sound is silent, named once at start-up; the others play as ever.
TEST(Sound, AMissingSoundIsSilentAndTheOthersPlay) {
    enter_scratch_folder();
    fs::path shared = fs::read_symlink("sfx");
    fs::remove("sfx");
    fs::copy(shared, "sfx", fs::copy_options::recursive);
    fs::remove("sfx/door_bell.wav");
    write_file("data/optionen.txt", "1.00000000\r\n0\r\n");
    TListener listener;
    testing::internal::CaptureStderr();
    start_game();
    EXPECT_EQ(sound_lines(testing::internal::GetCapturedStderr()),
              std::vector<std::string>{"zedoria: cannot load sfx/door_bell.wav: no such file"});

    hush_the_evening();
    next_arrival_time = millisecs() + 500;
    long mark = listen_until(
        listener, run_play_loop, [] {}, [](int) { return list_count(disciple_list) > 0; });
    EXPECT_EQ(peak_of(listener.wait_for(mark, RATE)), 0) << "a guest came in: nothing to hear";
    TSamples tick = sound_samples("menu_tick.wav");
    mark = listen_until(
        listener, run_title_menu, [] { script_click(400, 240); },
        [](int waits) { return waits == 2; });
    EXPECT_TRUE(contains_sound(listener.wait_for(mark, long(tick.size()) + RATE / 2), tick));
}

// Without a sound device the game runs as ever, silent, and says so in one line; SDL's dummy
// device is a device: nothing is said.
struct TDeviceCase {
    const char* name;
    const char* driver;
    const char* file; // for the disk driver
    bool refused;
};

void PrintTo(const TDeviceCase& c, std::ostream* out) {
    *out << c.name;
}

class SoundDevice : public testing::TestWithParam<TDeviceCase> {};

TEST_P(SoundDevice, TheGameRunsAndSaysOneLineWhenRefused) {
    const TDeviceCase& c = GetParam();
    enter_scratch_folder();
    setenv("SDL_AUDIODRIVER", c.driver, 1);
    setenv("SDL_DISKAUDIOFILE", c.file, 1);
    testing::internal::CaptureStderr();
    start_game();
    // The menu's clicks, a guest, the cook and the closing tune all play into nothing.
    run_frames(run_title_menu, 10, [] { script_click(400, 112); }); // "Spielen"
    next_arrival_time = millisecs() + 500;
    cook_next_time = 0;
    play_frames(60);
    player_x = 384, player_y = 64, average_contentment = 20;
    play_frames(60);
    std::vector<std::string> said = sound_lines(testing::internal::GetCapturedStderr());
    EXPECT_EQ(list_count(disciple_list), 1);
    EXPECT_EQ(ending_sequence_active, 1);
    if (!c.refused) {
        EXPECT_TRUE(said.empty()) << testing::PrintToString(said);
        return;
    }
    ASSERT_EQ(said.size(), 1u) << testing::PrintToString(said);
    EXPECT_TRUE(said[0].starts_with("zedoria: cannot open the sound device: ")) << said[0];
    EXPECT_TRUE(said[0].ends_with("; playing without sound")) << said[0];
}

INSTANTIATE_TEST_SUITE_P(
    Sound, SoundDevice,
    testing::Values(TDeviceCase{"Dummy", "dummy", "", false},
                    TDeviceCase{"NoSuchDriver", "no-such-driver", "", true},
                    TDeviceCase{"DiskIntoNoFolder", "disk", "/no/such/folder/audio.raw", true}),
    [](const testing::TestParamInfo<TDeviceCase>& info) { return std::string(info.param.name); });

} // namespace
