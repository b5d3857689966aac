#include "output/dxf/dxf_entities.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"

namespace lwall {
namespace {

using Lines = std::vector<std::string>;

TextEntity simple_text(std::string_view layer, double width, int height, std::string_view text, double x, double y) {
    TextEntity e;
    e.layer = layer;
    e.width = width;
    e.height = height;
    e.text = text;
    e.x1 = x;
    e.y1 = y;
    return e;
}

struct EntityTest : ::testing::Test {
    OutputSink sink;
    DxfWriter out{sink};
    Lines lines() const { return test::crlf_lines(sink.contents()); }
};

TEST_F(EntityTest, LineRecordWithRoundedCoordinates) {
    dxf_line(out, {"D-STR", 7, 0.5, 1234.5, 20, 5000, 20});
    EXPECT_EQ(lines(), (Lines{"LINE", "8", "D-STR", "62", "7", "39", "0.500", "10", " 1235", "20", "   20", "30", "0",
                              "11", " 5000", "21", "   20", "31", "0", "0"}));
}

TEST_F(EntityTest, SimpleTextRecord) {
    dxf_text(out, simple_text("D-MTR-MTXT", 0.25, 125, "W1", -50.5, 300));
    EXPECT_EQ(lines(), (Lines{"TEXT", "8", "D-MTR-MTXT", "39", "0.250", "62", "0", "10", "  -51", "20", "  300", "30",
                              "0", "40", "125", "51", "    0", "1", "W1", "41", "    1", "0"}));
}

TEST_F(EntityTest, EmptyTextWritesAnEmptyLine) {
    dxf_text(out, simple_text("L", 0, 100, "", 0, 0));
    const Lines l = lines();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(l[17], "1");
    EXPECT_EQ(l[18], "");
}

TEST_F(EntityTest, StyledTextRecord) {
    dxf_text(out, {TextForm::aligned, "D-STR-HTXT", 0.13, 0, 400, "T", 1, 90, "KANJI", 10, 20, 30, 40.5});
    EXPECT_EQ(lines(), (Lines{"TEXT", "8", "D-STR-HTXT", "39", "0.130", "62", "0", "10", "   10", "20", "   20", "30",
                              "0", "11", "   30", "21", "   41", "31", "0", "40", "400", "41", "    1", "50", "   90",
                              "1", "T", "7", "KANJI", "72", "0", "0"}));
}

TEST_F(EntityTest, TextWithoutAStyleNamesTheOneTheTableHolds) {
    dxf_text(out, {TextForm::aligned, "D-STR-DIM", 0.13, 0, 200, "1500", 1, 0, "", 10, 20, 30, 40});
    const Lines l = lines();
    ASSERT_EQ(l.size(), 32u);
    EXPECT_EQ(l[27], "7");
    EXPECT_EQ(l[28], "STANDARD");
}

TEST_F(EntityTest, CircleRoundsItsRadius) {
    dxf_circle(out, {"D-STR-STR1", 0.35, 101, 202, 0.5});
    EXPECT_EQ(lines(), (Lines{"CIRCLE", "8", "D-STR-STR1", "39", "0.350", "10", "  101", "20", "  202", "30", "0",
                              "40", "    1", "0"}));
}

TEST_F(EntityTest, RadiiAndWidthsAtTheEdgesOfTheirFormats) {
    dxf_circle(out, {"L", 12.5, 0, 0, 1.5});
    dxf_circle(out, {"L", 0, 0, 0, 0.4});
    const Lines l = lines();
    EXPECT_EQ(l[4], "12.500");
    EXPECT_EQ(l[12], "    2");
    EXPECT_EQ(l[26], "    0");
}

TEST_F(EntityTest, NegativeCoordinateThatRoundsToZero) {
    dxf_line(out, {"L", 0, 0, -0.4, 0, 0, 0});
    EXPECT_EQ(lines()[8], "   -0");
}

}  // namespace
}  // namespace lwall
