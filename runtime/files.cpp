// files.cpp -- text files line by line (Latin-1 bytes, CR LF on writing).
#include "runtime/files.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Opens path in mode; a stream whose handle stays null (open_error set) when that fails.
std::unique_ptr<TFileStream> open_stream(const TString& path, const char* mode) {
    auto stream = std::make_unique<TFileStream>();
    stream->handle = std::fopen(native_path(path).c_str(), mode);
    if (!stream->handle) {
        stream->open_error = errno ? errno : ENOENT;
        return stream;
    }
    std::fseek(stream->handle, 0, SEEK_END);
    long size = std::ftell(stream->handle);
    std::fseek(stream->handle, 0, SEEK_SET);
    stream->size = size > 0 ? int(size) : 0;
    return stream;
}

} // namespace

TFileStream::~TFileStream() {
    close_file(this);
}

std::unique_ptr<TFileStream> open_read_file(const TString& path) {
    return open_stream(path, "rb");
}

std::unique_ptr<TFileStream> open_write_file(const TString& path) {
    fs::path folder = fs::path(native_path(path)).parent_path();
    std::error_code folder_failed;
    if (!folder.empty()) fs::create_directories(folder, folder_failed);
    auto stream = open_stream(path, "wb");
    // A folder that could not be made is why the file could not be: name that reason.
    if (!stream->handle && folder_failed) stream->open_error = folder_failed.value();
    return stream;
}

void close_file(TFileStream* stream) {
    if (!stream || !stream->handle) return;
    std::fflush(stream->handle);
    std::fclose(stream->handle);
    stream->handle = nullptr;
    stream->position = 0;
    stream->size = 0;
}

TString read_line(TFileStream* stream) {
    TString line;
    if (!stream || !stream->handle) return line;
    int start = stream->position;
    for (int byte; (byte = std::fgetc(stream->handle)) != EOF;) {
        ++stream->position;
        if (byte == 0 || byte == '\n') break;
        if (byte != '\r') line += char16_t(byte);
    }
    if (stream->position != start) ++stream->lines;
    return line;
}

int write_line(TFileStream* stream, const TString& text) {
    if (!stream || !stream->handle) return 0;
    std::string bytes = string_to_latin1(text) + "\r\n";
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream->handle);
    stream->position += int(written);
    if (stream->position > stream->size) stream->size = stream->position;
    return written == bytes.size() ? 1 : 0;
}

int at_end(TFileStream* stream) {
    if (!stream || !stream->handle) return 1;
    return stream->position >= stream->size ? 1 : 0;
}

void report_short_file(const TFileStream* stream, const TString& path, int needed) {
    if (!stream->handle || stream->lines >= needed) return;
    std::fprintf(stderr, "zedoria: %s ends after %d of its %d lines\n", native_path(path).c_str(),
                 stream->lines, needed);
}
