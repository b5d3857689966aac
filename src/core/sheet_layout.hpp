#pragma once
// The sheet: its scale and the origin of every view, chosen from the wall's size.

#include <numbers>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_input.hpp"

namespace lwall {

inline constexpr double kMaxBaseWidth = 2500;   // footing width limit
inline constexpr double kMaxTotalHeight = 3000;  // footing plus wall height limit
// Frame 1 (the drawings) has its lower left corner at (0, 0) and measures sheet_width x
// sheet_height; the frames after it stand to its right (core/sheet_frames.hpp).

struct SheetLayout {
    double pi = std::numbers::pi;  // 4 atan(1)
    double base_width = 0;
    double wall_length = 0;
    double elev_height = 0;
    double scale = 0;  // denominator: 1:50, 1:60, ...
    double sheet_width = 0;
    double sheet_height = 0;
    double section_x = 0, section_y = 0;
    double elevation_x = 0, elevation_y = 0;
    double footing_view1_x = 0, footing_view1_y = 0;
    double footing_view2_x = 0, footing_view2_y = 0;
    double table_x = 0, table_y = 0;
};

// The smallest scale 50, 60, 70, ... whose sheet height (550 paper mm) exceeds the two wall
// elevations stacked with the footing plan. Found without stepping, so it ends for any wall.
double choose_scale(double elev_height, double wall_length);

SheetLayout compute_sheet_layout(const WallInput& w);

// What a view drawn to `scale` states beside its title: "S=1:50".
TextBuf scale_label(double scale);
// What a table or a schematic states beside its title instead.
inline constexpr std::string_view kNotToScale = u8"(縮尺なし)"_sj;

}  // namespace lwall
