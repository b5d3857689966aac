#include "core/layer_table.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "input/layer_file.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string refusal(const std::string& text) {
    return test::refusal_message([&] { read_layer_table(text); }, kExitBadInput);
}

TEST(LayerFile, RowsAreReadInFileOrderWhateverTheWhiteSpace) {
    const LayerTable t = read_layer_table(" 2\r\n 3  1  0.25 D-STR-DIM\r\n7\n1\n0.5\nD-STR\n");
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0].colour, 3);
    EXPECT_EQ(t.rows[0].linetype, 1);
    EXPECT_DOUBLE_EQ(t.rows[0].width, 0.25);
    EXPECT_EQ(t.rows[0].name, "D-STR-DIM");
    EXPECT_EQ(t.rows[1].name, "D-STR");
}

TEST(LayerFile, KeepsEveryRowAndLongNamesWhole) {
    std::string text = "25\n";
    const std::string long_name(80, 'L');
    for (int i = 0; i < 25; ++i) text += "7 1 0.5 " + long_name + std::to_string(i) + "\n";
    const LayerTable t = read_layer_table(text);
    ASSERT_EQ(t.rows.size(), 25u);
    EXPECT_EQ(t.rows[24].name, long_name + "24");
}

TEST(LayerFile, ACountBeyondTheRowsKeepsOnlyTheRowsPresent) {
    const LayerTable t = read_layer_table("1000000\n7 1 0.5 D-STR\n");
    EXPECT_EQ(t.declared_count, 1000000);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0].name, "D-STR");
}

TEST(LayerFile, RowsBeyondTheCountAreNotRead) {
    const LayerTable t = read_layer_table("1\n7 1 0.5 D-STR\n3 1 0.25 D-STR-DIM\n");
    EXPECT_EQ(t.rows.size(), 1u);
}

TEST(LayerFile, MalformedRowsAreRefused) {
    EXPECT_EQ(refusal("-1\n"), "GasouL.dat line 1, layer count: must be 0 or more, found -1");
    EXPECT_EQ(refusal("2\n7 1 0.5 D-STR\n3 1 0.25 D*/DIM\n"),
              "GasouL.dat line 3, row 2 name: holds \"*/\", which an SXF sheet (Lwall-n.sfc) reads as the end of the "
              "comment around a feature");
    EXPECT_EQ(refusal("2\n7 1 0.5 D-STR\n3 1 0.25\n"),
              "GasouL.dat line 3, row 2 name: the file ends in the middle of a layer row");
    EXPECT_EQ(refusal("1\nred 1 0.5 D-STR\n"), "GasouL.dat line 2, row 1 colour: expected a whole number, found \"red\"");
    EXPECT_EQ(refusal("1\n7 1 inf D-STR\n"), "GasouL.dat line 2, row 1 pen width: expected a finite number, found \"inf\"");
    EXPECT_EQ(refusal("1.0\n"), "GasouL.dat line 1, layer count: expected a whole number without a decimal point, found \"1.0\"");
    EXPECT_TRUE(read_layer_table("").rows.empty());
    EXPECT_TRUE(read_layer_table("0\n7 1 0.5 D-STR\n").rows.empty());
    // A value on a later line than its row begins is named with its own line; a row the file cuts
    // short, with the line the row began on.
    EXPECT_EQ(refusal("\n\n-2\n"), "GasouL.dat line 3, layer count: must be 0 or more, found -2");
    EXPECT_EQ(refusal("2\n7 1 0.5 D-STR\n\n3\n1\n0,25\nD-STR-DIM\n"),
              "GasouL.dat line 6, row 2 pen width: expected a number, found \"0,25\"");
    EXPECT_EQ(refusal("2\n7 1 0.5 D-STR\n3\n\n1.5 0.25 D-STR-DIM\n"),
              "GasouL.dat line 5, row 2 line type: expected a whole number without a decimal point, found \"1.5\"");
    EXPECT_EQ(refusal("1\n\n7 1\n\n"), "GasouL.dat line 3, row 1 pen width: the file ends in the middle of a layer row");
}

TEST(PenSelection, ByLayerNameTakesColourAndWidthOfTheFirstExactMatch) {
    const LayerTable t = read_layer_table("4\n7 1 0.5 D-STR\n3 1 0.25 D-STR-DIM\n5 1 0.9 D-STR-DIM\n1 1 0.1 d-str\n");
    CurrentPen pen;
    pen_select_layer(pen, t, "D-STR-DIM");
    EXPECT_EQ(pen.layer, "D-STR-DIM");
    EXPECT_EQ(pen.colour, 3);
    EXPECT_DOUBLE_EQ(pen.width, 0.25);
    pen_select_layer(pen, t, "D-STR");
    EXPECT_EQ(pen.colour, 7);  // not the lower-case row, not the longer name
    pen_select_layer(pen, t, "D-MISSING");
    EXPECT_EQ(pen.layer, "D-MISSING");
    EXPECT_EQ(pen.colour, 7);
    EXPECT_DOUBLE_EQ(pen.width, 0.5);
}

TEST(PenSelection, ByColourWordWithoutTheLayerTable) {
    CurrentPen pen{"D-STR", 7, 0.5};
    pen_by_colour_name(pen, "D-STR-STR1", u8"紫"_sj, 0.13);
    EXPECT_EQ(pen.layer, "D-STR-STR1");
    EXPECT_EQ(pen.colour, 6);
    EXPECT_DOUBLE_EQ(pen.width, 0.13);
    const std::pair<std::string_view, int> words[] = {{u8"赤"_sj, 1}, {u8"黄"_sj, 2}, {u8"緑"_sj, 3},
                                                      {u8"空"_sj, 4}, {u8"青"_sj, 5}, {u8"黒"_sj, 7}};
    for (const auto& [word, colour] : words) {
        pen_by_colour_name(pen, "L", word, 0.5);
        EXPECT_EQ(pen.colour, colour);
    }
    pen_by_colour_name(pen, "L", "white", 0.25);
    EXPECT_EQ(pen.colour, 7);  // an unknown word keeps the colour
    EXPECT_DOUBLE_EQ(pen.width, 0.25);
}

}  // namespace
}  // namespace lwall
