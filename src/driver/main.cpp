// lwall: draws the reinforcement of an L-shaped retaining wall from PlenkL.dat and GasouL.dat in
// the current directory into Lwall.dxf and plenk.scr.

#include <cstdio>

#include "driver/run.hpp"

int main() { return lwall::run_in_directory(".", stdout); }
