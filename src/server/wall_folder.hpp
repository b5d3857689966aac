#pragma once
// The wall files in the folder lwall serve was started for. The names are the program's fixed file
// names; nothing a request says ever names a file.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace lwall {

enum class FolderRead { read, missing, too_large };

// Reads dir/name whole into `out`, when it is at most max_bytes long.
FolderRead read_folder_file(const std::filesystem::path& dir, std::string_view name, std::size_t max_bytes,
                            std::string& out);

// Replaces dir/name by `bytes` so that the file is always either the old one or the new one whole,
// also when the machine stops half way: the bytes go to a new file of their own in the same folder,
// which is flushed to the disk and closed, then renamed over the old one. On a failure the old file
// stays as it was and the temporary file is removed. Returns what went wrong, or "" when saved.
std::string replace_folder_file(const std::filesystem::path& dir, std::string_view name, std::string_view bytes);

}  // namespace lwall
