// The messages users read, in both languages: the field's Japanese label first, then its name and
// line, then what is wrong and by how much; the English form as it has always read. And which
// language and console encoding the locale variables give.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "checks/wall_checks.hpp"
#include "core/messages.hpp"
#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "input/layer_file.hpp"
#include "input/wall_file.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

// The level example with line `n` (1-based) replaced.
std::string level_with_line(int n, const std::string& replacement) {
    const std::string level = test::example_file("level", "PlenkL.dat");
    std::string out;
    int line = 1;
    for (std::size_t start = 0; start < level.size(); ++line) {
        const std::size_t end = level.find('\n', start);
        out += (line == n ? replacement : level.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return out;
}

Message refusal(const std::function<void()>& run) {
    try {
        run();
    } catch (const RunFailure& f) {
        return f.details();
    }
    return {};
}

TEST(Messages, RefusalsAndFindingsReadInBothLanguages) {
    struct Row {
        Message got;
        std::string ja;
        std::string en;
    };
    const Row rows[] = {
        {msg::member_too_long_detail(3500, 3000, 6800),
         "F3 (底版上側配力筋) の2本目の部材が 3500 mm で、最大部材長 3000 mm より 500 mm 長い (壁沿いの 6800 mm を2本を継いで作る)",
         "the second piece of F3 (top longitudinal footing bars) is 3500 mm, 500 mm longer than the maximum member length "
         "of 3000 mm (the 6800 mm run along the wall is made of two lapped pieces)"},
        {refusal([] { read_wall_input(level_with_line(1, *utf8_to_sjis("500,２３００,1000"))); }),
         "たて壁厚 (wall_thickness, PlenkL.dat 1行目): 数値でない「２３００」",
         "PlenkL.dat line 1, wall_thickness: expected a number, found \"２３００\""},
        {refusal([] { read_wall_input(level_with_line(8, "16.0,0,0,0,0")); }),
         "径 (F1.dia, PlenkL.dat 8行目): 整数の欄に小数点のある数「16.0」",
         "PlenkL.dat line 8, F1.dia: expected a whole number without a decimal point, found \"16.0\""},
        {refusal([] { read_layer_table("2\n7 1 0.5 D-STR\n3 one 0.25 D-STR-DIM\n"); }),
         "画層2の線種 (row 2 line type, GasouL.dat 3行目): 整数でない「one」",
         "GasouL.dat line 3, row 2 line type: expected a whole number, found \"one\""},
        {refusal([] { check_wall_input(read_wall_input(level_with_line(25, "250,20,250,250,0"))); }),
         "区間2ピッチ (W1.pitch[2], PlenkL.dat 25行目): 鉄筋のある区間では 25 以上 (25 mm より狭い間隔には鉄筋を並べられない)",
         "PlenkL.dat line 25, W1.pitch[2]: must be 25 or more where the zone has bars (bars closer than 25 mm "
         "cannot be placed)"},
        // A stop whose console line says less: the fields added up and by how much.
        {refusal([] { check_wall_input(read_wall_input(level_with_line(2, "2700,400,2700,2700"))); }),
         "底版厚 + たて壁高 (footing_thickness + wall_height, PlenkL.dat 2行目): 3100 mm が高さの制限 3000 mm を 100 mm "
         "超えている",
         "PlenkL.dat line 2, footing_thickness + wall_height: 3100 mm, 100 mm more than the height limit of 3000 mm"},
        {check_wall(read_wall_input(level_with_line(4, "100,100,100,100,100,200"))).front().message,
         "背面かぶり(縦筋) (cover6, PlenkL.dat 4行目): かぶりが大きすぎて鉄筋が入らない: cover3 + cover6 と縦筋 D13, "
         "D16 で 329 mm となり、壁厚 300 mm を 29 mm 超える",
         "PlenkL.dat line 4, cover6: the covers leave no room for the bars: cover3 + cover6 and the vertical bars D13 "
         "and D16 take 329 mm, 29 mm more than the 300 mm wall thickness"},
        {check_wall(read_wall_input(level_with_line(26, "9,12,10,9,0"))).front().message,
         "区間1間隔数 (W1.count[1], PlenkL.dat 26行目): 区間 2, 1 が左端へ 5250 mm 延び、端部かぶりを 350 mm 越える "
         "(そちらの壁は 4900 mm)",
         "PlenkL.dat line 26, W1.count[1]: zones 2 and 1 run 5250 mm toward the left end, 350 mm beyond its end "
         "cover (4900 mm of wall there)"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.got.ja, r.ja);
        EXPECT_EQ(r.got.en, r.en);
    }
    // The drawing program's own lines read the same in both.
    const SheetResult wide = run_sheet(level_with_line(1, "1500,300,1000"), test::example_file("level", "GasouL.dat"));
    EXPECT_EQ(wide.message, same_text("幅の制限を超えています。"));
    EXPECT_EQ(wide.fields, (std::vector<std::string>{"footing_left_width", "wall_thickness", "footing_right_width"}));
    EXPECT_EQ(wide.line, 1);
}

TEST(Messages, TheLocaleGivesTheLanguageAndTheConsoleEncoding) {
    EXPECT_EQ(lang_from_locale(nullptr, nullptr, nullptr), Lang::ja);
    EXPECT_EQ(lang_from_locale(nullptr, nullptr, "en_US.UTF-8"), Lang::en);
    EXPECT_EQ(lang_from_locale("C", nullptr, "en_US.UTF-8"), Lang::ja);   // LC_ALL first
    EXPECT_EQ(lang_from_locale("", "en_GB", "ja_JP.UTF-8"), Lang::en);    // an empty one does not count
    EXPECT_EQ(lang_from_locale(nullptr, nullptr, "english"), Lang::ja);  // not a locale name
    EXPECT_TRUE(locale_is_utf8(nullptr, nullptr, "ja_JP.UTF-8"));
    EXPECT_TRUE(locale_is_utf8(nullptr, "C.utf8", "ja_JP.SJIS"));
    EXPECT_FALSE(locale_is_utf8("C", "C.UTF-8", nullptr));
    EXPECT_FALSE(locale_is_utf8(nullptr, nullptr, nullptr));
    // A console that speaks Shift_JIS gets the same bytes the program always printed.
    EXPECT_EQ(console_text("幅の制限を超えています。", {Lang::ja, false}), std::string(u8"幅の制限を超えています。"_sj));
    EXPECT_EQ(console_text("€ 1", {Lang::ja, false}), "? 1");
}

}  // namespace
}  // namespace lwall
