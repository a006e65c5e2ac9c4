// safe_save_test.cpp -- the settings and highscore saves killed at each of their system calls, and
// the settings save on a full disk, in a read-only folder (and home) and past the file size limit:
// the file always holds the old or the new content whole, and a save that fails says so and
// leaves the old file.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "shell/highscores.h"
#include "shell/settings.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

const std::string old_bytes = "0.25\r\n0\r\n";
const std::string new_bytes = "0.500000000\r\n1\r\n";
constexpr int CANNOT_TRACE = 77; // the child's exit status when it may not be traced

void save_new_settings() {
    sound_volume = 0.5f;
    fullscreen = 1;
    write_settings();
}

// A file that the game replaces safely: its old bytes, what the save writes, and the save.
struct TSavedFile {
    const char* path;
    std::string old_bytes, new_bytes;
    void (*save)();
};

const TSavedFile saved_files[] = {
    {"data/optionen.txt", old_bytes, new_bytes, save_new_settings},
    {"data/highscore.dat", "Kopf\r\nAnna,125\r\n", "Kopf\r\nZora,300\r\nAnna,125\r\n",
     [] { save_highscore(u"Zora", 300); }},
};

// Saves in a child traced with ptrace and kills it with SIGKILL at its `stop`-th stop: each
// system call stops it twice, on entry (not yet done) and on exit (done). Returns 0 when the
// child was killed, 1 when it finished before that stop, CANNOT_TRACE when tracing is refused.
int save_killed_at(void (*save)(), int stop) {
    pid_t child = fork();
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(CANNOT_TRACE);
        raise(SIGSTOP);
        save();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) return WEXITSTATUS(status) == CANNOT_TRACE ? CANNOT_TRACE : 1;
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    for (int i = 0; i < stop; ++i) {
        ptrace(PTRACE_SYSCALL, child, nullptr, nullptr);
        waitpid(child, &status, 0);
        if (WIFEXITED(status)) return 1;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return 0;
}

TEST(SafeSave, KilledAtEachSystemCallTheFileHoldsTheOldOrTheNewContentWhole) {
    enter_scratch_folder();
    for (const TSavedFile& file : saved_files) {
        SCOPED_TRACE(file.path);
        int kills = 0, old_seen = 0, new_seen = 0;
        for (int stop = 0;; ++stop) {
            write_file(file.path, file.old_bytes);
            int outcome = save_killed_at(file.save, stop);
            if (outcome == CANNOT_TRACE) GTEST_SKIP() << "this system does not let a test trace";
            std::string now = read_file(file.path);
            ASSERT_TRUE(now == file.old_bytes || now == file.new_bytes)
                << "killed at stop " << stop << ": " << testing::PrintToString(now);
            if (outcome == 1) {
                EXPECT_EQ(now, file.new_bytes);
                break;
            }
            ++kills;
            (now == file.old_bytes ? old_seen : new_seen) += 1;
            // Whatever the killed save left behind, the next one goes through.
            write_file(file.path, file.old_bytes);
            file.save();
            EXPECT_EQ(read_file(file.path), file.new_bytes) << "after a kill at stop " << stop;
            EXPECT_FALSE(fs::exists(std::string(file.path) + ".new"));
        }
        EXPECT_GT(old_seen, 10); // the save makes a dozen system calls before the rename
        EXPECT_GT(new_seen, 0);
        std::printf("the save of %s was killed at %d stops: %d left the old file, %d the new one\n",
                    file.path, kills, old_seen, new_seen);
    }
}

// Runs `body` in a child whose standard error comes back as `said`; returns its exit status.
int run_in_child(const std::function<int()>& body, std::string& said) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        close(pipe_fds[0]);
        dup2(pipe_fds[1], 2);
        _exit(body());
    }
    close(pipe_fds[1]);
    char buffer[512];
    for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(pipe_fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A small tmpfs of its own over data/ (in a mount namespace of the child's own), holding the old
// settings file; false where the system does not allow mounting.
bool mount_small_data_folder() {
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        return false;
    if (mount("tmpfs", "data", "tmpfs", 0, "size=64k") != 0) return false;
    write_file("data/optionen.txt", old_bytes);
    return true;
}

// Fills the disk to the last byte.
void fill_the_disk() {
    std::FILE* filler = std::fopen("data/filler", "wb");
    std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {}
    std::fclose(filler);
}

// Saves and tells what became of the file: 0 the old file whole and no new one left behind.
int save_and_look() {
    save_new_settings();
    bool old_whole = read_file("data/optionen.txt") == old_bytes;
    return old_whole && !fs::exists("data/optionen.txt.new") ? 0 : 1;
}

TEST(SafeSave, ASaveThatCannotBeWrittenLeavesTheOldFileAndSaysSo) {
    // A read-only data folder sends the save to the user's own folder (runtime/paths.h); with
    // the home in the read-only folder too, that cannot be written either.
    const std::string scratch = enter_scratch_folder();
    const std::string in_home = scratch + "/data/.config/zedoria/optionen.txt";
    const struct {
        const char* name;
        bool needs_mount;
        std::function<void()> prepare; // in the child, before the save
        std::string saved_as;          // the path the message names
        const char* reason;
    } cases[] = {
        {"full disk", true, fill_the_disk, "data/optionen.txt", "No space left on device"},
        {"read-only data folder and home", true,
         [&] {
             mount("tmpfs", "data", "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k");
             setenv("HOME", (scratch + "/data").c_str(), 1);
             unsetenv("XDG_CONFIG_HOME");
         },
         in_home, "Read-only file system"},
        {"file size limit", false,
         [] {
             signal(SIGXFSZ, SIG_IGN);
             rlimit limit{4, 4};
             setrlimit(RLIMIT_FSIZE, &limit);
         },
         "data/optionen.txt", "File too large"},
    };
    for (const auto& c : cases) {
        write_file("data/optionen.txt", old_bytes);
        std::string said;
        int status = run_in_child(
            [&] {
                if (c.needs_mount && !mount_small_data_folder()) return CANNOT_TRACE;
                c.prepare();
                return save_and_look();
            },
            said);
        if (status == CANNOT_TRACE) {
            std::printf("%s: skipped, this system does not let a test mount a tmpfs\n", c.name);
            continue;
        }
        EXPECT_EQ(status, 0) << c.name << ": the old file did not stay whole";
        EXPECT_EQ(said, "zedoria: cannot save " + c.saved_as + ": " + c.reason +
                            "; the old settings stay\n")
            << c.name;
    }
}

} // namespace
