// lwall: draws the reinforcement of an L-shaped retaining wall from PlenkL.dat and GasouL.dat in
// the current directory into Lwall.dxf and plenk.scr; `lwall serve` opens the editor instead. The
// entry stands above both doors and hands the command line the editor's, where the build has it.

#include <cstdio>

#include "cli/command_line.hpp"
#ifdef LWALL_EDITOR
#include "server/serve_command.hpp"
#endif

int main(int argc, char** argv) {
#ifdef LWALL_EDITOR
    const lwall::ServeDoor serve{lwall::run_serve_command, ""};
#else
    const lwall::ServeDoor serve{nullptr, LWALL_EDITOR_MISSING};
#endif
    return lwall::run_command_line(argc, argv, stdout, stderr, serve);
}
