// files.h -- text files read and written line by line.
//
// A file that cannot be opened still gives a stream: reading it reads as an empty file and
// writing to it writes nothing, so the game's unconditional reads and writes never crash. The
// runtime says nothing about such a file: a loader that wants to report it tests `handle` and
// names `open_error` (std::strerror) in its own message.
#pragma once

#include <cstdio>
#include <memory>

#include "runtime/strings.h"

struct TFileStream {
    std::FILE* handle = nullptr; // null when the file could not be opened
    int position = 0;            // bytes from the start
    int size = 0;                // the file's size when opened, extended by writes past it
    int open_error = 0;          // errno of a failed open (ENOENT: no such file); 0 when open
    int lines = 0;               // lines read so far (a last line without LF counts)
    ~TFileStream();
};

std::unique_ptr<TFileStream> open_read_file(const TString& path);  // handle null when unreadable
std::unique_ptr<TFileStream> open_write_file(const TString& path); // creates missing folders
void close_file(TFileStream* stream);   // flushes and closes; a second close does nothing
TString read_line(TFileStream* stream); // up to LF, 0 byte or end; CR dropped; "" at end
int write_line(TFileStream* stream, const TString& text); // low bytes + CR LF; 1 if all written
int at_end(TFileStream* stream);                          // 1 when position = size (or no file)
// Says once on standard error that the file at `path` ended before the `needed` lines its reader
// asks for (the rest read as empty); says nothing for a file that could not be opened, which its
// reader reports itself.
void report_short_file(const TFileStream* stream, const TString& path, int needed);
