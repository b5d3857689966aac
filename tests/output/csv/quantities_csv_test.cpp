#include "output/csv/quantities_csv.hpp"

#include <gtest/gtest.h>

#include "core/sjis.hpp"

namespace lwall {
namespace {

TEST(QuantitiesCsv, ThreeBlocksWithOneHeaderRowEachThePrintedNumbersTrimmedAndTheirBasisLast) {
    PrintedTables t;
    t.schedule = {{"W1", "1", "D16", "39", " 2500", " 2196", "  304", "    0"}};
    t.schedule_basis = u8"延長 10.0m当たり"_sj;
    t.mass = {{"W1", "D16", " 2500", "39", "1.560", "3.900", "152.100"}};
    t.mass_basis = u8"延長 12.0m当たり"_sj;
    t.material = {{std::string(u8"型　枠"_sj), std::string(u8"端型枠"_sj), "m2", "", "1.320", "b1"},
                  {"a,b", "say \"x\"", "kg", "0.000", "", "b2"}};
    const std::string expected = std::string(u8"表,種別,形式,径,本数,長さ(mm),Ｌ１(mm),Ｌ２(mm),Ｌ３(mm),基準\r\n"
                                             "鉄筋加工図,W1,1,D16,39,2500,2196,304,0,延長 10.0m当たり\r\n"
                                             "\r\n"
                                             "表,種別,径,長さ(mm),本数,単位質量(kg/m),１本当り質量(kg),質量(kg),基準\r\n"
                                             "鉄筋質量表,W1,D16,2500,39,1.560,3.900,152.100,延長 12.0m当たり\r\n"
                                             "\r\n"
                                             "表,種別,細別,単位,数量,摘要,基準\r\n"
                                             "材料表,型　枠,端型枠,m2,,1.320,b1\r\n"
                                             "材料表,\"a,b\",\"say \"\"x\"\"\",kg,0.000,,b2\r\n"_sj);
    EXPECT_EQ(quantities_csv(t), expected);
}

}  // namespace
}  // namespace lwall
