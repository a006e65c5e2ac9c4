// harness.h -- what every test shares: the game started on the scripted platform in a scratch
// folder, and the real loops driven for a number of frames on the virtual clock.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/platform_script.h"

// Makes a fresh scratch folder the working folder: gfx/ and sfx/ link to the pictures and sounds
// beside the test program, data/ is a copy of the shipped data files. Tests may change data/
// freely.
std::string enter_scratch_folder();
// enter_scratch_folder, then the game's whole start-up (window offscreen, every loader).
void start_test_game();
// start_test_game with an empty gfx/: nothing is drawn, while every draw call of a frame still
// runs (the animations, the guests' dish tests, the cooking), so that long evenings run fast.
void start_game_without_pictures();
// Runs `loop` (for example run_play_loop or run_main_loop) until the game has waited for its
// frame tick `frames` times, calling `each_frame` at every wait (before the clock moves on).
// Returns false if the loop ended by itself first (Escape in play), true if it was stopped.
bool run_frames(const std::function<void()>& loop, long frames,
                const std::function<void()>& each_frame = {});
// Stops the run in progress from inside its each_frame callback, ending the frame's wait as if its
// tick had come; run_frames then returns true.
[[noreturn]] void stop_frames();
bool play_frames(long frames, const std::function<void()>& each_frame = {}); // run_play_loop
// Runs a fresh title menu for script.size() frames: script[0] before the first frame, script[k]
// at the end of frame k (its input reaches frame k + 1).
void run_menu(const std::vector<std::function<void()>>& script);
// Writes a file with exactly these bytes (creating folders); reads one back whole.
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
