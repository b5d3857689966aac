// The files of a set of walls, held against a record of their bytes: any change of what an engineer
// receives (a bar a millimetre off, a label, a tick, a table's line) shows, on walls whose covers,
// zones, sizes and sides all differ. A change that is meant is recorded again with
//   LWALL_RECORD_SHEETS=1 build/tests/lwall_tests --gtest_filter='RecordedSheets.*'
// after its files have been looked at (lwall --svg --csv on the wall).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/recorded_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string digest(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    std::ostringstream out;
    out << std::hex << h << ' ' << std::dec << bytes.size();
    return out.str();
}

TEST(RecordedSheets, EveryFileOfEveryWallIsTheRecordedOne) {
    const std::string source = LWALL_SOURCE_DIR;
    const std::string record_path = source + "/tests/sheet/recorded_sheets.txt";
    const std::map<std::string, std::string> walls = test::recorded_walls();
    const std::string layers = test::example_file("level", "GasouL.dat");
    const std::string title = test::read_file(source + "/tests/drawings/sheet_set/title_block/HyodaiL.dat");

    std::string now;
    for (const auto& [name, wall] : walls) {
        const SheetResult r = run_sheet(wall, layers, title, {.picture = true, .quantities = true});
        now += name + " status " + std::to_string(r.status) + "\n";
        for (const auto& [file, bytes] : {std::pair<const char*, const std::string*>{"Lwall.dxf", &r.dxf},
                                          {"plenk.scr", &r.scr}, {"Lwall.svg", &r.svg}, {"Lwall.csv", &r.csv}}) {
            now += name + " " + file + " " + digest(*bytes) + "\n";
        }
    }
    if (std::getenv("LWALL_RECORD_SHEETS") != nullptr) {
        std::ofstream(record_path, std::ios::binary) << now;
        GTEST_SKIP() << "recorded " << record_path;
    }
    std::istringstream was(test::read_file(record_path)), is(now);
    for (std::string a, b; std::getline(was, a), std::getline(is, b), was || is;) {
        EXPECT_EQ(b, a) << "this file of this wall is no longer the recorded one";
        a.clear(), b.clear();
    }
}

}  // namespace
}  // namespace lwall
