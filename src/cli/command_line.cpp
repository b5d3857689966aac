#include "cli/command_line.hpp"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/directory_run.hpp"
#include "core/run_failure.hpp"

#ifndef LWALL_VERSION
#define LWALL_VERSION "unknown"
#endif

namespace lwall {

namespace {

int print(std::FILE* out, const ConsoleStyle& style, const Message& m, int status) {
    print_console_line(out, style, m.in(style.lang));
    return status;
}

}  // namespace

ConsoleStyle console_style_from_environment() {
    ConsoleStyle style;
    style.lang = lang_from_locale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
#ifdef _WIN32
    style.utf8 = false;  // a Japanese Windows console speaks code page 932
#else
    style.utf8 = locale_is_utf8(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
#endif
    return style;
}

int run_command_line(int argc, const char* const* argv, std::FILE* console, std::FILE* errors, ConsoleStyle style,
                     const ServeDoor& serve) {
    // --lang L (or --lang=L) anywhere: taken out before the other options are read.
    std::vector<const char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string_view> value;
        if (arg == "--lang") value = i + 1 < argc ? std::string_view(argv[++i]) : std::string_view();
        else if (arg.starts_with("--lang=")) value = arg.substr(7);
        if (!value) {
            args.push_back(argv[i]);
            continue;
        }
        const std::optional<Lang> lang = parse_lang(*value);
        if (!lang) return print(console, style, msg::lang_value(*value), kExitUsage);
        style.lang = *lang;
    }
    const int n = static_cast<int>(args.size());
    if (n > 1 && std::string_view(args[1]) == "serve") {
        if (serve.run != nullptr) return serve.run(n - 2, args.data() + 2, console, errors, style);
        return print(console, style, msg::serve_not_built(serve.missing), kExitUsage);
    }
    RunOptions options;
    bool check = false;
    bool explain = false;
    bool report = false;
    for (int i = 1; i < n; ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            const Message usage = msg::usage();
            print_console_text(console, style, usage.in(style.lang) + "\n\n" + msg::help().in(style.lang));
            return kExitOk;
        }
        if (arg == "--version") return print(console, style, same_text("lwall " LWALL_VERSION), kExitOk);
        if (arg == "--check") check = true;
        else if (arg == "--explain") explain = true;
        else if (arg == "--report") report = true;
        else if (arg == "--svg") options.svg = true;
        else if (arg == "--csv") options.csv = true;
        else if (arg == "--pdf") options.pdf = true;
        else if (arg == "--sfc") options.sfc = true;
        else return print(console, style, msg::unknown_option(arg), kExitUsage);
    }
    const int alone = int(check) + int(explain) + int(report);
    if (alone > 0 && (options.svg || options.csv || options.pdf || options.sfc || alone > 1)) {
        return print(console, style, msg::option_alone(check ? "--check" : explain ? "--explain" : "--report"), kExitUsage);
    }
    if (report) return report_in_directory(".", console, errors, style);
    if (check) return check_in_directory(".", console, style);
    if (explain) return explain_in_directory(".", console, style);
    return run_in_directory(".", options, console, errors, style);
}

}  // namespace lwall
