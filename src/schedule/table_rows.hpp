#pragma once
// What the bending schedule and the bar mass table share: the grid of their columns and the way a
// row is printed, each cell drawn and kept as the sheet shows it.

#include <string>
#include <string_view>
#include <vector>

#include "output/primitives/primitives.hpp"

namespace lwall {

inline constexpr double kTableWidth = 9400;
inline constexpr double kRowPitch = 300;
inline constexpr int kRowTextHeight = 125;
inline constexpr double kColumnLines[] = {0, 800, 2000, 3200, 4000, 5400, 6800, 8200, 9400};

// One printed row at height y of the table: every cell drawn 50 above the row's line and kept; an
// empty cell is kept empty and draws nothing.
class PrintedRow {
public:
    PrintedRow(Canvas& cv, double y, std::vector<std::string>& kept) : cv_(cv), text_y_(y + 50), kept_(kept) {}

    void cell(double x, std::string_view text) {
        if (!text.empty()) draw_text(cv_, x, text_y_, kRowTextHeight, 0, text);
        kept_.emplace_back(text);
    }

private:
    Canvas& cv_;
    double text_y_;
    std::vector<std::string>& kept_;
};

}  // namespace lwall
