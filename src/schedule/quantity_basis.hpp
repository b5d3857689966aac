#pragma once
// What the quantity tables count over. The bending schedule and the bar mass table list the bars
// to cut, those of the whole wall; the material table states concrete, formwork and steel per
// metre of wall and the base materials over the whole wall. Each table says which in its note,
// and the spreadsheet beside every number.

#include <string_view>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_input.hpp"

namespace lwall {

// The whole wall: "延長 10.0m当たり", its length (length_left + length_right) in metres to one
// decimal.
TextBuf whole_wall_basis(const WallInput& w);

// Per metre of wall, the note of the material table without its brackets.
inline constexpr std::string_view kPerMetreBasis = u8"1m当たり"_sj;

// A table's note: the basis in brackets, "(延長 10.0m当たり)".
TextBuf basis_note(std::string_view basis);

}  // namespace lwall
