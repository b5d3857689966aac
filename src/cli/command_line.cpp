#include "cli/command_line.hpp"

#include <string>
#include <string_view>

#include "cli/directory_run.hpp"
#include "core/run_failure.hpp"

#ifndef LWALL_VERSION
#define LWALL_VERSION "unknown"
#endif

namespace lwall {

namespace {

constexpr std::string_view kUsage =
    "usage: lwall [--svg] [--csv] [--pdf] | --check | --explain | --help | --version | serve [--port N] [--host ADDR] [--dir DIR] [--open]";

constexpr std::string_view kHelp =
    "Draws the reinforcement of the L-shaped retaining wall described by PlenkL.dat (dimensions,\n"
    "covers, bar spacings) and GasouL.dat (layers) in the current folder into Lwall.dxf (the sheet)\n"
    "and plenk.scr (its dimensions as a CAD command script).\n"
    "\n"
    "  --svg      also write Lwall.svg, a picture of the sheet\n"
    "  --csv      also write Lwall.csv: bending schedule, bar masses and material quantities\n"
    "  --pdf      also write Lwall.pdf: one A1 page per sheet frame at its true scale, in black, for plotting\n"
    "  --check    check PlenkL.dat as a checking engineer would and print every finding; writes no file\n"
    "  --explain  print PlenkL.dat as lwall reads it: every field with its line, name, value, unit and\n"
    "             label; on a refused file, the fields read up to the refusal, then the refusal\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "\n"
    "lwall serve [--port N] [--host ADDR] [--dir DIR] [--open] opens the editor at http://127.0.0.1:8750/\n"
    "(every field named, the sheet redrawn as you type, the checks beside their fields, a true-scale\n"
    "print); it saves to DIR (the current folder) and serves until interrupted. --open opens the browser\n"
    "on it. --host is the only way to let other machines reach it.\n"
    "\n"
    "Exit status: 0 drawn (with --check: nothing found); 1 Lwall.dxf cannot be written, or the wall is\n"
    "wider than 2500 or higher than 3000; 2 plenk.scr cannot be written; 3 PlenkL.dat or 4 GasouL.dat\n"
    "cannot be opened; 5 a footing bar longer than the maximum member length; 6 input refused;\n"
    "7 --check found something; 8 unknown option; 9 Lwall.svg, Lwall.csv or Lwall.pdf cannot be written;\n"
    "10 lwall serve cannot listen on its port; 11 --pdf where no PDF can be made (no PDF writer in this\n"
    "build, as on Windows, or no Japanese font).\n";

void print(std::FILE* out, std::string_view text) { std::fwrite(text.data(), 1, text.size(), out); }

}  // namespace

int run_command_line(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
                     const ServeDoor& serve) {
    if (argc > 1 && std::string_view(argv[1]) == "serve") {
        if (serve.run != nullptr) return serve.run(argc - 2, argv + 2, console, errors);
        print(console, "lwall: serve is not in this build of lwall: " + std::string(serve.missing) + "\n");
        return kExitUsage;
    }
    RunOptions options;
    bool check = false;
    bool explain = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            print(console, std::string(kUsage) + "\n\n" + std::string(kHelp));
            return kExitOk;
        }
        if (arg == "--version") {
            print(console, "lwall " LWALL_VERSION "\n");
            return kExitOk;
        }
        if (arg == "--check") check = true;
        else if (arg == "--explain") explain = true;
        else if (arg == "--svg") options.svg = true;
        else if (arg == "--csv") options.csv = true;
        else if (arg == "--pdf") options.pdf = true;
        else {
            print(console, "lwall: unknown option " + std::string(arg) + "; " + std::string(kUsage) + "\n");
            return kExitUsage;
        }
    }
    if ((check || explain) && (options.svg || options.csv || options.pdf || (check && explain))) {
        const std::string option = check ? "--check" : "--explain";
        print(console, "lwall: " + option + " writes no file and takes no other option; " + std::string(kUsage) + "\n");
        return kExitUsage;
    }
    if (check) return check_in_directory(".", console);
    if (explain) return explain_in_directory(".", console);
    return run_in_directory(".", options, console, errors);
}

}  // namespace lwall
