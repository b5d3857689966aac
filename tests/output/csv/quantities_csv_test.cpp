#include "output/csv/quantities_csv.hpp"

#include <gtest/gtest.h>

#include "core/sjis.hpp"

namespace lwall {
namespace {

TEST(QuantitiesCsv, ThreeBlocksWithOneHeaderRowEachAndThePrintedNumbersTrimmed) {
    PrintedTables t;
    t.schedule = {{"W1", "1", "D16", "39", " 2500", " 2196", "  304", "    0"}};
    t.mass = {{"W1", "D16", " 2500", "39", "1.560", "3.900", "152.100"}};
    t.material = {{std::string(u8"型　枠"_sj), std::string(u8"端型枠"_sj), "m2", "", "1.320"},
                  {"a,b", "say \"x\"", "kg", "0.000", ""}};
    const std::string expected = std::string(u8"表,種別,形式,径,本数,長さ(mm),Ｌ１(mm),Ｌ２(mm),Ｌ３(mm)\r\n"
                                             "鉄筋加工図,W1,1,D16,39,2500,2196,304,0\r\n"
                                             "\r\n"
                                             "表,種別,径,長さ(mm),本数,単位質量(kg/m),１本当り質量(kg),質量(kg)\r\n"
                                             "鉄筋質量表,W1,D16,2500,39,1.560,3.900,152.100\r\n"
                                             "\r\n"
                                             "表,種別,細別,単位,数量,摘要\r\n"
                                             "材料表,型　枠,端型枠,m2,,1.320\r\n"
                                             "材料表,\"a,b\",\"say \"\"x\"\"\",kg,0.000,\r\n"_sj);
    EXPECT_EQ(quantities_csv(t), expected);
}

}  // namespace
}  // namespace lwall
