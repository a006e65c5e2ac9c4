// read_line_fuzz.cpp -- fuzzes read_line on files of any bytes, and its round trip with
// write_line.
//
// Each input is a text file. It is read line by line to its end; the lines must hold every byte
// except the line ends (LF, 0) and the dropped CRs, one character per byte, and reading on at the
// end must give empty lines. The lines are then written with write_line and read back unchanged.
#include <vector>

#include "fuzz/fuzz_files.h"
#include "runtime/files.h"

namespace {

// The lines of the file, read until at_end; checks what each line may hold.
std::vector<TString> read_all_lines(const TString& path, size_t size) {
    auto file = open_read_file(path);
    fuzz_check(file->handle != nullptr && size_t(file->size) == size, "the file opens whole");
    std::vector<TString> lines;
    while (!at_end(file.get())) {
        int before = file->position;
        lines.push_back(read_line(file.get()));
        fuzz_check(file->position > before, "every line consumes at least one byte");
        for (char16_t c : lines.back())
            fuzz_check(c != u'\r' && c != u'\n' && c != 0 && c <= 0xFF, "a line holds text bytes");
    }
    for (int again = 0; again < 3; ++again)
        fuzz_check(read_line(file.get()).empty(), "reading past the end gives empty lines");
    close_file(file.get());
    return lines;
}

// The bytes that must reach the lines: all but CR, LF and 0, in their order.
TString text_bytes(const std::uint8_t* data, size_t size) {
    TString text;
    for (size_t i = 0; i < size; ++i)
        if (data[i] != '\r' && data[i] != '\n' && data[i] != 0) text += char16_t(data[i]);
    return text;
}

size_t count_line_ends(const std::uint8_t* data, size_t size) {
    size_t ends = 0;
    for (size_t i = 0; i < size; ++i) ends += data[i] == '\n' || data[i] == 0;
    return ends;
}

void check_round_trip(const std::vector<TString>& lines) {
    TString path = write_fuzz_file("lines.txt", nullptr, 0);
    auto out = open_write_file(path);
    for (const TString& line : lines) fuzz_check(write_line(out.get(), line) == 1, "a line writes");
    close_file(out.get());
    auto in = open_read_file(path);
    for (const TString& line : lines)
        fuzz_check(read_line(in.get()) == line, "a written line reads back unchanged");
    fuzz_check(at_end(in.get()) == 1, "nothing follows the written lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::vector<TString> lines = read_all_lines(write_fuzz_file("input.txt", data, size), size);
    TString joined;
    for (const TString& line : lines) joined += line;
    fuzz_check(joined == text_bytes(data, size), "the lines hold every text byte in order");
    // Every line end starts a new line, and a last line without an end counts as one more.
    size_t ends = count_line_ends(data, size);
    bool open_last = size > 0 && data[size - 1] != '\n' && data[size - 1] != 0;
    fuzz_check(lines.size() == ends + (open_last ? 1 : 0), "one line per line end");
    check_round_trip(lines);
    return 0;
}
