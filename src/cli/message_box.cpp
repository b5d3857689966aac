#include "cli/message_box.hpp"

#include <string>

#include "core/sjis.hpp"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace lwall {

bool is_interactive_console(std::FILE* out) {
    if (out != stdout) return false;
#ifdef _WIN32
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

void show_message_box(std::string_view caption, std::string_view text, bool interactive, std::FILE* errors,
                      const ConsoleStyle& style) {
#ifdef _WIN32
    if (interactive) {
        const std::string c = utf8_to_sjis_marked(caption);
        const std::string t = utf8_to_sjis_marked(text);
        MessageBoxA(nullptr, t.c_str(), c.c_str(), MB_OK);
        return;
    }
#else
    (void)interactive;
#endif
    std::string line(caption);
    line += ": ";
    line += text;
    line += '\n';
    line = console_text(line, style);
    std::fwrite(line.data(), 1, line.size(), errors);
    std::fflush(errors);
}

}  // namespace lwall
