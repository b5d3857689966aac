// The editor as a module, lwall-serve.so: lwall serve, for a program whose HTTP library is Debian's
// compiled one. Only this entry is seen from outside.

#include "server/module/serve_module.hpp"

#include "server/serve_command.hpp"

namespace {

int run(int argc, const char* const* argv, std::FILE* console, std::FILE* errors, int english, int utf8) {
    lwall::ConsoleStyle style;
    style.lang = english != 0 ? lwall::Lang::en : lwall::Lang::ja;
    style.utf8 = utf8 != 0;
    return lwall::run_serve_command(argc, argv, console, errors, style);
}

constexpr LwallServeModule kModule = {LWALL_SERVE_MODULE_VERSION, run};

}  // namespace

extern "C" __attribute__((visibility("default"))) const LwallServeModule* lwall_serve_module(void) { return &kModule; }
