#include "output/file.hpp"

#include <string>

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

}  // namespace lwall
