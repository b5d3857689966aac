#include "server/open_browser.hpp"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;
#endif

namespace lwall {

Message open_browser(const std::string& url) {
#ifdef _WIN32
    // The address is ASCII: it is made of the host, the port and a slash.
    const std::wstring wide(url.begin(), url.end());
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? Message() : msg::no_browser_program();
#else
    // xdg-open with the address as its one argument; its output would mix with the server's.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open";
    std::string address = url;
    char* args[] = {program.data(), address.data(), nullptr};
    pid_t child = 0;
    const int failed = posix_spawnp(&child, "xdg-open", &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return msg::cant_run_opener("xdg-open", msg::system_reason(failed));
    // Reaped when it ends, so that no finished child lingers while the editor serves.
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return {};
#endif
}

}  // namespace lwall
