// libFuzzer entry: arbitrary bytes as PlenkL.dat (and GasouL.dat after a NUL) through a whole run.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lwall::test::run_fuzz_input({reinterpret_cast<const char*>(data), size});
    return 0;
}
