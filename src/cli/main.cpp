// lwall: draws the reinforcement of an L-shaped retaining wall from PlenkL.dat and GasouL.dat in
// the current directory into Lwall.dxf and plenk.scr.

#include <cstdio>

#include "cli/command_line.hpp"

int main(int argc, char** argv) { return lwall::run_command_line(argc, argv, stdout, stderr); }
