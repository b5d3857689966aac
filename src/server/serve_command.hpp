#pragma once
// lwall serve [--port N] [--host ADDR] [--dir DIR] [--open]: the editor, served until SIGINT or
// SIGTERM (Ctrl+C, Ctrl+Break or closing the console on Windows); --open opens the browser on it.

#include <cstdio>

#include "core/messages.hpp"

namespace lwall {

// Prints the page's address ("lwall: serving http://HOST:PORT/") on `console` once it listens,
// serves until interrupted and returns 0. A port it cannot listen on: one line and status 10; a bad
// option: status 8. An address beyond this machine (--host) is warned about on `errors` first.
int run_serve_command(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
                      const ConsoleStyle& style);

}  // namespace lwall
