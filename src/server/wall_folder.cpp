#include "server/wall_folder.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "output/file.hpp"
#include "server/request_guard.hpp"

namespace lwall {

namespace {

File open(const std::filesystem::path& path, bool write) { return open_file(path, write ? "wb" : "rb"); }

// Pushes what the system holds of the file out to the disk.
bool sync_to_disk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

std::string reason() { return std::generic_category().message(errno); }

}  // namespace

FolderRead read_folder_file(const std::filesystem::path& dir, std::string_view name, std::size_t max_bytes,
                            std::string& out) {
    const File file = open(dir / name, false);
    if (!file) return FolderRead::missing;
    out.clear();
    char buf[1 << 14];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
        if (out.size() + n > max_bytes) return FolderRead::too_large;
        out.append(buf, n);
    }
    return FolderRead::read;
}

std::string replace_folder_file(const std::filesystem::path& dir, std::string_view name, std::string_view bytes) {
    const std::filesystem::path target = dir / name;
    // A name no other writer picks: two saves at once each write their own file, the last rename wins.
    const std::filesystem::path temporary = dir / ("." + std::string(name) + "." + new_token() + ".tmp");
    std::string failure;
    {
        File file = open(temporary, true);
        if (!file) return "can't create a temporary file beside " + std::string(name) + ": " + reason();
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                             std::fflush(file.get()) == 0 && sync_to_disk(file.get());
        if (!written) failure = "can't write " + std::string(name) + ": " + reason();
        if (std::fclose(file.release()) != 0 && failure.empty()) failure = "can't write " + std::string(name) + ": " + reason();
    }
    if (failure.empty()) {
        std::error_code ec;
        std::filesystem::rename(temporary, target, ec);
        if (!ec) return "";
        failure = "can't replace " + std::string(name) + ": " + ec.message();
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return failure;
}

}  // namespace lwall
