// harness.cpp -- the scratch folder, the test start-up and the frame runner.
#include "tests/harness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/game.h"
#include "shell/title_menu.h"

namespace fs = std::filesystem;

struct TStopRun {};

std::string enter_scratch_folder() {
    fs::path program = fs::canonical("/proc/self/exe").parent_path();
    char name[] = "/tmp/zedoria-test-XXXXXX";
    fs::path scratch = mkdtemp(name);
    fs::create_directory_symlink(program / "gfx", scratch / "gfx");
    fs::create_directory_symlink(program / "sfx", scratch / "sfx");
    fs::create_directories(scratch / "data");
    if (fs::exists(program / "data"))
        for (const auto& entry : fs::directory_iterator(program / "data"))
            if (entry.path().filename() != "optionen.txt")
                fs::copy(entry.path(), scratch / "data" / entry.path().filename());
    fs::current_path(scratch);
    return scratch.string();
}

void start_test_game() {
    enter_scratch_folder();
    start_game();
}

void start_game_without_pictures() {
    enter_scratch_folder();
    fs::remove("gfx");
    fs::create_directory("gfx");
    testing::internal::CaptureStderr(); // one line per missing picture
    start_game();
    testing::internal::GetCapturedStderr();
}

void stop_frames() {
    // The frame's wait ends here as it would have: its tick comes and is taken, so the next run
    // starts with a new frame rather than with a tick left over from this one.
    script_complete_wait();
    if (frame_timer) frame_timer->last_wait = frame_timer->ticks;
    throw TStopRun{};
}

bool run_frames(const std::function<void()>& loop, long frames,
                const std::function<void()>& each_frame) {
    long stop_at = script_waits() + frames;
    script_on_wait([stop_at, each_frame] {
        if (each_frame) each_frame();
        if (script_waits() >= stop_at) stop_frames();
    });
    // The hook goes when the run ends, however it ends (end_program throws TProgramEnd).
    struct TClearHook {
        ~TClearHook() { script_on_wait({}); }
    } clear_hook;
    try {
        loop();
    } catch (const TStopRun&) {
        return true;
    }
    return false;
}

bool play_frames(long frames, const std::function<void()>& each_frame) {
    return run_frames(run_play_loop, frames, each_frame);
}

void run_menu(const std::vector<std::function<void()>>& script) {
    long start = script_waits();
    if (script[0]) script[0]();
    run_frames(run_title_menu, long(script.size()), [&] {
        size_t k = size_t(script_waits() - start);
        if (k < script.size() && script[k]) script[k]();
    });
}

void write_file(const std::string& path, const std::string& bytes) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
