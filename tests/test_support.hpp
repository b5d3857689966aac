#pragma once
// Helpers shared by the tests: splitting output into its CR LF lines, building a run context
// with an in-memory canvas, reading example files, and folders of their own for the files a test
// writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "context/run_context.hpp"
#include "core/messages.hpp"

namespace lwall {

// A message in test output: its English form.
inline std::ostream& operator<<(std::ostream& out, const Message& m) { return out << m.en; }

}  // namespace lwall

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

// Where a table was moved to: the first text on "D-MTR-TXT" reading `title` at `height`, less the
// place the table draws its title at. Fails the test when there is none.
Point table_origin(const std::vector<DxfEntity>& e, std::string_view title, int height, Point title_at);

std::string read_file(const std::string& path);

// Two whole outputs byte for byte; on a difference, the first line that differs and its number.
// (EXPECT_EQ on two drawings of a hundred thousand lines would spend minutes on its diff.)
::testing::AssertionResult same_text(const std::string& got, const std::string& want);

// A folder of its own under the temporary folder (GoogleTest's, TEST_TMPDIR where set), made with
// mkdtemp and named after the running test, removed with everything in it when the object goes.
// Suites that run side by side on one machine (a plain and a sanitized build) never meet in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// True when a token of the text (split at line ends, blanks and commas) reads nan or inf, as the C
// library writes a number that is not finite.
bool has_non_finite_number(std::string_view text);

// What the built program did when run in a folder: its exit status, standard output and error.
struct ProgramRun {
    int status = -1;
    std::string console;
    std::string errors;
};

// Runs the built lwall with `args` in `dir` (which holds its input files), with the locale
// variables `locale` (by default the C locale: its console speaks Japanese in Shift_JIS).
ProgramRun run_program(const std::string& dir, const std::string& args = "",
                       const std::string& locale = "LC_ALL=C LANG=C");

// The English message of the RunFailure that `read` throws (after checking its status), or
// "<accepted>".
std::string refusal_message(const std::function<void()>& read, int expected_status);

// The bundled example files, by example name ("level", "sloped").
std::string example_file(std::string_view example, std::string_view file);

// An example's PlenkL.dat with some of its lines replaced (line number, new text).
std::string example_wall_with(std::string_view example, const std::map<int, std::string>& replaced);

// A run context whose layer table holds the nine layers of the example layer file.
void load_example_layers(RunContext& ctx);

}  // namespace lwall::test
