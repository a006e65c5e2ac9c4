// safe_save.cpp -- writing a file beside the old one, syncing it and renaming it over the old one.
#include "runtime/safe_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

void (*safe_write_before_rename)() = nullptr;

static TString new_file_path(const TString& path) {
    return path + u".new";
}

// Makes the rename itself durable: the folder's entry list is synced too (best effort).
static void sync_folder(const std::string& file) {
    std::string folder = std::filesystem::path(file).parent_path().string();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Everything written reaches the disk, or the errno of the step that failed.
static int finish_new_file(TFileStream* stream) {
    std::FILE* file = stream->handle;
    int failed = std::ferror(file) ? EIO : 0; // a write_line that failed on the way
    if (!failed && std::fflush(file) != 0) failed = errno;
    if (!failed && ::fsync(::fileno(file)) != 0) failed = errno;
    if (std::fclose(file) != 0 && !failed) failed = errno;
    stream->handle = nullptr;
    return failed;
}

std::unique_ptr<TFileStream> open_safe_write_file(const TString& path) {
    return open_write_file(new_file_path(path));
}

int commit_safe_write(std::unique_ptr<TFileStream> stream, const TString& path) {
    if (!stream->handle) return stream->open_error; // nothing was created
    std::string target = native_path(path), written = native_path(new_file_path(path));
    int failed = finish_new_file(stream.get());
    if (!failed) {
        if (safe_write_before_rename) safe_write_before_rename();
        if (std::rename(written.c_str(), target.c_str()) != 0) failed = errno;
    }
    if (failed) {
        std::remove(written.c_str());
        return failed;
    }
    sync_folder(target);
    return 0;
}
