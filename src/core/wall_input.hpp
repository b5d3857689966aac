#pragma once
// The wall input record: every value of PlenkL.dat, in file order. Lengths in millimetres. The
// catalogue of its fields (names, lines, units, labels) is core/wall_fields.hpp.

#include <array>

namespace lwall {

// Spacing data of one bar mark: up to five zones of count[i] spacings of pitch[i] each, laid out
// from the wall's reference point outward. Index 0 of every array is unused, so the code reads
// like the zone numbers of the drawings (pitch[1] ... pitch[5]).
struct BarGroup {
    int zones = 0;                // zones in use, 0 ... 5
    int dia = 0;                  // nominal diameter in mm (13 is D13)
    std::array<int, 5> opt{};     // opt[1] ... opt[4]: zone diameters, second diameter or offsets
    std::array<double, 6> pitch{};
    std::array<int, 6> count{};
};

// The two tie marks carry only a diameter.
struct TieGroup {
    int dia = 0;
};

struct WallInput {
    double footing_left_width = 0;   // toe: footing beyond the wall's front face
    double wall_thickness = 0;
    double footing_right_width = 0;  // heel: footing beyond the wall's back face
    double wall_height = 0;          // above the footing at the reference point
    double footing_thickness = 0;
    double height_left = 0;          // wall height at the left end of the elevation
    double height_right = 0;         // wall height at the right end
    double length_left = 0;          // wall length left of the reference point
    double length_right = 0;         // wall length right of it
    double cover1 = 0;               // underside of the footing
    double cover2 = 0;               // top of the footing
    double cover3 = 0;               // front face, vertical bars
    double cover4 = 0;               // back face, ties and cap bar; ends of transverse footing bars
    double cover5 = 0;               // front-face horizontal bars; one end of the top footing bar
    double cover6 = 0;               // back face, vertical bars; other end of the top footing bar
    double cover_wall_top = 0;
    double end_cover_left = 0;       // cut-back of bars running along the wall, left end
    double end_cover_right = 0;      // the same at the right end
    double max_bar_length = 0;       // maximum member length
    BarGroup F1, F2, F3, F4, W1, W2, W3, W4, W5;
    TieGroup S1, S2;

    // Line of the file each of the 43 lines was read from (blank lines shift them); 0 when the
    // file ended before it. Index 0 is unused.
    std::array<int, 44> source_line{};
};

// Length of the wall along its face, both sides of the reference point.
inline double wall_length(const WallInput& w) { return w.length_left + w.length_right; }

// Run of the bars along the wall, between the two end covers.
inline double run_along_wall(const WallInput& w) {
    return w.length_left + w.length_right - w.end_cover_left - w.end_cover_right;
}

}  // namespace lwall
