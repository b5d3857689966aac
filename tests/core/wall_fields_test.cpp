#include "core/wall_fields.hpp"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "core/sjis.hpp"
#include "input/wall_file.hpp"

namespace lwall {
namespace {

// A wall file whose every value tells where it stands: 100 x line + place on the line (zone counts
// 0 to 5, as the reader takes them).
std::string telling_file() {
    const int values_per_line[] = {3, 4, 2, 6, 1, 3};
    std::string text;
    auto line = [&](int n, int values) {
        for (int p = 1; p <= values; ++p) {
            text += (p > 1 ? "," : "") + std::to_string(n >= 7 && n <= 42 && (n - 7) % 4 == 0 ? n % 6 : 100 * n + p);
        }
        text += "\n";
    };
    for (int n = 1; n <= 6; ++n) line(n, values_per_line[n - 1]);
    for (int g = 0; g < 9; ++g) {
        line(7 + 4 * g, 1);
        for (int k = 1; k <= 3; ++k) line(7 + 4 * g + k, 5);
    }
    line(43, 2);
    return text;
}

double told(int line, int place) { return 100 * line + place; }

// The reader fills each member of the record from its line and place in the file as the file format
// lays it out; written here from the format, not from the catalogue.
TEST(WallFields, TheReaderFillsEveryMemberFromItsLineAndPlace) {
    const WallInput w = read_wall_input(telling_file());
    const double* scalars[] = {&w.footing_left_width, &w.wall_thickness, &w.footing_right_width, &w.wall_height,
                               &w.footing_thickness, &w.height_left, &w.height_right, &w.length_left, &w.length_right,
                               &w.cover1, &w.cover2, &w.cover3, &w.cover4, &w.cover5, &w.cover6, &w.cover_wall_top,
                               &w.end_cover_left, &w.end_cover_right, &w.max_bar_length};
    const int values_per_line[] = {3, 4, 2, 6, 1, 3};
    int k = 0;
    for (int line = 1; line <= 6; ++line) {
        for (int place = 1; place <= values_per_line[line - 1]; ++place) EXPECT_EQ(*scalars[k++], told(line, place));
    }
    const BarGroup* marks[] = {&w.F1, &w.F2, &w.F3, &w.F4, &w.W1, &w.W2, &w.W3, &w.W4, &w.W5};
    for (int g = 0; g < 9; ++g) {
        const int first = 7 + 4 * g;
        SCOPED_TRACE("mark " + std::to_string(g + 1));
        EXPECT_EQ(marks[g]->zones, first % 6);
        EXPECT_EQ(marks[g]->dia, told(first + 1, 1));
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(marks[g]->opt[i], told(first + 1, i + 1));
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(marks[g]->pitch[i], told(first + 2, i));
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(marks[g]->count[i], told(first + 3, i));
    }
    EXPECT_EQ(w.S1.dia, told(43, 1));
    EXPECT_EQ(w.S2.dia, told(43, 2));
}

// Each catalogue entry names the member its line and place fill, so that every message, the
// explanation and the editor speak of the value the reader really took from there.
TEST(WallFields, EveryFieldIsNamedForTheMemberItFillsAndFilledFromItsLine) {
    const WallInput w = read_wall_input(telling_file());
    const std::vector<WallField>& fields = wall_fields();
    ASSERT_EQ(fields.size(), static_cast<std::size_t>(kWallFieldCount));
    const std::map<std::string, const BarGroup*> marks = {{"F1", &w.F1}, {"F2", &w.F2}, {"F3", &w.F3},
                                                          {"F4", &w.F4}, {"W1", &w.W1}, {"W2", &w.W2},
                                                          {"W3", &w.W3}, {"W4", &w.W4}, {"W5", &w.W5}};
    const std::regex mark_field(R"((F[1-4]|W[1-5])\.(zones|dia|opt|pitch|count)(?:\[([1-5])\])?)");
    std::set<std::string> names;
    int previous_line = 1;
    for (const WallField& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_TRUE(names.insert(f.name).second) << "named twice";
        EXPECT_GE(f.line, previous_line) << "out of file order";
        previous_line = f.line;
        const double value = wall_field_value(w, f);
        std::smatch m;
        if (std::regex_match(f.name, m, mark_field)) {
            const BarGroup& g = *marks.at(m[1]);
            const int i = m[3].matched ? std::stoi(m[3]) : 0;
            const std::string part = m[2];
            const double member = part == "zones" ? g.zones
                                  : part == "dia" ? g.dia
                                  : part == "opt" ? g.opt[i]
                                  : part == "pitch" ? g.pitch[i]
                                                    : g.count[i];
            EXPECT_EQ(value, member);
            EXPECT_EQ(f.kind, part == "pitch" ? FieldKind::decimal : FieldKind::whole);
        } else if (f.name == "S1.dia" || f.name == "S2.dia") {
            EXPECT_EQ(value, f.name == "S1.dia" ? w.S1.dia : w.S2.dia);
            EXPECT_EQ(f.kind, FieldKind::whole);
        } else {
            EXPECT_EQ(f.kind, FieldKind::decimal);
        }
        if (f.part != FieldPart::zones) {
            EXPECT_EQ(value, told(f.line, f.position));
        }
        // Every label reaches the console and the files in Shift_JIS.
        EXPECT_TRUE(utf8_to_sjis(f.label_ja).has_value());
        EXPECT_FALSE(f.label_en.empty() || f.meaning.empty());
    }
    // Each meaning in both languages: the Japanese one written in Japanese, for the page, the editor's
    // catalogue and the README alike.
    for (const InputFile file : {InputFile::wall, InputFile::title}) {
        for (const WallField& f : input_fields(file)) {
            EXPECT_TRUE(f.meaning_ja.find("\xE3") != std::string::npos && f.meaning_ja != f.meaning) << f.name;
        }
    }
    for (const WallFieldGroup& g : field_groups()) EXPECT_TRUE(utf8_to_sjis(g.label_ja).has_value());
    // The design conditions: one a line, each in both languages, its default inside its range.
    for (const WallField& f : condition_fields()) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.line, f.index + 1);
        EXPECT_TRUE(utf8_to_sjis(f.label_ja).has_value() && utf8_to_sjis(f.meaning_ja).has_value());
        EXPECT_FALSE(f.label_en.empty() || f.meaning.empty() || f.default_text.empty());
        if (f.condition != nullptr) {
            EXPECT_TRUE(f.range.holds(DesignConditions().*f.condition));
        }
    }
}

}  // namespace
}  // namespace lwall
