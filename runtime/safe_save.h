// safe_save.h -- replacing a file safely: the new content goes into a file beside the old one,
// which is synced to the disk and then renamed over it, so that a crash or a full disk never
// leaves a truncated or empty file behind; the old file stays until the new one is complete.
//
// The settings view saves "data/optionen.txt" this way: open_safe_write_file, write_line for
// each line, then commit_safe_write.
#pragma once

#include <memory>

#include "runtime/files.h"

// Opens path + ".new" for writing (creating missing folders); write to it with write_line.
std::unique_ptr<TFileStream> open_safe_write_file(const TString& path);
// Flushes, syncs and closes the new file and renames it over path. Returns 0 on success, else
// the errno of the step that failed; the new file is then removed and the old one is untouched.
int commit_safe_write(std::unique_ptr<TFileStream> stream, const TString& path);

// Called between the sync and the rename; null in the game. Only tests set it, throwing from it
// to stand for a crash at the one moment when both files exist.
extern void (*safe_write_before_rename)();
