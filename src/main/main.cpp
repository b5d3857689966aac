// lwall: draws the reinforcement of an L-shaped retaining wall from PlenkL.dat and GasouL.dat in
// the current directory into Lwall.dxf and plenk.scr; `lwall serve` opens the editor instead. The
// entry stands above both doors and hands the command line the editor's, where the build has it.

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include "cli/command_line.hpp"
#ifdef LWALL_EDITOR
#include "server/serve_command.hpp"
#endif
#ifdef LWALL_EDITOR_MODULE_NAME
#include <dlfcn.h>

#include "cli/directory_run.hpp"
#include "core/program_path.hpp"
#include "core/run_failure.hpp"
#include "server/module/serve_module.hpp"
#endif

namespace {

#ifdef LWALL_EDITOR_MODULE_NAME
// lwall serve through the editor's module beside the program, loaded only now: a batch run never
// loads it, nor the TLS and compression libraries its HTTP library brings. One line and status 8
// where it cannot be loaded.
int serve_from_module(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
                      const lwall::ConsoleStyle& style) {
    const auto refuse = [&](const lwall::Message& m) {
        lwall::print_console_line(console, style, m.in(style.lang));
        return static_cast<int>(lwall::kExitUsage);
    };
    const std::filesystem::path path = lwall::beside_program(LWALL_EDITOR_MODULE_NAME);
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        return refuse(lwall::msg::serve_module_not_loaded(why != nullptr ? why : path.string()));
    }
    const auto entry = reinterpret_cast<LwallServeModuleEntry>(dlsym(library, LWALL_SERVE_MODULE_ENTRY));
    const LwallServeModule* module = entry != nullptr ? entry() : nullptr;
    if (module == nullptr || module->version != LWALL_SERVE_MODULE_VERSION) {
        return refuse(lwall::msg::serve_module_of_another_build(path.string()));
    }
    // The module stays loaded until the process ends.
    return module->run(argc, argv, console, errors, style.lang == lwall::Lang::en, style.utf8);
}
#endif

// The arguments as UTF-8, as the doors take them (a folder name of `serve --dir`). Windows hands a
// program its command line in UTF-16 and the narrow argv only in the system's code page, which
// cannot hold every folder name; elsewhere the arguments are the bytes the system passes.
std::vector<std::string> utf8_arguments(int argc, char** argv) {
    std::vector<std::string> out;
#ifdef _WIN32
    int n = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
            if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
            out.push_back(std::move(arg));
        }
        LocalFree(wide);
        return out;
    }
#endif
    for (int i = 0; i < argc; ++i) out.emplace_back(argv[i]);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(LWALL_EDITOR)
    const lwall::ServeDoor serve{lwall::run_serve_command, ""};
#elif defined(LWALL_EDITOR_MODULE_NAME)
    const lwall::ServeDoor serve{serve_from_module, ""};
#else
    const lwall::ServeDoor serve{nullptr, LWALL_EDITOR_MISSING};
#endif
    const std::vector<std::string> args = utf8_arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& a : args) pointers.push_back(a.c_str());
    return lwall::run_command_line(static_cast<int>(pointers.size()), pointers.data(), stdout, stderr,
                                   lwall::console_style_from_environment(), serve);
}
