#include "input/title_file.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string refusal(const std::string& text) {
    return test::refusal_message([&] { read_title_input(text); }, kExitBadInput);
}

TEST(TitleFile, LineNHoldsValueNWhateverIsBlank) {
    // A blank second line is an empty 路線・箇所; CR LF and LF both end a line; blanks around a value
    // go; the file may stop early and end in blank lines.
    const std::string text = std::string(u8"  ○○地区擁壁工事 \r\n"_sj) + "\r\n\n" + "S-12\n";
    const TitleInput t = read_title_input(text);
    EXPECT_EQ(t.values[kProjectName], u8"○○地区擁壁工事"_sj);
    EXPECT_EQ(t.values[kRouteAndPlace], "");
    EXPECT_EQ(t.values[kDrawingName], "");
    EXPECT_EQ(t.values[kDrawingNumber], "S-12");
    EXPECT_EQ(t.values[kDesigner], "");
    EXPECT_EQ(read_title_input("a\nb\nc\nd\ne\nf\ng\n\n \r\n").values[kDesigner], "g");
    // Half-width katakana whose bytes also read as UTF-8 (ﾃｽ as "ý") are Shift_JIS all the same.
    EXPECT_EQ(read_title_input(u8"ﾃｽ"_sj).values[kProjectName], u8"ﾃｽ"_sj);
}

TEST(TitleFile, EachRefusalNamesTheLineAndTheField) {
    // 図面番号 (line 4) has a box of 22 bytes: 23 are too many.
    EXPECT_EQ(refusal("\n\n\n" + std::string(23, 'X') + "\n"),
              "HyodaiL.dat line 4, drawing_number: 23 bytes long; its box holds 22 (11 double-byte characters)");
    EXPECT_NO_THROW(read_title_input("\n\n\n" + std::string(22, 'X') + "\n"));
    // A lead byte without its trail byte; then the same name saved as UTF-8.
    EXPECT_EQ(refusal("\n\n\n\n\n" + std::string(u8"会社"_sj).substr(0, 3) + "\n"),
              "HyodaiL.dat line 6, company: not Shift_JIS: byte 0x8E at byte 3");
    EXPECT_EQ(refusal("\n\n\n\n\n" + std::string(reinterpret_cast<const char*>(u8"株式会社"))),
              "HyodaiL.dat line 6, company: UTF-8 text; save HyodaiL.dat as Shift_JIS");
    EXPECT_EQ(refusal("\n\nA\tB\n"),
              "HyodaiL.dat line 3, drawing_name: holds the control character 0x09 at byte 2");
    // "*/" would end the comment of its feature on the SXF sheets, on any line; "* /" would not.
    for (int line = 1; line <= kTitleValueCount; ++line) {
        const std::string before(static_cast<std::size_t>(line - 1), '\n');
        EXPECT_NE(refusal(before + "1*/2\n").find(" line " + std::to_string(line) + ", "), std::string::npos) << line;
    }
    EXPECT_EQ(refusal("*/"), "HyodaiL.dat line 1, project: holds \"*/\", which an SXF sheet (Lwall-n.sfc) reads as "
                             "the end of the comment around a feature");
    EXPECT_NO_THROW(read_title_input("* /\n/*\n"));
    // Eight values, the client's office the last: a file of seven keeps its meaning, a ninth is one too many.
    EXPECT_EQ(read_title_input("1\n2\n3\n4\n5\n6\n7\n8\n").values[kOffice], "8");
    EXPECT_EQ(read_title_input("1\n2\n3\n4\n5\n6\n7\n").values[kOffice], "");
    EXPECT_EQ(refusal("1\n2\n3\n4\n5\n6\n7\n8\n9\n"),
              "HyodaiL.dat line 9, extra value: the file holds 8 values, one a line; line 9 holds one more");
}

}  // namespace
}  // namespace lwall
