#pragma once
// Helpers shared by the tests: splitting output into its CR LF lines, building a run context
// with an in-memory canvas, and reading example files.

#include <string>
#include <string_view>
#include <vector>

#include "driver/run_context.hpp"

namespace lwall::test {

// The lines of a CR LF text; fails the test when a bare LF or CR appears.
std::vector<std::string> crlf_lines(std::string_view text);

// The DXF lines written to the canvas since `from` (a line index).
std::vector<std::string> dxf_lines(const Canvas& cv, std::size_t from = 0);

std::string read_file(const std::string& path);

// The bundled example files, by example name ("level", "sloped").
std::string example_file(std::string_view example, std::string_view file);

// A run context whose layer table holds the nine layers of the example layer file.
void load_example_layers(RunContext& ctx);

}  // namespace lwall::test
