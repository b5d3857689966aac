#include "output/script/script_writer.hpp"

#include <gtest/gtest.h>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {
namespace {

constexpr Point kP1{12345, 678.4};
constexpr Point kP2{12345, 2100};
constexpr Point kP3{11845, 1389.5};

TEST(ScriptWriter, VerticalAndHorizontalDimensions) {
    Canvas cv;
    scr_dimlinear_v(cv, kP1, kP2, kP3);
    scr_dimlinear_h(cv, kP1, kP2, kP3);
    EXPECT_EQ(cv.scr_out.contents(),
              "dimlinear 12345,  678 12345, 2100 V 11845, 1390 \r\n"
              "dimlinear 12345,  678 12345, 2100 H 11845, 1390 \r\n");
}

TEST(ScriptWriter, DimensionWithTextOverride) {
    Canvas cv;
    static constexpr auto kTimes = u8"×"_sj;
    TextBuf label;
    label.integer(6).text(kTimes).fixed(200, 3, 0).text(" = ").fixed(1200, 5, 0);
    scr_dimlinear_text(cv, kP1, kP2, label, kP3);
    EXPECT_EQ(cv.scr_out.contents(), std::string("dimlinear 12345,  678 12345, 2100 M 6") + std::string(kTimes) +
                                         "200 =  1200\r\n11845, 1390 \r\n");
}

TEST(ScriptWriter, QuickLeaderEndsWithAnEmptyLine) {
    Canvas cv;
    scr_qleader(cv, kP1, kP2, kP3);
    EXPECT_EQ(cv.scr_out.contents(), "qleader 12345,  678 12345, 2100 11845, 1390\r\n\r\n");
}

TEST(ScriptWriter, AddsTheOriginCurrentWhenTheCommandIsWritten) {
    Canvas cv;
    set_origin(cv, 1000, -500);
    scr_dimlinear_v(cv, {0, 0}, {0, 100}, {-50, 0});
    set_origin(cv, 0, 0);
    scr_dimlinear_v(cv, {0, 0}, {0, 100}, {-50, 0});
    EXPECT_EQ(cv.scr_out.contents(),
              "dimlinear  1000, -500  1000, -400 V   950, -500 \r\n"
              "dimlinear     0,    0     0,  100 V   -50,    0 \r\n");
}

TEST(ScriptWriter, TextIsWrittenAsGivenWithItsBlanks) {
    Canvas cv;
    scr_dimlinear_text(cv, {0, 0}, {100000, 0}, "  2 x 50  ", {0, -1000});
    EXPECT_EQ(cv.scr_out.contents(), "dimlinear     0,    0 100000,    0 M   2 x 50  \r\n    0,-1000 \r\n");
}

TEST(ScriptWriter, DrawingPrimitivesWriteNothingToTheScript) {
    Canvas cv;
    draw_polyline(cv, {{0, 0}, {10, 10}});
    draw_circle(cv, 0, 0, 5);
    EXPECT_TRUE(cv.scr_out.contents().empty());
}

}  // namespace
}  // namespace lwall
