#include "output/file.hpp"

#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lwall {

File open_file(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::string narrow(mode);
    const std::wstring wide(narrow.begin(), narrow.end());
    return File(_wfopen(path.c_str(), wide.c_str()));
#else
    return File(std::fopen(path.c_str(), mode));
#endif
}

bool cut_file(std::FILE* f, long length) {
    if (std::fflush(f) != 0 || std::fseek(f, length, SEEK_SET) != 0) return false;
#ifdef _WIN32
    return _chsize_s(_fileno(f), length) == 0;
#else
    return ftruncate(fileno(f), length) == 0;
#endif
}

}  // namespace lwall
