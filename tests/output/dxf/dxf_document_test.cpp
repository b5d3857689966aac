#include "output/dxf/dxf_document.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "input/layer_file.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using Lines = std::vector<std::string>;

struct DocumentTest : ::testing::Test {
    OutputSink sink;
    DxfWriter out{sink};
    Lines lines() const { return test::crlf_lines(sink.contents()); }
};

TEST_F(DocumentTest, LineTypeTableStartsAsTheCadProgramExpects) {
    dxf_ltype_table(out);
    const Lines l = lines();
    const std::string solid(u8"実線"_sj);
    const Lines head = {"0",  "SECTION", "2",  "TABLES",     "0",  "TABLE", "2",  "LTYPE", "70", "5",
                        "0",  "LTYPE",   "2",  "CONTINUOUS", "70", "64",    "3",  solid,   "72", "65",
                        "73", "0",       "40", "    1",      "0",  "LTYPE", "2",  "HIDDEN"};
    ASSERT_GE(l.size(), head.size());
    EXPECT_EQ(Lines(l.begin(), l.begin() + static_cast<long>(head.size())), head);
    EXPECT_EQ(l.back(), "ENDTAB");
}

TEST_F(DocumentTest, LineTypePatternsPassThroughTheWholeNumberFormat) {
    dxf_ltype_table(out);
    const Lines l = lines();
    auto values_after = [&](const std::string& name) {
        Lines v;
        auto it = std::find(l.begin(), l.end(), name);
        for (it += 7; it != l.end() && *it != "0"; it += 2) v.push_back(*it + "=" + *(it + 1));
        return v;
    };
    EXPECT_EQ(values_after("HIDDEN"), (Lines{"73=2", "40=   10", "49=    6", "49=   -3"}));
    EXPECT_EQ(values_after("CENTER"), (Lines{"73=4", "40=   51", "49=   32", "49=   -6", "49=    6", "49=   -6"}));
    EXPECT_EQ(values_after("PHANTOM"), (Lines{"73=6", "40=   64", "49=   32", "49=   -6", "49=    6", "49=   -6",
                                              "49=    6", "49=   -6"}));
    EXPECT_EQ(values_after("DOT"), (Lines{"73=2", "40=   10", "49=    5", "49=   -5"}));
    const auto dot = std::find(l.begin(), l.end(), "DOT");
    EXPECT_EQ(*(dot + 4), std::string(45, '.'));
}

TEST_F(DocumentTest, LayerTableWithoutRowsIsItsHeadAndEnd) {
    dxf_layer_table(out, read_layer_table("0\n"));
    EXPECT_EQ(lines(), (Lines{"0", "TABLE", "2", "LAYER", "70", "16", "0", "ENDTAB"}));
}

TEST_F(DocumentTest, LayerRowsCarryNameColourAndLineType) {
    dxf_layer_table(out, read_layer_table("2\n3 1 0.25 D-STR-DIM\n1 3 0.18 D-BMK\n"));
    EXPECT_EQ(lines(), (Lines{"0",  "TABLE", "2", "LAYER", "70", "16", "0",          "LAYER",  "2",     "D-STR-DIM",
                              "70", "0",     "62", "3",    "6",  "CONTINUOUS", "0",  "LAYER",  "2",     "D-BMK",
                              "70", "0",     "62", "1",    "6",  "CENTER",     "0",  "ENDTAB"}));
}

TEST_F(DocumentTest, UnknownLineTypeCodeKeepsThePreviousRowsLineType) {
    dxf_layer_table(out, read_layer_table("3\n7 9 0.5 FIRST\n7 5 0.5 DOTTED\n7 7 0.5 AFTER\n"));
    Lines types;
    const Lines l = lines();
    for (std::size_t i = 0; i + 1 < l.size(); ++i) {
        if (l[i] == "6") types.push_back(l[i + 1]);
    }
    EXPECT_EQ(types, (Lines{"CONTINUOUS", "DOT", "DOT"}));
}

TEST_F(DocumentTest, MalformedLayerFileIsRefusedWithStatusSix) {
    try {
        dxf_layer_table(out, read_layer_table("1\n3 1.5 0.25 D-STR\n"));
        FAIL() << "accepted a malformed layer row";
    } catch (const RunFailure& f) {
        EXPECT_EQ(f.status, kExitBadInput);
        EXPECT_EQ(f.message.en, "GasouL.dat line 2, row 1 line type: expected a whole number without a decimal point, "
                             "found \"1.5\"");
    }
}

TEST_F(DocumentTest, StyleTableHasStandardAndKanji) {
    dxf_style_table(out);
    EXPECT_EQ(lines(), (Lines{"0",     "TABLE", "2",  "STYLE",    "70",    "2",     "0",  "STYLE",
                              "2",     "STANDARD", "70", "0",     "40",    "    0", "41", "    1",
                              "50",    "    0", "71", "0",        "42",    "    0", "3",  "TXT",
                              "4",     "",      "0",  "STYLE",    "2",     "KANJI", "70", "0",
                              "40",    "    0", "41", "    1",    "50",    "    0", "71", "0",
                              "42",    "    0", "3",  "TXT",      "4",     "BIGFONT", "0", "ENDTAB"}));
}

TEST_F(DocumentTest, EntitiesSectionOpensAndTheDocumentEnds) {
    dxf_open_entities(out);
    dxf_document_end(out);
    EXPECT_EQ(lines(), (Lines{"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC", "0", "EOF"}));
}

}  // namespace
}  // namespace lwall
