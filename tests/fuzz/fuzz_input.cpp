#include "fuzz/fuzz_input.hpp"

#include <memory>

#include "driver/run.hpp"
#include "driver/run_failure.hpp"

namespace lwall::test {

namespace {

constexpr std::string_view kExampleLayers =
    "9\n7 1 0.50 D-STR\n2 1 0.35 D-STR-STR1\n3 1 0.25 D-STR-DIM\n4 1 0.25 D-STR-HTXT\n1 3 0.18 D-BMK\n"
    "7 1 0.70 D-TTL-FRAM\n7 1 0.50 D-MTR-FRAM\n7 1 0.25 D-MTR-TXT\n7 1 0.25 D-MTR-MTXT\n";

}  // namespace

FuzzOutcome run_fuzz_input(std::string_view bytes) {
    std::string_view wall = bytes;
    std::string_view layers = kExampleLayers;
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        wall = bytes.substr(0, nul);
        layers = bytes.substr(nul + 1);
    }
    const auto ctx = std::make_unique<RunContext>();
    FuzzOutcome out;
    try {
        run_sheet(*ctx, wall, layers);
    } catch (const RunFailure& f) {
        out.status = f.status;
    }
    out.dxf = ctx->canvas.dxf_out.contents();
    out.scr = ctx->canvas.scr_out.contents();
    return out;
}

}  // namespace lwall::test
