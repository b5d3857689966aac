#pragma once
// Helpers shared by the tests: splitting output into its CR LF lines, building a run context
// with an in-memory canvas, and reading example files.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "context/run_context.hpp"

namespace lwall::test {

// The lines of a CR LF text; fails the test when a bare LF or CR appears.
std::vector<std::string> crlf_lines(std::string_view text);

// The DXF lines written to the canvas since `from` (a line index).
std::vector<std::string> dxf_lines(const Canvas& cv, std::size_t from = 0);

// One entity record: its type and its group codes with their values, in order.
struct DxfEntity {
    std::string type;
    std::vector<std::pair<int, std::string>> groups;

    const std::string& get(int code) const;  // the first value of that group code
    double num(int code) const;
};

// The entity records of a canvas's drawing output (entity records only, as the primitives write
// them: type name first, "0" last).
std::vector<DxfEntity> parse_entities(std::string_view dxf_entities);
std::vector<DxfEntity> entities(const Canvas& cv);

// The entity records of a whole Lwall.dxf (between ENTITIES and ENDSEC).
std::vector<DxfEntity> file_entities(std::string_view dxf_file);

std::string read_file(const std::string& path);

// True when a token of the text (split at line ends, blanks and commas) reads nan or inf, as the C
// library writes a number that is not finite.
bool has_non_finite_number(std::string_view text);

// What the built program did when run in a folder: its exit status, standard output and error.
struct ProgramRun {
    int status = -1;
    std::string console;
    std::string errors;
};

// A new, empty folder of this test's own under the system's temporary folder ("<prefix>XXXXXX",
// made by mkdtemp), so that runs side by side never share one. The caller removes it.
std::filesystem::path make_temp_folder(const std::string& prefix);

// Runs the built lwall with `args` in `dir` (which holds its input files).
ProgramRun run_program(const std::string& dir, const std::string& args = "");

// The message of the RunFailure that `read` throws (after checking its status), or "<accepted>".
std::string refusal_message(const std::function<void()>& read, int expected_status);

// The bundled example files, by example name ("level", "sloped").
std::string example_file(std::string_view example, std::string_view file);

// A run context whose layer table holds the nine layers of the example layer file.
void load_example_layers(RunContext& ctx);

}  // namespace lwall::test
