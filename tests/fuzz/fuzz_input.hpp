#pragma once
// One whole in-memory run on bytes from the fuzzer. Three forms:
// - "<PlenkL.dat>": the wall file as text, with the example layers;
// - "<PlenkL.dat>\0<GasouL.dat>": both files as text;
// - "<PlenkL.dat>\0<GasouL.dat>\0<SekkeiL.dat>": with the design conditions, whose checks are
//   also written out (spreadsheet, JSON, report pages);
// - "\x01<bytes>": a well-formed wall file whose 165 values are made from the bytes, two each, in
//   ranges around real walls, so that the fuzzer reaches the drawings rather than the reader.

#include <string>
#include <string_view>

namespace lwall::test {

struct FuzzOutcome {
    int status = 0;
    std::string dxf;
    std::string scr;
};

// The wall file that "\x01<bytes>" stands for.
std::string structured_wall(std::string_view bytes);

// Runs the sheet; only the specified failures (RunFailure) end it early, anything else escapes.
FuzzOutcome run_fuzz_input(std::string_view bytes);

}  // namespace lwall::test
