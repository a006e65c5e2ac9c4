// fuzz_files.cpp -- the fuzzers' scratch folder, their input files and their property check.
#include "fuzz/fuzz_files.h"

#include <fcntl.h>
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folder and its data/ subfolder, made once per process and removed when it ends.
struct TFuzzFolder {
    fs::path path;
    TFuzzFolder() {
        std::error_code failed;
        fs::path base =
            fs::is_directory("/dev/shm", failed) ? "/dev/shm" : fs::temp_directory_path();
        std::string pattern = (base / "zedoria-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("zedoria fuzz: cannot make a scratch folder");
            std::abort();
        }
        path = pattern;
        fs::create_directories(path / "data");
    }
    ~TFuzzFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& fuzz_folder() {
    static TFuzzFolder folder;
    return folder.path;
}

} // namespace

TString write_fuzz_file(const std::string& name, const std::uint8_t* data, size_t size) {
    fs::path path = fuzz_folder() / name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    fuzz_check(file != nullptr, "the input file can be written");
    fuzz_check(size == 0 || std::fwrite(data, 1, size, file) == size, "the whole input is written");
    std::fclose(file);
    return latin1_to_string(path.string());
}

TInFuzzFolder::TInFuzzFolder() : previous_folder(open(".", O_RDONLY | O_DIRECTORY)) {
    fuzz_check(chdir(fuzz_folder().c_str()) == 0, "the fuzz folder can be entered");
}

TInFuzzFolder::~TInFuzzFolder() {
    if (previous_folder < 0) return;
    if (fchdir(previous_folder) != 0)
        std::perror("zedoria fuzz: cannot return to the start folder");
    close(previous_folder);
}

void fuzz_check(bool holds, const char* what) {
    if (holds) return;
    // Through the sanitizers' report channel, which stays open when libFuzzer closes stderr.
    std::string summary = std::string("zedoria fuzz: property broken: ") + what;
    __sanitizer_report_error_summary(summary.c_str());
    std::abort();
}
