#include "core/bar_list.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace lwall {
namespace {

std::vector<std::string> printed_marks(const BarList& list) {
    std::vector<std::string> marks;
    for (const ScheduleRow* r : list.printed_rows()) marks.push_back(r->mark);
    return marks;
}

TEST(BarList, StartsEmptyAndPrintsNothing) {
    const BarList list;
    EXPECT_TRUE(list.printed_rows().empty());
    EXPECT_EQ(list.fixed(BarList::kW5).count, 0);
    EXPECT_FALSE(list.piece(9).used());
}

TEST(BarList, PrintsInRowOrderNotInFillingOrder) {
    BarList list;
    list.fixed(BarList::kS1).mark = "S1";
    list.fixed(BarList::kW5).mark = "W5";
    list.piece(8).count = 12;  // a row without a mark is not printed
    list.piece(7).mark = "W3-1";
    list.piece(9).mark = "W4-1";
    list.fixed(1).mark = "W1";
    list.fixed(BarList::kF1).mark = "F1";
    EXPECT_EQ(printed_marks(list), (std::vector<std::string>{"W1", "W3-1", "W4-1", "W5", "F1", "S1"}));
}

TEST(BarList, PiecesBeyondRowThirtyNineNeverOverwriteTheFixedRows) {
    BarList list;
    list.fixed(BarList::kW5).mark = "W5";
    list.fixed(BarList::kF1).mark = "F1";
    for (int r = BarList::kFirstPieceRow; r < BarList::kFirstPieceRow + 40; ++r) {
        list.piece(r).mark = "W3-" + std::to_string(r - 6);
    }
    EXPECT_EQ(list.piece_row_end(), 47);
    const auto marks = printed_marks(list);
    ASSERT_EQ(marks.size(), 42u);
    EXPECT_EQ(marks[39], "W3-40");
    EXPECT_EQ(marks[40], "W5");
    EXPECT_EQ(marks[41], "F1");
}

TEST(BarList, RowNumbersOutsideTheirRangeAreProgrammingErrors) {
    BarList list;
    EXPECT_THROW(list.fixed(7), std::out_of_range);
    EXPECT_THROW(list.fixed(61), std::out_of_range);
    EXPECT_THROW(list.fixed(0), std::out_of_range);
    EXPECT_THROW(list.piece(6), std::out_of_range);
}

}  // namespace
}  // namespace lwall
