#pragma once
// The work bound: how many bars a sheet would draw, worked out from the input before anything is
// drawn, and a bound far beyond any real wall. The readers' limits let a wall be 1 km long with
// zones of 25 mm spacings (80 000 bars a mark), whose sheet would take minutes and hundreds of
// megabytes; such a wall is refused at once, naming the values that drive it.

#include <string>
#include <vector>

#include "core/wall_input.hpp"

namespace lwall {

// Counted as below, the largest real walls have a few thousand bars: the benchmark's wall, 60 m long
// with bars 100 mm apart on both faces, about 12 000; a wall 100 m long with every mark 100 mm
// apart, about 20 000 (three quarters of them the ties this count allows). The bound leaves room
// for ten such walls on one sheet; a sheet at the bound is drawn in a fraction of a second.
inline constexpr long long kMaxSheetBars = 200'000;

// The bars of one mark (each tie counted as a bar).
struct MarkBars {
    std::string mark;   // "W1", "S1"
    long long bars = 0;
    std::string field;  // the value that drives it most: the count of its largest zone
};

struct SheetWork {
    std::vector<MarkBars> marks;
    long long bars = 0;  // all of them
};

// An upper estimate of the bars each mark puts on the sheet: the bars of its zones (the sum of the
// zone counts and one), at most ten S1 ties on each W2 bar column, and the S2 ties as the footing
// plan lays them out.
SheetWork estimate_sheet_work(const WallInput& w);

// Refuses (status 6) a wall whose sheet would draw more than kMaxSheetBars bars, naming the count of
// the largest zone of the mark with the most bars, and in `fields` every value that drives the work:
// the wall's length and that count of each mark with a fifth of the bars or more.
void check_work_bound(const WallInput& w);

}  // namespace lwall
