#include "cli/message_box.hpp"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lwall {

void show_message_box(std::string_view caption, std::string_view text) {
#ifdef _WIN32
    const std::string c(caption);
    const std::string t(text);
    MessageBoxA(nullptr, t.c_str(), c.c_str(), MB_OK);
#else
    std::string line(caption);
    line += ": ";
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
#endif
}

}  // namespace lwall
