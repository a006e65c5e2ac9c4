// paths_test.cpp -- where the game's files are: the program's folder as the game folder, the files
// the game writes kept in a writable game folder, and the user's own copies under the XDG folders
// where the game folder is read-only, written and read back through the game's own settings view
// and highscore reader.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

#include <cstdlib>
#include <filesystem>

#include "runtime/input.h"
#include "runtime/paths.h"
#include "shell/game.h"
#include "shell/highscores.h"
#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

TEST(ProgramFolder, BecomesTheWorkingFolder) {
    enter_scratch_folder();
    enter_program_folder();
    EXPECT_EQ(fs::current_path(), fs::canonical("/proc/self/exe").parent_path());
}

// The home and XDG variables of a case; null unsets one.
void set_user_environment(const char* home, const char* config, const char* data) {
    const std::pair<const char*, const char*> variables[] = {
        {"HOME", home}, {"XDG_CONFIG_HOME", config}, {"XDG_DATA_HOME", data}};
    for (auto [name, value] : variables) value ? setenv(name, value, 1) : unsetenv(name);
}

// The scratch folder is writable, like the build folder: the game keeps its files there, whatever
// the user's folders hold.
TEST(UserFiles, AWritableGameFolderKeepsItsFilesWhereTheyAre) {
    std::string scratch = enter_scratch_folder();
    set_user_environment((scratch + "/home").c_str(), nullptr, nullptr);
    write_file("home/.config/zedoria/optionen.txt", "0.5\r\n1\r\n");
    write_file("home/.local/share/zedoria/highscore.dat", "Kopf\r\n");
    for (auto folder : {TUserFolder::config, TUserFolder::data}) {
        EXPECT_EQ(path_to_read(u"data/optionen.txt", folder), u"data/optionen.txt");
        EXPECT_EQ(path_to_write(u"data/highscore.dat", folder), u"data/highscore.dat");
    }
}

// Puts a read-only tmpfs over data/ (in a mount namespace of this test's process) holding the
// shipped files, as an installed game's folder is to its user; false where mounting is refused.
bool make_data_folder_read_only() {
    fs::copy("data", "shipped", fs::copy_options::recursive);
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount("tmpfs", "data", "tmpfs", 0, "size=256k") != 0)
        return false;
    fs::copy("shipped", "data", fs::copy_options::recursive);
    return mount("tmpfs", "data", "tmpfs", MS_REMOUNT | MS_RDONLY, "size=256k") == 0;
}

TEST(UserFiles, AReadOnlyGameFolderSendsTheFilesToTheUsersFolders) {
    std::string s = enter_scratch_folder();
    if (!make_data_folder_read_only()) GTEST_SKIP() << "this system does not let a test mount";
    const struct {
        const char *home, *config, *data;
        std::string settings, highscores; // where the user's copies go
    } cases[] = {
        {"/h", nullptr, nullptr, "/h/.config/zedoria/optionen.txt",
         "/h/.local/share/zedoria/highscore.dat"},
        {"/h", "/c", "/d", "/c/zedoria/optionen.txt", "/d/zedoria/highscore.dat"},
        {"/h", "", "relative", "/h/.config/zedoria/optionen.txt", // not absolute: ignored
         "/h/.local/share/zedoria/highscore.dat"},
    };
    for (const auto& c : cases) {
        std::string home = s + c.home, config = s + (c.config ? c.config : ""),
                    data = s + (c.data ? c.data : "");
        set_user_environment(home.c_str(), c.config && *c.config == '/' ? config.c_str() : c.config,
                             c.data && *c.data == '/' ? data.c_str() : c.data);
        EXPECT_EQ(path_to_write(u"data/optionen.txt", TUserFolder::config),
                  fs::path(s + c.settings).u16string());
        EXPECT_EQ(path_to_write(u"data/highscore.dat", TUserFolder::data),
                  fs::path(s + c.highscores).u16string());
        // The shipped table is read until the user's own exists.
        EXPECT_EQ(path_to_read(u"data/highscore.dat", TUserFolder::data), u"data/highscore.dat");
        write_file(s + c.highscores, "Kopf\r\n");
        EXPECT_EQ(path_to_read(u"data/highscore.dat", TUserFolder::data),
                  fs::path(s + c.highscores).u16string());
        fs::remove(s + c.highscores);
    }
}

TEST(UserFiles, AReadOnlyGameFolderKeepsTheSettingsAndReadsTheHighscoresInTheUsersFolders) {
    std::string s = enter_scratch_folder();
    if (!make_data_folder_read_only()) GTEST_SKIP() << "this system does not let a test mount";
    set_user_environment((s + "/home").c_str(), nullptr, nullptr);
    const std::string settings = s + "/home/.config/zedoria/optionen.txt";
    testing::internal::CaptureStderr();
    start_game();
    // "Optionen", "Vollbildmodus:", "Übernehmen": saved safely in folders made for it.
    run_menu({[] { script_click(400, 240); },
              [] { script_click(400, 176); },
              [] { script_click(400, 240); },
              {}});
    EXPECT_EQ(read_file(settings), "0.800000012\r\n1\r\n");
    EXPECT_FALSE(fs::exists(settings + ".new"));
    EXPECT_FALSE(fs::exists("data/optionen.txt"));
    // F11 saves there too, and the next reading reads it.
    run_menu({[] { script_tap(KEY_F11); }, {}});
    EXPECT_EQ(read_file(settings), "0.800000012\r\n0\r\n");
    write_file(settings, "0.25\r\n0\r\n");
    read_settings(-1);
    EXPECT_EQ(sound_volume, 0.25f);
    // The shipped highscores until the user's own table exists.
    read_highscores();
    TString shipped = highscore_table[0][0];
    std::string own = "Kopf\r\nEigene,61\r\n";
    for (int i = 0; i < 9; ++i) own += "Andere,1\r\n";
    write_file(s + "/home/.local/share/zedoria/highscore.dat", own);
    read_highscores();
    EXPECT_EQ(highscore_table[0][0], u"Eigene");
    EXPECT_NE(shipped, u"Eigene");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
