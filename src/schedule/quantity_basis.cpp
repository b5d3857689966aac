#include "schedule/quantity_basis.hpp"

#include <cmath>

namespace lwall {

TextBuf whole_wall_basis(const WallInput& w) {
    // Rounded in tenths of a metre, where a half is exact (7350 mm is 73.5, so 7.4 m), and not in
    // metres, where 7.35 is 7.3499... in binary and would print 7.3.
    const double tenths = std::round(wall_length(w) / 100);
    TextBuf t;
    t.text(u8"延長 "_sj).fixed(tenths / 10, 1, 1).text(u8"m当たり"_sj);
    return t;
}

TextBuf basis_note(std::string_view basis) {
    TextBuf t;
    t.text("(").text(basis).text(")");
    return t;
}

}  // namespace lwall
