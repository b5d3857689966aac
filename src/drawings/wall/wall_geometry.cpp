#include "drawings/wall/wall_geometry.hpp"

namespace lwall {

namespace {

void add_zone(SideBars& side, double direction, double pitch, int count) {
    double x = side.x.empty() ? 0.0 : side.x.back();
    for (int j = 0; j < count; ++j) {
        x += direction * pitch;
        side.x.push_back(x);
        side.pitch.push_back(pitch);
    }
}

}  // namespace

Point wall_face_origin(const RunContext& ctx, WallFace face) {
    const SheetLayout& s = ctx.layout;
    if (face == WallFace::back) return {s.elevation_x, s.elevation_y};
    return {s.elevation_x, s.elevation_y - (ctx.input.wall_height + 5000)};
}

double wall_outline_top(const WallInput& w, double x) {
    // The input checks refuse a wall without length.
    const double length = w.length_left + w.length_right;
    return w.footing_thickness + w.height_left + (w.height_right - w.height_left) * (x + w.length_left) / length;
}

double cap_bar_top(const WallInput& w, double x) {
    const double base = w.footing_thickness + w.wall_height - w.cover_wall_top;
    if (x > 0 && w.length_right > 0) return base + x * (w.height_right - w.wall_height) / w.length_right;
    if (x < 0 && w.length_left > 0) return base - x * (w.height_left - w.wall_height) / w.length_left;
    return base;
}

SideBars left_side_bars(const BarGroup& g) {
    SideBars side;
    add_zone(side, -1, g.pitch[2], g.count[2]);
    add_zone(side, -1, g.pitch[1], g.count[1]);
    return side;
}

SideBars right_side_bars(const BarGroup& g) {
    SideBars side;
    add_zone(side, +1, g.pitch[3], g.count[3]);
    add_zone(side, +1, g.pitch[4], g.count[4]);
    return side;
}

}  // namespace lwall
