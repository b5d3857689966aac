#pragma once
// The list of every bar of the wall. The drawings fill it while they lay the bars out; the
// bending drawings, the bending schedule and the quantity tables read it at the end of the run.
//
// Rows have fixed numbers: 1-6 the wall vertical bars, 7 onward one row per piece of the wall
// horizontal bars, 40 W5, 41 F1, 42 F2, 44/45 F3, 48/49 F4, 51 S1, 52 S2. The horizontal-bar
// pieces are kept in a list of their own that grows as needed, so a steep wall with many cut
// rows never overwrites row 40 onward; they are still printed after row 6 and before row 40.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lwall {

struct ScheduleRow {
    std::string mark;        // "W1", "W3-2", "F3-1" ...; empty: the row is not in use
    std::string shape_code;  // "1" ... "6"
    std::string size_text;   // "D16"
    int count = 0;
    double total_length = 0;  // cut length of one bar
    double len1 = 0;
    double len2 = 0;
    double len3 = 0;
    double unit_mass = 0;  // kg/m

    bool used() const { return !mark.empty(); }
};

// How often each leg Ｌ１, Ｌ２, Ｌ３ of a bar shape ("1" ... "6") is bent into the bar: both legs of
// a U (2) and of a cap (6), the sides and hooks of a hoop (3). A shape of another code counts Ｌ１
// once, like a straight bar.
std::array<int, 3> shape_leg_multiplicity(std::string_view shape_code);

class BarList {
public:
    static constexpr int kFirstPieceRow = 7;
    static constexpr int kW5 = 40;
    static constexpr int kF1 = 41;
    static constexpr int kF2 = 42;
    static constexpr int kF3 = 44;
    static constexpr int kF3Second = 45;
    static constexpr int kF4 = 48;
    static constexpr int kF4Second = 49;
    static constexpr int kS1 = 51;
    static constexpr int kS2 = 52;
    static constexpr int kLastRow = 60;

    // A fixed row: 1 ... 6 or 40 ... 60.
    ScheduleRow& fixed(int row);
    const ScheduleRow& fixed(int row) const;

    // The horizontal-bar piece with row number `row` (7, 8, 9, ...); the list grows to hold it.
    ScheduleRow& piece(int row);
    // Reading a piece row that was never written gives an empty row.
    const ScheduleRow& piece(int row) const;
    // One past the highest piece row written.
    int piece_row_end() const { return kFirstPieceRow + static_cast<int>(pieces_.size()); }

    // Every row in print order (1-6, the pieces, 40-60), used or not.
    template <typename F>
    void for_each_row(F&& f) const {
        for (int r = 1; r < kFirstPieceRow; ++r) f(fixed_[r]);
        for (const ScheduleRow& row : pieces_) f(row);
        for (int r = kW5; r <= kLastRow; ++r) f(fixed_[r]);
    }

    // The rows in use, in print order.
    std::vector<const ScheduleRow*> printed_rows() const;

private:
    std::array<ScheduleRow, kLastRow + 1> fixed_{};
    std::vector<ScheduleRow> pieces_;
};

// Length class of a wall vertical bar: straight part and foot leg.
struct WallBarClass {
    double piece = 0;
    double leg = 0;
};

// Classes 1 ... 3 of W1 and W2 (index 0 unused) and the five shared totals (slots 1 ... 5).
struct WallBarClasses {
    std::array<WallBarClass, 4> w1{};
    std::array<WallBarClass, 4> w2{};
    std::array<double, 6> wall_bar_totals{};
};

// The horizontal rows of one face cut short by a sloped wall top.
struct SlopedRows {
    std::vector<double> length;  // length[k - 1] of row k
    std::vector<int> pieces;     // 1 or 2 pieces per row
};

// A lap as the drawings lay it out: two pieces of one bar (a splice, against the lap the bending
// drawings state for the bar's size), or the legs of the cap bar W5 over the vertical bars of one
// face (against 20 diameters of W5). The checks compare each with its rule.
struct BarLap {
    enum class Kind { splice, cap };
    Kind kind = Kind::splice;
    std::string first;   // "W3-1", or the vertical bar's mark ("W1-2") for a cap lap
    std::string second;  // "W3-2", or "W5"
    double overlap = 0;  // mm, the shortest of the kind where there are several
    double required = 0;  // mm
    double x = 0;         // a cap lap: where along the wall the shortest overlap lies
    int dia = 0;          // the diameter of the rule (the bar's; W5's for a cap lap)
};

// Values one drawing computes and a later one reads; zero at the start of the run.
struct HandedValues {
    WallBarClasses wall_bar_classes;
    double class_zone_limit = 0;
    int wall_vertical_row_kinds = 0;
    int wall_vertical_class_count = 0;
    int w3_piece_count = 0;
    int sloped_row_count = 0;
    SlopedRows sloped_back;   // W3
    SlopedRows sloped_front;  // W4
    double w5_leg_length = 0;
    double w1_rise_length = 0;
    double w1_foot_length = 0;
    double w2_rise_length = 0;
    double w2_foot_length = 0;
    // The marks of the W1 and W2 rows those lengths were picked from, which the section and the
    // arrangement view name in their call-outs ("W1", "W1-2").
    std::string w1_picked_mark = "W1";
    std::string w2_picked_mark = "W2";
    double f1_anchorage_extension = 0;
    int wall_horizontal_drawn_rows = 0;
    std::vector<BarLap> laps;  // every lap the drawings laid out, in drawing order
};

// Steel mass per bar size and in total, from the mass table to the material table.
struct RebarMassTotals {
    static constexpr std::array<const char*, 11> kSizes = {"D13", "D16", "D19", "D22", "D25", "D29",
                                                           "D32", "D35", "D38", "D41", "D51"};
    std::array<double, 11> mass_by_size{};
    std::array<bool, 11> size_used{};
    int sizes_used = 0;
    double mass_total = 0;
};

}  // namespace lwall
