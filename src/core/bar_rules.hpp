#pragma once
// Deformed-bar tables and rules: unit mass by nominal diameter, lap and bent-leg lengths, the
// anchorage extension of the top transverse footing bar and the anchor leg of a bar standing on the
// footing.

#include <string>

#include "core/number_format.hpp"
#include "core/wall_input.hpp"

namespace lwall {

// "D%d": the size label of a bar diameter ("D13").
TextBuf bar_size_text(int diameter);
std::string bar_size_string(int diameter);

// The second of two lapped pieces of a bar of `length` whose first piece is `first_piece`: at least
// a lap (31.25 d) longer than what the first piece leaves, in whole 500 mm; a whole multiple gains
// a further 500.
double lapped_second_piece(double length, double first_piece, int diameter);

// Nominal unit mass in kg/m of deformed bars D13 ... D51; 0 for any other diameter.
double bar_unit_mass(int diameter);

inline constexpr int kRuleLap = 1;      // 31.25 d: lap of two pieces of one bar
inline constexpr int kRuleBentLeg = 2;  // 15 d: bent leg at a bar end

// The lap the bending drawings state for two pieces of a bar ("400以上" for D13): 31.25 d rounded
// down to 10 mm.
double stated_lap_length(int diameter);

// How far the legs of the cap bar W5 reach past the top of the vertical bars below them: 20
// diameters of W5. The cap bar ties the two faces over the top of the wall, where the vertical bars
// carry next to nothing; its legs are anchored, not spliced, so this is its rule and not the lap.
double cap_bar_lap_length(int cap_diameter);

// The longest deformed bar a mill supplies from stock, mm.
inline constexpr double kLongestStockBar = 12000;

// Length by rule code (kRuleLap or kRuleBentLeg); 0 for any other code.
double bar_length_by_rule(int diameter, int rule);

// Anchorage extension of the top transverse footing bar: 15 d for D13, 22 d for D19, 24 d for
// D22, 22 d for D25, 21 d for D29, 20 d otherwise.
double bar_extension_length(double diameter);

// How far a wall bar of `diameter` is anchored in the footing: 31.25 d rounded up to 10 mm.
double wall_bar_anchorage(double diameter);

// Bent-leg length at the foot of a wall bar of `diameter`: its anchorage less the room in the
// footing, in whole diameters (a half rounds up), at least the leg of `rule`.
double wall_bar_anchor_leg(const WallInput& w, double diameter, int rule);

}  // namespace lwall
