#include "test_support.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lwall::test {

std::vector<std::string> crlf_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text does not end in CR LF: " << text.substr(start);
            lines.emplace_back(text.substr(start));
            break;
        }
        const std::string_view line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << "bare CR or LF in line: " << line;
        lines.emplace_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> dxf_lines(const Canvas& cv, std::size_t from) {
    std::vector<std::string> all = crlf_lines(cv.dxf_out.contents());
    if (from >= all.size()) return {};
    return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string example_file(std::string_view example, std::string_view file) {
    return read_file(std::string(LWALL_SOURCE_DIR) + "/examples/" + std::string(example) + "/" + std::string(file));
}

void load_example_layers(RunContext& ctx) { ctx.layers = read_layer_table(example_file("level", "GasouL.dat")); }

}  // namespace lwall::test
