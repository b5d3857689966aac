#include "fuzz/fuzz_input.hpp"

#include <stdexcept>

#include "core/run_failure.hpp"
#include "design/calc_report.hpp"
#include "design/design_text.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall::test {

namespace {

constexpr std::string_view kExampleLayers =
    "9\n7 1 0.50 D-STR\n2 1 0.35 D-STR-STR1\n3 1 0.25 D-STR-DIM\n4 1 0.25 D-STR-HTXT\n1 3 0.18 D-BMK\n"
    "7 1 0.70 D-TTL-FRAM\n7 1 0.50 D-MTR-FRAM\n7 1 0.25 D-MTR-TXT\n7 1 0.25 D-MTR-MTXT\n";

// Reads the fuzzer's bytes two at a time, zero once they run out.
class ByteSource {
public:
    explicit ByteSource(std::string_view b) : b_(b) {}
    unsigned next() {
        unsigned v = 0;
        for (int k = 0; k < 2; ++k) v = (v << 8) | (pos_ < b_.size() ? static_cast<unsigned char>(b_[pos_++]) : 0u);
        return v;
    }

private:
    std::string_view b_;
    std::size_t pos_ = 0;
};

// A length between lo and hi, now and then one of the edge values.
std::string length(unsigned v, int lo, int hi) {
    static const char* kSpecial[] = {"0", "-100", "1e6", "0.5", "2500", "3000", "100000"};
    if (v % 16 == 0) return kSpecial[(v / 16) % 7];
    return std::to_string(lo + static_cast<int>(v % static_cast<unsigned>(hi - lo + 1)));
}

std::string diameter(unsigned v) {
    static const int kSizes[] = {13, 16, 19, 22, 25, 29, 32, 35, 38, 41, 51, 0, 10, 100, 101, -13};
    return std::to_string(kSizes[v % 16]);
}

std::string pitch(unsigned v) {
    static const char* kPitches[] = {"0", "10", "24.9", "25", "100", "125", "150", "200", "250", "300", "333.3", "-250"};
    if (v % 4 == 0) return std::to_string(v % 3000);
    return kPitches[(v / 4) % 12];
}

std::string count(unsigned v) {
    if (v % 32 == 0) return std::to_string(static_cast<int>(v % 200000) - 1000);
    return std::to_string(v % 64);
}

}  // namespace

std::string structured_wall(std::string_view bytes) {
    ByteSource src(bytes);
    std::string f;
    auto line = [&](int n, std::string (*value)(unsigned)) {
        for (int i = 0; i < n; ++i) f += (i ? "," : "") + value(src.next());
        f += '\n';
    };
    // Each value of the dimension lines within (lo, hi), as a wall would have it.
    auto lengths = [&](std::initializer_list<std::pair<int, int>> ranges) {
        bool first = true;
        for (const auto& [lo, hi] : ranges) {
            f += (first ? "" : ",") + length(src.next(), lo, hi);
            first = false;
        }
        f += '\n';
    };
    lengths({{0, 1500}, {100, 800}, {0, 1800}});
    lengths({{0, 3000}, {100, 800}, {0, 3200}, {0, 3200}});
    lengths({{0, 30000}, {0, 30000}});
    lengths({{0, 200}, {0, 200}, {0, 200}, {0, 200}, {0, 200}, {0, 200}});
    lengths({{0, 200}});
    lengths({{0, 500}, {0, 500}, {1000, 30000}});
    for (int g = 0; g < 9; ++g) {
        f += std::to_string(src.next() % 7) + "\n";  // 6 is refused, as it should be
        line(5, diameter);
        line(5, pitch);
        line(5, count);
    }
    line(2, diameter);
    return f;
}

FuzzOutcome run_fuzz_input(std::string_view bytes) {
    std::string_view wall = bytes;
    std::string_view layers = kExampleLayers;
    std::string_view conditions;
    std::string made;
    if (!bytes.empty() && bytes[0] == '\x01') {
        made = structured_wall(bytes.substr(1));
        wall = made;
    } else if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        wall = bytes.substr(0, nul);
        layers = bytes.substr(nul + 1);
        if (const std::size_t second = layers.find('\0'); second != std::string_view::npos) {
            conditions = layers.substr(second + 1);
            layers = layers.substr(0, second);
        }
    }
    SheetRequest request;
    request.picture = true;
    request.quantities = true;
    SheetResult sheet = run_sheet(wall, layers, {}, conditions, request);
    // Only the specified failures end a run early; anything else is a fault of the program.
    if (sheet.message.en.starts_with("internal error")) throw std::logic_error(sheet.message.en);
    // The design checks are written out as every door writes them: no number may fail to print.
    if (sheet.design) {
        design_csv(*sheet.design);
        design_json(*sheet.design, Lang::en);
        ReportDocument report("fuzz", "1970-01-01T00:00:00Z");
        draw_calc_report(report, *sheet.design, nullptr);
    }
    return {sheet.status, std::move(sheet.dxf), std::move(sheet.scr)};
}

}  // namespace lwall::test
