#include "input/wall_file.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string refusal(const std::string& text) {
    return test::refusal_message([&] { read_wall_input(text); }, kExitBadInput);
}

// A file of the 43 lines with line `n` (1-based) replaced.
std::string with_line(int n, const std::string& replacement) {
    const std::string level = test::example_file("level", "PlenkL.dat");
    std::string out;
    int line = 1;
    std::size_t start = 0;
    while (start < level.size()) {
        std::size_t end = level.find('\n', start);
        if (end == std::string::npos) end = level.size();
        out += line == n ? replacement : level.substr(start, end - start);
        out += '\n';
        start = end + 1;
        ++line;
    }
    return out;
}

TEST(WallInput, ReadsTheLevelExampleFieldByField) {
    const WallInput w = read_wall_input(test::example_file("level", "PlenkL.dat"));
    EXPECT_EQ(w.footing_left_width, 500);
    EXPECT_EQ(w.wall_thickness, 300);
    EXPECT_EQ(w.footing_right_width, 1000);
    EXPECT_EQ(w.wall_height, 2000);
    EXPECT_EQ(w.footing_thickness, 400);
    EXPECT_EQ(w.length_right, 5000);
    EXPECT_EQ(w.cover6, 100);
    EXPECT_EQ(w.cover_wall_top, 100);
    EXPECT_EQ(w.max_bar_length, 12000);
    EXPECT_EQ(w.F1.zones, 4);
    EXPECT_EQ(w.F1.dia, 16);
    EXPECT_EQ(w.F3.opt[2], 13);
    EXPECT_EQ(w.F3.pitch[3], 200);
    EXPECT_EQ(w.F3.count[3], 4);
    EXPECT_EQ(w.W1.count[2], 10);
    EXPECT_EQ(w.W5.pitch[4], 250);
    EXPECT_EQ(w.S1.dia, 13);
    EXPECT_EQ(w.S2.dia, 13);
}

TEST(WallInput, LevelTopFromLineTwo) {
    const WallInput w = read_wall_input(with_line(2, "1800,350,1800,1800"));
    EXPECT_EQ(w.wall_height, 1800);
    EXPECT_EQ(w.footing_thickness, 350);
    EXPECT_EQ(w.height_left, w.height_right);
}

TEST(WallInput, BlankLinesCarriageReturnsAndLeadingBlanksChangeNothing) {
    const std::string plain = test::example_file("level", "PlenkL.dat");
    std::string loose;
    for (char c : plain) {
        if (c == '\n') loose += "\r\n\n  \t\n";
        else if (c == ',') loose += ", ";
        else loose += c;
    }
    const WallInput a = read_wall_input(plain);
    const WallInput b = read_wall_input(loose);
    EXPECT_EQ(a.W4.count[2], b.W4.count[2]);
    EXPECT_EQ(a.S2.dia, b.S2.dia);
    EXPECT_EQ(a.max_bar_length, b.max_bar_length);
}

TEST(WallInput, ShortLineLeavesItsMissingFieldsZeroAndTheNextLineIsReadNormally) {
    // Also when the short line ends in CR LF or in blanks, as files from other editors do.
    for (const char* line : {"400,250", "400,250\r", "400,250  \t", "400, 250 \r"}) {
        SCOPED_TRACE(line);
        const WallInput w = read_wall_input(with_line(1, line));
        EXPECT_EQ(w.footing_left_width, 400);
        EXPECT_EQ(w.wall_thickness, 250);
        EXPECT_EQ(w.footing_right_width, 0);
        EXPECT_EQ(w.wall_height, 2000);
    }
    const WallInput w = read_wall_input(with_line(26, "9,10\r"));
    EXPECT_EQ(w.W1.count[2], 10);
    EXPECT_EQ(w.W1.count[3], 0);
    EXPECT_EQ(w.W2.dia, 13);
}

TEST(WallInput, FileEndingEarlyLeavesTheRestZero) {
    const std::string full = test::example_file("level", "PlenkL.dat");
    const std::string without_last = full.substr(0, full.rfind("13,13"));
    const WallInput w = read_wall_input(without_last);
    EXPECT_EQ(w.W5.count[4], 9);
    EXPECT_EQ(w.S1.dia, 0);
    EXPECT_EQ(w.S2.dia, 0);
    const WallInput empty = read_wall_input("");
    for (const WallField& f : wall_fields()) EXPECT_EQ(wall_field_value(empty, f), 0) << f.name;
}

// Each refusal names the line its value stands on: the row's own number, and three times it when
// two blank lines stand before every row.
TEST(WallInput, MalformedLinesAreRefusedNamingFileLineAndField) {
    struct Case {
        int line;
        const char* replacement;
        const char* message;  // after "PlenkL.dat line N, "
    };
    const Case cases[] = {
        {1, "500,abc,1000", "wall_thickness: expected a number, found \"abc\""},
        {3, "5000,5000,100", "length_right: more values than the 2 this line holds"},
        {8, "16.0,0,0,0,0", "F1.dia: expected a whole number without a decimal point, found \"16.0\""},
        {5, "nan", "cover_wall_top: expected a finite number, found \"nan\""},
        {5, "1e999", "cover_wall_top: expected a finite number, found \"1e999\""},
        {3, "-inf,5000", "length_left: expected a finite number, found \"-inf\""},
        {1, "500 ,300,1000", "footing_left_width: a blank stands before the comma"},
        {1, "500,300\t,1000", "wall_thickness: a blank stands before the comma"},
        {1, "500,300\r,1000", "wall_thickness: a blank stands before the comma"},
        {1, "500 \f\v\t,300,1000", "footing_left_width: a blank stands before the comma"},
        {1, "500 300,1000", "footing_left_width: expected ',' or the line end after the value, found \"300,1000\""},
        {1, "500,300,", "footing_right_width: expected a number after ','"},
        {2, "2000;400", "wall_height: expected a number, found \"2000;400\""},
        {42, "9,10,10,9,0 mm", "W5.count[5]: expected the line end after the value, found \"mm\""},
        {31, "6", "W3.zones: must be 0 to 5, found 6"},
        {7, "-1", "F1.zones: must be 0 to 5, found -1"},
        {39, "6", "W5.zones: must be 0 to 5, found 6"},
    };
    for (const Case& c : cases) {
        const std::string text = with_line(c.line, c.replacement);
        EXPECT_EQ(refusal(text), "PlenkL.dat line " + std::to_string(c.line) + ", " + c.message);
        std::string spaced;
        for (const char ch : "\n" + text) spaced += ch == '\n' ? std::string("\n \r\n\t\n") : std::string(1, ch);
        spaced.erase(0, 1);
        EXPECT_EQ(refusal(spaced), "PlenkL.dat line " + std::to_string(3 * c.line) + ", " + c.message);
    }
    // Blanks of every kind may stand after a comma and at the line's end.
    const WallInput blanks = read_wall_input(with_line(1, "500,\t\f\v 300, \t1000 \t\f\v"));
    EXPECT_EQ(blanks.footing_left_width, 500);
    EXPECT_EQ(blanks.wall_thickness, 300);
    EXPECT_EQ(blanks.footing_right_width, 1000);
    EXPECT_EQ(read_wall_input(with_line(7, "0")).F1.zones, 0);
    EXPECT_EQ(read_wall_input(with_line(7, "5")).F1.zones, 5);
}

// Each value is judged in its own place: a bad value in any field of a line is refused as that
// field and no other, alone or beside a second bad value anywhere in the line, the first of them
// being the refusal of the file; the field that holds a byte is the one the reader blames.
TEST(WallInput, EveryRefusalIsFoundInItsOwnField) {
    const char* bad[] = {"x", "", "nan", "1e9", "12 34", "-", "\x82\x50", "2/3"};
    const std::string level = test::example_file("level", "PlenkL.dat");
    for (const int line : {2, 4, 8, 43}) {
        const std::vector<const WallField*> fields = wall_fields_on_line(line);
        std::vector<std::string> values;
        for (std::size_t k = 0; k < fields.size(); ++k) values.push_back(k % 2 == 0 ? "12" : "7");
        const auto text = [&](std::size_t at, const std::string& value, std::size_t also = SIZE_MAX) {
            std::string row;
            for (std::size_t k = 0; k < values.size(); ++k) {
                row += (k > 0 ? "," : "") + (k == at || k == also ? value : values[k]);
            }
            return with_line(line, row);
        };
        for (const char* token : bad) {
            for (std::size_t k = 0; k < fields.size(); ++k) {
                SCOPED_TRACE("line " + std::to_string(line) + ", field " + fields[k]->name + ", \"" + token + "\"");
                const std::string one = text(k, token);
                const std::vector<RunFailure> found = wall_file_refusals(one);
                ASSERT_EQ(found.size(), 1u);
                EXPECT_EQ(found[0].field, fields[k]->name);
                EXPECT_EQ(found[0].line, line);
                EXPECT_EQ(found[0].message, read_wall_file(one).refusal->message);
                int at_line = 0;
                const std::string marked = text(k, "@");
                EXPECT_EQ(wall_field_at(marked, marked.find('@'), at_line), fields[k]);
                EXPECT_EQ(at_line, line);
                for (std::size_t j = k + 1; j < fields.size(); ++j) {
                    const std::vector<RunFailure> two = wall_file_refusals(text(k, token, j));
                    ASSERT_EQ(two.size(), 2u) << fields[j]->name;
                    EXPECT_EQ(two[0].field, fields[k]->name);
                    EXPECT_EQ(two[1].field, fields[j]->name);
                }
            }
        }
    }
    // Refusals on lines of their own are all found, in file order; an empty value says so.
    std::string three = with_line(2, "2000,,2000,2000").replace(0, 3, "5x0");
    three.replace(three.find("\n250,250,250,250,0"), 18, "\n250,250,250,250,2q");
    const std::vector<RunFailure> all = wall_file_refusals(three);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].field, "footing_left_width");
    EXPECT_EQ(all[1].field, "footing_thickness");
    EXPECT_EQ(all[1].message.en, "PlenkL.dat line 2, footing_thickness: no value (the field is empty)");
    EXPECT_EQ(all[2].field, "F1.pitch[5]");
    EXPECT_TRUE(wall_file_refusals(level).empty());
}

// Reading on past a refusal never changes the first: on any text (the example with bytes put in,
// taken out or changed), the refusals gathered begin with the reader's own, or there are none.
TEST(WallInput, TheFirstRefusalGatheredIsTheReadersOwn) {
    const std::string base = test::example_file("sloped", "PlenkL.dat");
    std::mt19937 random(30);
    const std::string alphabet = ",\n \t.-+0123456789xe\r\x82\x50";
    int refused = 0;
    for (int n = 0; n < 3000; ++n) {
        std::string text = base;
        for (int k = 1 + static_cast<int>(random() % 6); k > 0; --k) {
            const std::size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            const int how = static_cast<int>(random() % 3);
            if (how == 0) text.insert(text.begin() + static_cast<long>(at), c);
            else if (at < text.size()) how == 1 ? text.erase(at, 1) : text.replace(at, 1, 1, c);
        }
        const std::vector<RunFailure> all = wall_file_refusals(text);
        const WallReading first = read_wall_file(text);
        ASSERT_EQ(all.empty(), !first.refusal) << text;
        if (all.empty()) continue;
        ++refused;
        EXPECT_EQ(all.front().message, first.refusal->message) << text;
    }
    EXPECT_GT(refused, 1000);
}

TEST(WallInput, ValuesFarOutsideAnyWallAreRefused) {
    EXPECT_EQ(refusal(with_line(3, "1e7,5000")),
              "PlenkL.dat line 3, length_left: expected a number between -1000000 and 1000000, found \"1e7\"");
    EXPECT_EQ(refusal(with_line(10, "9,9,9,99999999999,0")),
              "PlenkL.dat line 10, F1.count[4]: expected a whole number between -1000000 and 1000000, found "
              "\"99999999999\"");
    EXPECT_EQ(read_wall_input(with_line(3, "1e6,-1000000")).length_right, -1000000);
}

TEST(WallInput, RefusalOfAnAcceptedValueNamesTheLineItWasReadFrom) {
    const WallInput w = read_wall_input("\n\n" + test::example_file("level", "PlenkL.dat"));
    EXPECT_EQ(test::refusal_message([&] { refuse_wall_field(w, "W1.dia", msg::must_be_positive()); }, kExitBadInput),
              "PlenkL.dat line 26, W1.dia: must be more than 0");
    EXPECT_EQ(test::refusal_message([&] { refuse_wall_field(w, "length_left", same_text("too short")); }, kExitBadInput),
              "PlenkL.dat line 5, length_left: too short");
    const WallInput short_file = read_wall_input("500,300,1000\n");
    EXPECT_EQ(test::refusal_message([&] { refuse_wall_field(short_file, "S2.dia", same_text("missing")); }, kExitBadInput),
              "PlenkL.dat line 43, S2.dia: missing");
}

}  // namespace
}  // namespace lwall
