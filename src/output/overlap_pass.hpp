#pragma once
// Nothing drawn over anything. Once a sheet is drawn and its blocks placed, every text, call-out and
// label that lies over another text, a call-out circle, a line or a bar seen end-on is moved, by the
// smallest move that clears it, and the leaders that end at it are carried along. What does not
// collide stays where it is.
//
// A text covers what its glyphs cover: its characters without the blanks around them, each byte
// half as wide as the text is high (a double-byte character as wide as high), from its baseline to
// its height, turned by its rotation. A call-out (a mark, its ring and its size beside it) and a
// bending-drawing label (the label and the ring about its mark) move as one. A line may end at a
// text (a leader, an arrow); it may not run through one.
//
// The moves are searched in rings of growing distance, a quarter of the text's height apart: along
// the text first, then across it, then on the diagonals, and the first place that is clear of
// everything, inside the frame and off its title block is taken. Groups are cleared in drawing order;
// a group once moved is an obstacle to the rest, so that no move makes a new collision.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/sheet_frames.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall {

struct SheetItem {
    enum class Kind : std::uint8_t { line, text, circle };
    Kind kind = Kind::line;
    bool fixed = false;   // never moves: a title block's text
    Point a, b;           // a line's ends; a text's insertion point; a circle's centre
    double height = 0;    // text
    double rotation = 0;  // text, degrees counterclockwise
    double width_factor = 1;
    double radius = 0;      // circle
    std::string_view text;  // Shift_JIS
};

// How far an item moves, in whole drawing units: a text or a circle by `a`, a line's two ends by `a`
// and `b` (the end of a leader carried along with what it points to).
struct ItemMove {
    Point a, b;
    bool moved() const { return a.x != 0 || a.y != 0 || b.x != 0 || b.y != 0; }
};

struct OverlapOutcome {
    std::vector<ItemMove> moves;  // per item; empty when nothing moved
    int collided = 0;             // groups that lay over something
    int cleared = 0;              // of them, moved clear
};

OverlapOutcome clear_overlaps(std::span<const SheetItem> items, const SheetFrames& frames);

// The radius from which a circle is a call-out's ring; smaller circles are bars seen end-on.
inline constexpr double kCalloutRingRadius = 100;

}  // namespace lwall
