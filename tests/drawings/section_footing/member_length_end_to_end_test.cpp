// Runs the built program on a wall whose split top footing bar is too long, as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "core/sjis.hpp"
#include "footing_fixture.hpp"

namespace lwall {
namespace {

struct Outcome {
    int status = -1;
    std::string console;
    std::string errors;
    std::string dxf;
    std::string scr;
};

// Runs the program on `wall` in a folder of its own.
Outcome run_on(const std::string& wall) {
    const test::TempFolder dir;
    std::ofstream(dir / "PlenkL.dat", std::ios::binary) << wall;
    std::ofstream(dir / "GasouL.dat", std::ios::binary) << test::example_file("level", "GasouL.dat");
    const test::ProgramRun run = test::run_program(dir.path().string());
    Outcome o;
    o.status = run.status;
    o.console = run.console;
    o.errors = run.errors;
    o.dxf = test::read_file((dir / "Lwall.dxf").string());
    o.scr = test::read_file((dir / "plenk.scr").string());
    return o;
}

TEST(MemberLengthEndToEnd, TooLongSecondPieceStopsWithStatusFive) {
    // L = 6000 over a maximum of 3000: the second piece would be 3500.
    const Outcome o = run_on(test::fitting_wall({{3, "3100,3100"}, {6, "100,100,3000"}}));
    const std::string sentence(u8"最大部材長を長くするか擁壁延長を短くしてください。"_sj);
    EXPECT_EQ(o.status, 5);
    EXPECT_EQ(o.console, sentence + "\n");
    // Where no message box exists, its caption and text go to standard error, after the warnings
    // of the checks (this short wall's zones overrun its ends, and they find the long piece too).
    EXPECT_TRUE(o.errors.ends_with(std::string(u8"エラーです"_sj) + ": " + std::string(u8"注意："_sj) + sentence + "\n"))
        << o.errors;
    EXPECT_NE(o.errors.find(*utf8_to_sjis("警告: 最大部材長 (max_bar_length, PlenkL.dat 6行目): F3 底版上側配力筋の2本目")),
              std::string::npos);

    // The drawing stops inside its ENTITIES section: no document end, the last record complete.
    EXPECT_EQ(o.dxf.find("EOF"), std::string::npos);
    EXPECT_TRUE(o.dxf.ends_with("\r\n0\r\n"));
    const auto e = test::file_entities(o.dxf);
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.back().type, "LINE");
    EXPECT_EQ(e.back().get(8), "D-STR-STR1");
    // The script holds what was written before the stop: the three leaders of the arrangement
    // view and the plan's dimensions up to the last cover of the bottom edge; nothing of the section.
    const auto script = test::crlf_lines(o.scr);
    EXPECT_EQ(std::count_if(script.begin(), script.end(), [](const auto& l) { return l.starts_with("qleader"); }), 3);
    ASSERT_FALSE(script.empty());
    EXPECT_TRUE(script.back().starts_with("dimlinear ") && script.back().find(" H ") != std::string::npos)
        << script.back();
}

TEST(MemberLengthEndToEnd, SecondPieceWithinTheMaximumIsDrawn) {
    const Outcome o = run_on(test::fitting_wall({{3, "3100,3100"}, {6, "100,100,4000"}}));
    EXPECT_EQ(o.status, 0) << o.console;
    EXPECT_EQ(o.console, "");
    EXPECT_EQ(o.errors.find(std::string(u8"エラーです"_sj)), std::string::npos);  // no message box
    EXPECT_TRUE(o.dxf.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n"));
}

}  // namespace
}  // namespace lwall
