// paths.h -- where the game's files are: the game folder with the shipped pictures and data, and
// the user's own folders for the files the game writes once it is installed.
//
// main() calls enter_program_folder first: the game folder becomes the working folder, so that
// "gfx/..." and "data/..." resolve in it. Run from the build folder, the game folder is the
// program's own folder and the game reads and writes its files there, as it always did. Installed
// (bin/zedoria with share/zedoria/ beside bin/), or wherever its data folder is not writable, the
// files it writes are the user's own: the shell asks here for the path to read and the path to
// write each of them, and reads the shipped file until the user's own copy exists.
#pragma once

#include "runtime/strings.h"

// The user's folders for the game's own files (the XDG base directories, each with "zedoria").
enum class TUserFolder {
    config, // $XDG_CONFIG_HOME/zedoria, else ~/.config/zedoria: the settings
    data,   // $XDG_DATA_HOME/zedoria, else ~/.local/share/zedoria: kept results (the highscores)
};

// Makes the game folder the working folder: the program's own folder when it holds gfx/ (the
// build folder), else the installed share/zedoria/ beside the program's bin/ folder.
void enter_program_folder();
// The file to read `path` (relative to the game folder, e.g. "data/highscore.dat") from: `path`
// itself where the game keeps its files in the game folder; else the user's copy in `folder`
// once it exists, and the shipped file until then.
TString path_to_read(const TString& path, TUserFolder folder);
// The file to write `path` to: `path` itself where the game keeps its files in the game folder
// (not installed, and the path's folder writable); else the user's copy in `folder` (its folders
// are created by the writing). `path` itself when the user has no home folder either.
TString path_to_write(const TString& path, TUserFolder folder);
