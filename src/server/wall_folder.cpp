#include "server/wall_folder.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "core/sjis.hpp"
#include "output/file.hpp"
#include "server/request_guard.hpp"

namespace lwall {

namespace {

namespace fs = std::filesystem;

// Pushes what the system holds of the file out to the disk.
bool sync_to_disk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// Pushes the folder's entries (the renames) out to the disk. Windows has no such call for a
// folder; there every rename is written through instead (see rename_over).
void sync_folder(const fs::path& dir) {
#ifndef _WIN32
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)dir;
#endif
}

// Renames `from` over `to` in one step; false with errno set when it cannot.
bool rename_over(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
#else
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) errno = ec.value();
    return !ec;
#endif
}

// 64-bit FNV-1a, enough to tell one state of a file from another.
void fingerprint(std::uint64_t& h, std::string_view bytes) {
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
}

std::string hex(std::uint64_t v) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4) out[i] = kHex[v & 0xF];
    return out;
}

// The line (from 1) that holds byte `at` of `text`.
int line_of(std::string_view text, std::size_t at) {
    int line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) line += text[i] == '\n';
    return line;
}

FolderFile read_one(const fs::path& dir, std::string_view name) {
    FolderFile f;
    f.name = std::string(name);
    const fs::path path = dir / name;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory) {
            f.state = FileState::unreadable;
            f.problem = msg::file_unreadable(name, msg::system_reason(ec.value()));
        }
        return f;
    }
    if (fs::is_directory(status)) {
        f.state = FileState::unreadable;
        f.problem = msg::file_unreadable(name, msg::system_reason(EISDIR));
        return f;
    }
    f.size = fs::file_size(path, ec);
    if (!ec && f.size > kMaxFolderFile) {
        f.state = FileState::too_large;
        f.problem = msg::file_too_large(name, f.size, kMaxFolderFile);
        return f;
    }
    const File file = open_file(path, "rb");
    if (!file) {
        f.state = FileState::unreadable;
        f.problem = msg::file_unreadable(name, msg::system_reason(errno));
        return f;
    }
    char buf[1 << 14];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
        if (f.bytes.size() + n > kMaxFolderFile) {  // it grew while being read
            f.state = FileState::too_large;
            f.problem = msg::file_too_large(name, f.bytes.size() + n, kMaxFolderFile);
            f.bytes.clear();
            return f;
        }
        f.bytes.append(buf, n);
    }
    if (std::ferror(file.get())) {
        f.state = FileState::unreadable;
        f.problem = msg::file_unreadable(name, msg::system_reason(errno));
        f.bytes.clear();
        return f;
    }
    f.size = f.bytes.size();
    const std::size_t bad = first_non_sjis(f.bytes);
    if (bad != std::string::npos) {
        f.state = FileState::not_sjis;
        f.problem = msg::file_not_sjis(name, line_of(f.bytes, bad));
        f.bytes.clear();
        return f;
    }
    f.state = FileState::loaded;
    return f;
}

// Writes `bytes` to a new temporary file beside dir/name and flushes it to the disk; returns its
// path, or nothing with `failure` set (and no file left behind).
std::optional<fs::path> write_temporary(const fs::path& dir, const std::string& name, std::string_view bytes,
                                        Message& failure) {
    // A name no other writer picks: two saves at once each write their own file.
    const fs::path temporary = dir / ("." + name + "." + new_token() + ".tmp");
    File file = open_file(temporary, "wb");
    if (!file) {
        failure = msg::cant_create_temporary(name, msg::system_reason(errno));
        return std::nullopt;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                   std::fflush(file.get()) == 0 && sync_to_disk(file.get());
    int error = written ? 0 : errno;
    if (std::fclose(file.release()) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written) return temporary;
    failure = msg::cant_write_file(name, msg::system_reason(error));
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return std::nullopt;
}

// Puts back what dir/name held before a save: its old bytes, or no file where there was none.
bool restore(const fs::path& dir, const FolderFile& old) {
    std::error_code ec;
    if (old.state == FileState::missing) return fs::remove(dir / old.name, ec) && !ec;
    Message ignored;
    const std::optional<fs::path> temporary = write_temporary(dir, old.name, old.bytes, ignored);
    if (!temporary) return false;
    if (rename_over(*temporary, dir / old.name)) return true;
    fs::remove(*temporary, ec);
    return false;
}

}  // namespace

const FolderFile* FolderState::file(std::string_view name) const {
    for (const FolderFile& f : files) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

FolderState read_folder(const fs::path& dir, std::span<const std::string_view> names) {
    FolderState state;
    std::uint64_t h = 0xcbf29ce484222325ULL;
    bool all_known = true;
    for (const std::string_view name : names) {
        FolderFile f = read_one(dir, name);
        fingerprint(h, name);
        fingerprint(h, std::string_view("\0", 1));
        if (f.state == FileState::loaded) {
            fingerprint(h, std::to_string(f.bytes.size()));
            fingerprint(h, std::string_view("\0", 1));
            fingerprint(h, f.bytes);
        } else if (f.state == FileState::missing) {
            fingerprint(h, "missing");
        } else {
            all_known = false;
        }
        state.files.push_back(std::move(f));
    }
    if (all_known) state.version = hex(h);
    return state;
}

SaveOutcome replace_folder_files(const fs::path& dir, const std::vector<NewFile>& files, const FolderState& before,
                                 const BeforeRename& before_rename) {
    SaveOutcome out;
    std::vector<fs::path> temporaries;
    const auto remove_temporaries = [&](std::size_t from) {
        std::error_code ignored;
        for (std::size_t i = from; i < temporaries.size(); ++i) fs::remove(temporaries[i], ignored);
    };
    for (const NewFile& f : files) {
        const std::optional<fs::path> t = write_temporary(dir, f.name, f.bytes, out.failure);
        if (!t) {
            remove_temporaries(0);
            for (const NewFile& g : files) out.unchanged.push_back(g.name);
            return out;
        }
        temporaries.push_back(*t);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (before_rename) before_rename(files[i].name);
        if (rename_over(temporaries[i], dir / files[i].name)) continue;
        out.failure = msg::cant_replace(files[i].name, msg::system_reason(errno));
        remove_temporaries(i);
        // The files already replaced get their old bytes back; one that cannot stays new.
        for (std::size_t k = 0; k < i; ++k) {
            const FolderFile* old = before.file(files[k].name);
            if (old != nullptr && restore(dir, *old)) out.unchanged.push_back(files[k].name);
            else out.written.push_back(files[k].name);
        }
        for (std::size_t k = i; k < files.size(); ++k) out.unchanged.push_back(files[k].name);
        sync_folder(dir);
        return out;
    }
    sync_folder(dir);
    out.ok = true;
    for (const NewFile& f : files) out.written.push_back(f.name);
    return out;
}

}  // namespace lwall
