#pragma once
// One whole in-memory run on bytes from the fuzzer: "<PlenkL.dat>\0<GasouL.dat>", or without a NUL
// the wall file alone with the example layers.

#include <string>
#include <string_view>

namespace lwall::test {

struct FuzzOutcome {
    int status = 0;
    std::string dxf;
    std::string scr;
};

// Runs the sheet; only the specified failures (RunFailure) end it early, anything else escapes.
FuzzOutcome run_fuzz_input(std::string_view bytes);

}  // namespace lwall::test
