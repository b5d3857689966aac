#pragma once
// The walls whose files are held against a record of their bytes (recorded_sheets_test.cpp): the
// examples, walls of the readers' and the checks' tests, a wall that just fits its sheet, three
// length classes of wall bars and random walls, by name. Other tests of the whole sheet draw them too.

#include <map>
#include <string>
#include <utility>

#include "drawings/section_footing/footing_fixture.hpp"
#include "sheet/random_walls.hpp"
#include "test_support.hpp"

namespace lwall::test {

inline std::map<std::string, std::string> recorded_walls() {
    const std::string source = LWALL_SOURCE_DIR;
    std::map<std::string, std::string> walls = {
        {"level", example_file("level", "PlenkL.dat")},
        {"sloped", example_file("sloped", "PlenkL.dat")},
        {"reversed", read_file(source + "/tests/dxf_reader/walls/reversed/PlenkL.dat")},
        {"faulty", read_file(source + "/tests/checks/faulty/PlenkL.dat")},
        {"fitting", fitting_wall()},
    };
    // The sloped example with its top falling to 1000 at the left end: three length classes of
    // wall bars, the middle one named above the reference point.
    std::string three = example_file("sloped", "PlenkL.dat");
    for (const auto& [line, text] : {std::pair<int, const char*>{2, "1750,450,1000,2500"}, {38, "4,0,0,0,0"}}) {
        std::size_t at = 0;
        for (int n = 1; n < line; ++n) at = three.find('\n', at) + 1;
        three.replace(at, three.find('\n', at) - at, text);
    }
    walls["three classes"] = three;
    WallMaker maker(1907);
    for (int n = 1; n <= 6; ++n) walls["random" + std::to_string(n)] = maker.next();
    return walls;
}

}  // namespace lwall::test
