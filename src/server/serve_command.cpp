#include "server/serve_command.hpp"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

#include "core/run_failure.hpp"
#include "server/editor_server.hpp"
#include "server/open_browser.hpp"
#include "server/request_guard.hpp"

namespace lwall {

namespace {

// Set by the signal handler, which may touch nothing else; a watcher thread acts on it. This is the
// one piece of process-wide state of the editor: a signal is sent to the process, not to a run.
std::atomic<bool> stop_signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void on_stop_signal(int) { stop_signalled.store(true); }

#ifdef _WIN32
// Ctrl+C, Ctrl+Break and closing the console window stop the editor as SIGINT does elsewhere.
BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    stop_signalled.store(true);
    return TRUE;
}
#endif

// A folder named on the command line: the arguments arrive as UTF-8 on every system.
std::filesystem::path folder_path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A folder's name as messages show it (UTF-8).
std::string shown(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

int print_line(std::FILE* console, const ConsoleStyle& style, const Message& m, int status) {
    const std::string line = console_text(m.in(style.lang) + "\n", style);
    std::fwrite(line.data(), 1, line.size(), console);
    std::fflush(console);
    return status;
}

}  // namespace

int run_serve_command(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
                      const ConsoleStyle& style) {
    EditorSettings settings;
    bool open = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--open") {
            open = true;
            continue;
        }
        if (option != "--port" && option != "--host" && option != "--dir") {
            return print_line(console, style, msg::serve_unknown_option(option), kExitUsage);
        }
        if (i + 1 == argc) return print_line(console, style, msg::serve_needs_value(option), kExitUsage);
        const std::string_view value = argv[++i];
        if (option == "--port") {
            int port = -1;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (error != std::errc() || end != value.data() + value.size() || port < 0 || port > 65535) {
                return print_line(console, style, msg::serve_port_range(value), kExitUsage);
            }
            settings.port = port;
        } else if (option == "--host") {
            settings.host = value;
        } else {
            settings.dir = folder_path(value);
        }
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(settings.dir, ec)) {
        return print_line(console, style, msg::serve_not_a_folder(shown(settings.dir)), kExitUsage);
    }
    // The folder as the page names it: "/home/a/擁壁A", not "/home/a/擁壁A/." for the current one.
    settings.dir = std::filesystem::absolute(settings.dir, ec).lexically_normal();
    if (!settings.dir.has_filename() && settings.dir.has_relative_path()) settings.dir = settings.dir.parent_path();

#ifdef __GLIBC__
    // A preview of a large wall passes strings of megabytes (the picture, the answer); with glibc's
    // sliding threshold each of the server's threads would keep such blocks in a heap of its own.
    // Handed straight back to the system, and the rest shared by two heaps, the server's memory
    // stays flat however long it runs and however many of its threads have served.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_ARENA_MAX, 2);
#endif
    EditorServer server(settings);
    if (!server.bind()) {
        return print_line(console, style,
                          msg::serve_cant_listen(url_host(settings.host) + ":" + std::to_string(settings.port)),
                          kExitListen);
    }
    stop_signalled.store(false);
    const auto old_int = std::signal(SIGINT, on_stop_signal);
    const auto old_term = std::signal(SIGTERM, on_stop_signal);
#ifdef _WIN32
    SetConsoleCtrlHandler(on_console_event, TRUE);
#endif
    if (!is_loopback_host(settings.host)) {
        print_line(errors, style, msg::serve_open_to_network(settings.host, shown(settings.dir)), kExitOk);
    }
    print_line(console, style, msg::serving(server.url()), kExitOk);
    if (open) {
        const Message why = open_browser(server.url());
        if (!why.empty()) print_line(errors, style, msg::serve_cant_open_browser(why), kExitOk);
    }

    std::atomic<bool> done{false};
    std::thread watcher([&] {
        // A stop that comes before the server runs is repeated until it takes.
        while (!done.load()) {
            if (stop_signalled.load()) server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const bool served = server.run();
    done.store(true);
    watcher.join();
    std::signal(SIGINT, old_int);
    std::signal(SIGTERM, old_term);
#ifdef _WIN32
    SetConsoleCtrlHandler(on_console_event, FALSE);
#endif
    if (!served && !stop_signalled.load()) {
        return print_line(console, style, msg::serve_stopped(server.url()), kExitListen);
    }
    return kExitOk;
}

}  // namespace lwall
