// Every input the fuzzer once broke the program with, run again: each must end in a specified
// status, and no number in either file may be nan or inf.

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/fuzz_input.hpp"
#include "test_support.hpp"

namespace lwall::test {
namespace {

TEST(FuzzRegressions, EveryKeptInputRunsToASpecifiedEnd) {
    const std::filesystem::path dir = std::filesystem::path(LWALL_SOURCE_DIR) / "tests/fuzz/regressions";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const FuzzOutcome o = run_fuzz_input(read_file(entry.path().string()));
        EXPECT_GE(o.status, 0);
        EXPECT_LE(o.status, 6);
        EXPECT_FALSE(has_non_finite_number(o.dxf));
        EXPECT_FALSE(has_non_finite_number(o.scr));
    }
}

}  // namespace
}  // namespace lwall::test
