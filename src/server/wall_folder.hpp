#pragma once
// The wall files in the folder lwall serve was started for, read and replaced as one set. The names
// are the program's fixed file names; nothing a request says ever names a file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.hpp"

namespace lwall {

// The largest file the editor opens. The command line reads any size; a wall file is under 2 KB,
// so this is for files padded with notes or blank lines, and keeps the page's requests bounded.
inline constexpr std::size_t kMaxFolderFile = 1024 * 1024;

enum class FileState { missing, loaded, too_large, unreadable, not_sjis };

// One file of the set as the folder holds it.
struct FolderFile {
    std::string name;
    FileState state = FileState::missing;
    std::uintmax_t size = 0;  // bytes on the disk, when it is there
    std::string bytes;        // the file, when loaded
    Message problem;          // why it is not loaded (empty when loaded or missing)
};

struct FolderState {
    std::vector<FolderFile> files;  // in the order asked for
    // A fingerprint of every file of the set (its bytes, or that it is missing); none when a file is
    // there that the editor could not load, so that no save can go over it.
    std::optional<std::string> version;

    const FolderFile* file(std::string_view name) const;
};

// Reads the files `names` in `dir`: each whole when it is at most kMaxFolderFile bytes and Shift_JIS
// text (every byte part of a character of code page 932).
FolderState read_folder(const std::filesystem::path& dir, std::span<const std::string_view> names);

// A file to write, with the bytes it gets.
struct NewFile {
    std::string name;
    std::string bytes;
};

// What a save did: every file of the set either holds its new bytes (written) or its old ones
// (unchanged). `ok` when all were written; otherwise `failure` says why.
struct SaveOutcome {
    bool ok = false;
    std::vector<std::string> written;
    std::vector<std::string> unchanged;
    Message failure;
};

// Called before each file is renamed over the old one (a test makes a rename fail there).
using BeforeRename = std::function<void(const std::string& name)>;

// Replaces the files in `dir` as one set: every new file goes to a temporary file of its own in the
// same folder, flushed to the disk; only when all are written are they renamed over the old ones,
// and the folder is flushed after the renames (POSIX; on Windows each rename is written through).
// When a rename fails, the files already replaced get their old bytes (`before`, as read_folder read
// them) back the same way, or are removed where there was none; what could not be restored is
// reported as written. Temporary files never stay behind.
SaveOutcome replace_folder_files(const std::filesystem::path& dir, const std::vector<NewFile>& files,
                                 const FolderState& before, const BeforeRename& before_rename = {});

}  // namespace lwall
