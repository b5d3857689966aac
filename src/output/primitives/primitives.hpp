#pragma once
// The drafting vocabulary of every drawing. Coordinates are those of the current view; each
// primitive adds the current origin and draws with the current pen (layer, colour, width).
// Polylines, circles and texts go to the drawing file only, never to the script.

#include <span>
#include <string_view>

#include "output/primitives/canvas.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall {

// Arrowheads: half-angle 15 degrees; 150 long on arrows and leaders, 50 on dimension ticks.
inline constexpr double kArrowLength = 150.0;
inline constexpr double kTickLength = 50.0;
double tick_half_width();  // 50 * tan 15 degrees

void set_origin(Canvas& cv, double x, double y);

// Blocks of a sheet being recorded (nothing happens otherwise): what is drawn after open_block
// belongs to a new block, which select_block makes current again later. open_block returns the
// block's number, -1 when nothing is recorded.
int open_block(Canvas& cv, BlockRole role);
void select_block(Canvas& cv, int block);

// LINE from each point to the next; nothing for fewer than two points.
void draw_polyline(Canvas& cv, std::span<const Point> points);
inline void draw_polyline(Canvas& cv, std::initializer_list<Point> points) {
    draw_polyline(cv, std::span<const Point>(points.begin(), points.size()));
}

// `count` copies of the line p1-p2, each moved by (kx, ky) * step from the one before; p1 and p2
// are left moved by count steps.
void draw_line_repeat(Canvas& cv, Point& p1, Point& p2, double step, int count, int kx, int ky);

void draw_circle(Canvas& cv, double x, double y, double r);

// Simple text; the angle goes to the oblique group, as the sheet has always written it.
void draw_text(Canvas& cv, double x, double y, int height, double angle, std::string_view text);

void draw_text_styled(Canvas& cv, Point first, Point second, int height, double rotation, std::string_view text,
                      std::string_view style);

// Upright text in the "KANJI" style of titles, labels and tables.
void draw_kanji_text(Canvas& cv, Point first, Point second, int height, std::string_view text);

// Arrow from p1 to p2 with its head at p1; a sloped arrow's head opens toward larger y.
void draw_arrow(Canvas& cv, Point p1, Point p2);
// Leader p1-p2-p3 with its head at p1; a sloped leader's head opens toward larger x.
void draw_leader(Canvas& cv, Point p1, Point p2, Point p3);

// Dimension ticks with their tip at p1 (start) or p2 (end).
void draw_arrowhead_at_start(Canvas& cv, Point p1, Point p2, double len, double half_width);
void draw_arrowhead_at_end(Canvas& cv, Point p1, Point p2, double len, double half_width);

// Dimensions drawn as lines: extension p1 -> dimension line -> p2, a tick at each end of the
// dimension line and the label at `text_at` (placed by the caller), in dim_text_style.
void draw_dim_vertical(Canvas& cv, Point p1, Point p2, Point line_at, Point text_at, double height,
                       std::string_view text);
void draw_dim_horizontal(Canvas& cv, Point p1, Point p2, Point line_at, Point text_at, double height,
                         std::string_view text);
// A dimension parallel to p1-p2 at `offset`; it centres its own label.
void draw_dim_aligned(Canvas& cv, Point p1, Point p2, double offset, double height, std::string_view text);

// Spacing indicators: a line with a tick at every bar position, count steps from (x, y) in
// `direction` (+1 or -1), running on by `overshoot`; the end point goes to chain_end.
void draw_chain_vertical(Canvas& cv, double x, double y, double overshoot, double step, int count, int direction);
void draw_chain_horizontal(Canvas& cv, double x, double y, double overshoot, double step, int count, int direction);

// A bar seen end-on: `rings` circles of radius 0.5, 1, 1.5 ... about (x, y).
void draw_dot(Canvas& cv, double x, double y, int rings);
void draw_dot_row(Canvas& cv, double x, double y, int rings, double step, int count, int kx, int ky);

// Bar call-out: the mark ringed by a circle of size r, and the bar size 600 to the right.
void draw_bar_callout(Canvas& cv, double x, double y, double r, int height, double angle, std::string_view mark,
                      std::string_view size);

}  // namespace lwall
