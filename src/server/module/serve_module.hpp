#pragma once
// What the program and the editor's module share, where the editor is a module of its own
// (lwall-serve.so beside the program: a build whose HTTP library brings TLS and compression, which
// a batch run must never load). The program loads it only for lwall serve and hands it the command.

#include <cstdio>

extern "C" {

// A module built for another program refuses to be used.
#define LWALL_SERVE_MODULE_VERSION 1
// The one symbol the program looks up in the module: a function returning its LwallServeModule.
#define LWALL_SERVE_MODULE_ENTRY "lwall_serve_module"

struct LwallServeModule {
    int version;  // LWALL_SERVE_MODULE_VERSION
    // lwall serve with its options (after "serve"); the console's language (1: English) and
    // encoding (1: UTF-8). Returns the exit status.
    int (*run)(int argc, const char* const* argv, std::FILE* console, std::FILE* errors, int english, int utf8);
};

typedef const LwallServeModule* (*LwallServeModuleEntry)(void);

}  // extern "C"
