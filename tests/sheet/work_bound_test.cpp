// The work bound: a wall the readers take but whose sheet would be far beyond any real wall is
// refused before anything is drawn, naming what drives it; the largest real walls stay far below.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/run_failure.hpp"
#include "input/wall_file.hpp"
#include "sheet/run_sheet.hpp"
#include "sheet/work_bound.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

// A level wall `side` mm each side of the reference point whose marks along the wall have four
// zones of `count` spacings of `pitch` (the zones span no more than twice the wall).
std::string long_wall(int side, int pitch, int count) {
    const std::string along = "4\n16,0,0,0,0\n" + std::to_string(pitch) + "," + std::to_string(pitch) + "," +
                              std::to_string(pitch) + "," + std::to_string(pitch) + ",0\n" + std::to_string(count) +
                              "," + std::to_string(count) + "," + std::to_string(count) + "," +
                              std::to_string(count) + ",0\n";
    const std::string across = "3\n13,13,13,0,0\n200,200,200,0,0\n2,2,4,0,0\n";
    const std::string up = "2\n13,13,0,0,0\n250,250,0,0,0\n7,1,0,0,0\n";
    return "500,300,1000\n2000,400,2000,2000\n" + std::to_string(side) + "," + std::to_string(side) +
           "\n100,100,100,100,100,100\n100\n100,100,1000000\n" + along + along + across + across + along + along + up +
           up + along + "13,13\n";
}

TEST(WorkBound, AWallFarBeyondAnyRealOneIsRefusedAtOnceNamingWhatDrivesIt) {
    // The readers' limits: 500 m each side, four zones of 20 000 spacings of 25 mm on every mark.
    const auto began = std::chrono::steady_clock::now();
    const SheetResult r = run_sheet(long_wall(500000, 25, 20000), test::example_file("level", "GasouL.dat"));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(), 3);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(r.field, "W2.count[1]");  // the S1 ties stand on the W2 bars
    EXPECT_EQ(r.fields, (std::vector<std::string>{"length_left", "length_right", "W2.count[1]"}));
    EXPECT_TRUE(r.message.en.starts_with("PlenkL.dat line 30, W2.count[1]: the sheet would draw about ")) << r.message;
    EXPECT_TRUE(r.dxf.find("ENTITIES") != std::string::npos && r.dxf.find("\r\nLINE\r\n") == std::string::npos);
}

// The bound is 200 000 bars, as the README gives it: a sheet of exactly that many is drawn, one bar
// more is refused.
TEST(WorkBound, ASheetAtTheBoundIsDrawnOneBarMoreIsRefused) {
    WallInput w = read_wall_input(long_wall(50000, 100, 249));
    w.W5.count[4] += static_cast<int>(200'000 - estimate_sheet_work(w).bars);  // one W5 bar a count
    ASSERT_EQ(estimate_sheet_work(w).bars, 200'000);
    EXPECT_NO_THROW(check_work_bound(w));
    ++w.W5.count[4];
    EXPECT_THROW(check_work_bound(w), RunFailure);
}

TEST(WorkBound, TheLargestRealWallsStayFarBelowTheBound) {
    const WallInput bench = read_wall_input(test::read_file(std::string(LWALL_SOURCE_DIR) + "/bench/large/PlenkL.dat"));
    EXPECT_LT(estimate_sheet_work(bench).bars * 10, kMaxSheetBars);
    // 100 m long, every mark 100 mm apart: drawn.
    const std::string hundred_metres = long_wall(50000, 100, 249);
    EXPECT_LT(estimate_sheet_work(read_wall_input(hundred_metres)).bars * 5, kMaxSheetBars);
    EXPECT_EQ(run_sheet(hundred_metres, test::example_file("level", "GasouL.dat")).status, 0);
}

}  // namespace
}  // namespace lwall
