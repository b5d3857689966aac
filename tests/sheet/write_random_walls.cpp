// Writes the property test's random walls as wall files, one folder each (w0, w1, ...), for the
// checks that run the built programs on them.
// Usage: write_random_walls SEED COUNT FOLDER

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "sheet/random_walls.hpp"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    lwall::test::WallMaker maker(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    const int count = std::atoi(argv[2]);
    for (int n = 0; n < count; ++n) {
        const std::filesystem::path dir = std::filesystem::path(argv[3]) / ("w" + std::to_string(n));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "PlenkL.dat", std::ios::binary) << maker.next();
    }
    return 0;
}
