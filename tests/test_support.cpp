#include "test_support.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/run_failure.hpp"
#include "input/layer_file.hpp"

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

const std::string& DxfEntity::get(int code) const {
    for (const auto& [c, v] : groups) {
        if (c == code) return v;
    }
    static const std::string kMissing = "<missing>";
    ADD_FAILURE() << type << " has no group " << code;
    return kMissing;
}

double DxfEntity::num(int code) const { return std::stod(get(code)); }

std::vector<DxfEntity> parse_entities(std::string_view dxf_entities) {
    const std::vector<std::string> l = crlf_lines(dxf_entities);
    std::vector<DxfEntity> out;
    std::size_t i = 0;
    while (i < l.size()) {
        DxfEntity e;
        e.type = l[i++];
        while (i < l.size() && l[i] != "0") {
            if (i + 1 >= l.size()) {
                ADD_FAILURE() << "record " << e.type << " ends inside a group";
                return out;
            }
            e.groups.emplace_back(std::stoi(l[i]), l[i + 1]);
            i += 2;
        }
        if (i >= l.size()) ADD_FAILURE() << "record " << e.type << " does not end with 0";
        ++i;
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<DxfEntity> entities(const Canvas& cv) { return parse_entities(cv.dxf_out.contents()); }

Point table_origin(const std::vector<DxfEntity>& e, std::string_view title, int height, Point title_at) {
    for (const DxfEntity& x : e) {
        if (x.type == "TEXT" && x.get(8) == "D-MTR-TXT" && x.get(1) == title && x.num(40) == height) {
            return {x.num(10) - title_at.x, x.num(20) - title_at.y};
        }
    }
    ADD_FAILURE() << "no table titled " << title;
    return {};
}

std::vector<DxfEntity> file_entities(std::string_view dxf_file) {
    constexpr std::string_view kStart = "ENTITIES\r\n0\r\n";
    const std::size_t start = dxf_file.find(kStart);
    if (start == std::string_view::npos) return {};
    const std::size_t begin = start + kStart.size();
    const std::size_t end = dxf_file.rfind("ENDSEC\r\n");
    if (end == std::string_view::npos || end < begin) return parse_entities(dxf_file.substr(begin));
    return parse_entities(dxf_file.substr(begin, end - begin));
}

bool has_non_finite_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::string_view(" ,\r\n").find(text[i]) != std::string_view::npos) ++i;
        const std::size_t start = i;
        while (i < text.size() && std::string_view(" ,\r\n").find(text[i]) == std::string_view::npos) ++i;
        std::string token(text.substr(start, i - start));
        if (!token.empty() && (token[0] == '-' || token[0] == '+')) token.erase(0, 1);
        for (char& c : token) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (token == "nan" || token == "inf" || token == "infinity") return true;
    }
    return false;
}

namespace {

// The console's lines each as they are: the Windows build under Wine ends them in CR LF.
std::string console_lines(std::string text) {
    std::size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos) text.erase(at, 1);
    return text;
}

}  // namespace

ProgramRun run_program(const std::string& dir, const std::string& args, const std::string& locale) {
    const std::string out = dir + "/.stdout";
    const std::string err = dir + "/.stderr";
    // LWALL_PROGRAM runs these tests on another build of the program, such as the Windows one
    // under Wine ("wine /path/to/lwall.exe").
    const char* other = std::getenv("LWALL_PROGRAM");
    const std::string program = other != nullptr ? std::string(other) : "'" + std::string(LWALL_EXE) + "'";
    // The locale is set for every run, whatever the one the tests run in (a test that wants English
    // says --lang en).
    const std::string cmd = "cd '" + dir + "' && env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG " + locale + " " +
                            program + " " + args + " < /dev/null > '" + out + "' 2> '" + err + "'";
    const int raw = std::system(cmd.c_str());
    ProgramRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.console = other != nullptr ? console_lines(read_file(out)) : read_file(out);
    r.errors = other != nullptr ? console_lines(read_file(err)) : read_file(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return r;
}

std::string refusal_message(const std::function<void()>& read, int expected_status) {
    try {
        read();
    } catch (const RunFailure& f) {
        EXPECT_EQ(f.status, expected_status) << f.message.en;
        return f.message.en;
    }
    return "<accepted>";
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

::testing::AssertionResult same_text(const std::string& got, const std::string& want) {
    if (got == want) return ::testing::AssertionSuccess();
    const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
    const std::size_t at = static_cast<std::size_t>(g - got.begin());
    const std::size_t begin = got.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
    const auto line_at = [&](const std::string& s) { return s.substr(from, s.find('\n', from) - from); };
    return ::testing::AssertionFailure()
           << got.size() << " bytes against " << want.size() << "; first difference at line "
           << std::count(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(from), '\n') + 1 << ":\n  got:  "
           << line_at(got) << "\n  want: " << line_at(want);
}

TempFolder::TempFolder() {
    std::string name = "lwall_";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        name += std::string(info->test_suite_name()) + "." + info->name() + "_";
    }
    // A parameterised test's name holds slashes.
    std::replace(name.begin(), name.end(), '/', '_');
    std::string pattern = ::testing::TempDir() + name + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("can't make a folder " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string example_file(std::string_view example, std::string_view file) {
    return read_file(std::string(LWALL_SOURCE_DIR) + "/examples/" + std::string(example) + "/" + std::string(file));
}

std::string example_wall_with(std::string_view example, const std::map<int, std::string>& replaced) {
    const std::string text = example_file(example, "PlenkL.dat");
    std::string out;
    int line = 1;
    for (std::size_t start = 0; start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const auto it = replaced.find(line);
        out += (it != replaced.end() ? it->second : text.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return out;
}

void load_example_layers(RunContext& ctx) { ctx.layers = read_layer_table(example_file("level", "GasouL.dat")); }

}  // namespace lwall::test
