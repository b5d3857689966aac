#pragma once
// An open file that closes itself, opened by its path on every system: on Windows through the
// wide-character call, so that a folder name in any script opens (the narrow call knows only the
// system's code page).

#include <cstdio>
#include <filesystem>
#include <memory>

namespace lwall {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// `mode` as std::fopen takes it ("rb", "wb"); an empty File when it cannot be opened.
File open_file(const std::filesystem::path& path, const char* mode);

// Cuts an open file that is being written back to its first `length` bytes, to be written on from
// there; false when the system refuses.
bool cut_file(std::FILE* f, long length);

}  // namespace lwall
