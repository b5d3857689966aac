#include "schedule/quantity_basis.hpp"

namespace lwall {

TextBuf whole_wall_basis(const WallInput& w) {
    // Millimetres to metres on the decimal quotient: 7350 mm is 7.4 m, where 7.35 in binary is
    // 7.3499... and would print 7.3.
    TextBuf t;
    t.text(u8"延長 "_sj).fixed(divide_to_decimals(wall_length(w), 1000, 1), 1, 1).text(u8"m当たり"_sj);
    return t;
}

TextBuf basis_note(std::string_view basis) {
    TextBuf t;
    t.text("(").text(basis).text(")");
    return t;
}

}  // namespace lwall
