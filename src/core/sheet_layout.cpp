#include "core/sheet_layout.hpp"

#include <cmath>

namespace lwall {

namespace {

double scale_of(double k) { return 40 + 10 * k; }

}  // namespace

double choose_scale(double elev_height, double wall_length) {
    const double need = elev_height + wall_length + 11000;
    // First k = 1, 2, ... with need < 550 (40 + 10 k); start near it and settle the strict test.
    double k = std::max(1.0, std::floor((need / 550 - 40) / 10));
    while (k > 1 && need < 550 * scale_of(k - 1)) k -= 1;
    while (!(need < 550 * scale_of(k))) k += 1;
    return scale_of(k);
}

SheetLayout compute_sheet_layout(const WallInput& w) {
    SheetLayout s;
    s.pi = 4 * std::atan(1.0);
    s.elev_height = std::fabs(w.height_left - w.height_right) / 2 + w.wall_height;
    s.base_width = w.footing_left_width + w.wall_thickness + w.footing_right_width;
    s.wall_length = wall_length(w);
    s.scale = choose_scale(s.elev_height, s.wall_length);
    s.sheet_width = 800 * s.scale;
    s.sheet_height = 550 * s.scale;
    const double m = (s.sheet_height - (s.elev_height + s.wall_length + 11000)) / 2;  // vertical margin
    s.footing_view2_x = s.base_width / 2 + 3000;
    s.section_x = s.base_width / 2 + 3000;
    s.footing_view2_y = s.wall_length / 2 + 3000 + m;
    s.section_y = m + s.wall_length + 8500;
    s.elevation_x = 8000 + s.base_width + s.wall_length / 2 + 10000;
    s.elevation_y = m + s.wall_length + 8500;
    s.footing_view1_x = s.base_width / 2 + 10000;
    s.footing_view1_y = s.wall_length / 2 + 5000 + m;
    s.table_x = s.footing_view1_x + 10000;
    s.table_y = 1000 * s.scale / 50;
    return s;
}

TextBuf scale_label(double scale) {
    TextBuf t;
    t.text("S=1:").plain(scale);
    return t;
}

}  // namespace lwall
