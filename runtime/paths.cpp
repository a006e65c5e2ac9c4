// paths.cpp -- the game folder (beside the program or installed under share/) and the user's own
// copies of the files the game writes.
#include "runtime/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// The installed game folder as seen from the program's folder (bin/ to share/zedoria/).
#ifndef ZEDORIA_SHARE_FROM_BIN
#define ZEDORIA_SHARE_FROM_BIN "../share/zedoria"
#endif

namespace {

bool installed = false; // the game folder is the installed share/zedoria/, never written to

// The user's home folder: $HOME, else the password database's; empty when there is none.
fs::path home_folder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir && *user->pw_dir ? user->pw_dir : "";
}

// The folder of that kind for this game: the XDG variable when it holds an absolute path (the
// base directory rules ignore relative ones), else its default under the home folder.
fs::path user_folder(TUserFolder folder) {
    static const struct {
        const char* variable;
        const char* under_home;
    } bases[] = {
        {"XDG_CONFIG_HOME", ".config"},    // TUserFolder::config
        {"XDG_DATA_HOME", ".local/share"}, // TUserFolder::data
    };
    const auto& base = bases[int(folder)];
    const char* set = std::getenv(base.variable);
    if (set && fs::path(set).is_absolute()) return fs::path(set) / "zedoria";
    fs::path home = home_folder();
    return home.empty() ? fs::path() : home / base.under_home / "zedoria";
}

// Whether a file can be created at `file`: its folder, or the nearest folder above it that exists
// (the writing creates the missing ones), may be written to.
bool folder_writable(const fs::path& file) {
    fs::path folder = fs::absolute(file).parent_path();
    std::error_code ignored;
    while (!fs::exists(folder, ignored) && folder.has_relative_path())
        folder = folder.parent_path();
    return ::access(folder.c_str(), W_OK) == 0;
}

bool kept_in_game_folder(const fs::path& file) {
    return !installed && folder_writable(file);
}

// The user's copy of the game folder's `file` (same name); empty without a home folder.
fs::path user_copy(const fs::path& file, TUserFolder folder) {
    fs::path user = user_folder(folder);
    return user.empty() ? user : user / file.filename();
}

} // namespace

void enter_program_folder() {
    std::error_code failed; // stays in the starting folder when the program's own is unknown
    fs::path program = fs::canonical("/proc/self/exe", failed);
    if (failed) return;
    fs::path folder = program.parent_path(), shared = folder / ZEDORIA_SHARE_FROM_BIN;
    installed = !fs::is_directory(folder / "gfx", failed) && fs::is_directory(shared, failed);
    fs::current_path(installed ? shared : folder, failed);
}

TString path_to_read(const TString& path, TUserFolder folder) {
    fs::path file = native_path(path);
    if (kept_in_game_folder(file)) return path;
    fs::path user = user_copy(file, folder);
    std::error_code ignored;
    return !user.empty() && fs::exists(user, ignored) ? user.u16string() : path;
}

TString path_to_write(const TString& path, TUserFolder folder) {
    fs::path file = native_path(path);
    if (kept_in_game_folder(file)) return path;
    fs::path user = user_copy(file, folder);
    return user.empty() ? path : user.u16string();
}
