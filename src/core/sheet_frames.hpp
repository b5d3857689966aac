#pragma once
// The frames of the sheet set. Frame 1 holds the elevations, the footing plan, the section and the
// arrangement view at the sheet's scale; the frames after it, each 2000 to the right of the one
// before, hold the bending drawings and the tables. Every frame is 800 x 550 paper millimetres at
// its own scale, so in drawing units it measures 800 * scale by 550 * scale, and carries a title
// block in its lower right corner.
//
// The bending drawings and the tables are blocks: each is drawn once, measured, and then moved as a
// whole into a frame. place_blocks decides where.

#include <span>
#include <vector>

namespace lwall {

inline constexpr double kFramePaperWidth = 800;   // paper millimetres
inline constexpr double kFramePaperHeight = 550;  // paper millimetres
inline constexpr double kFrameGap = 2000;         // drawing units between one frame and the next

// Each frame is plotted on an A1 landscape sheet of its own, centred on it.
inline constexpr double kPlotSheetWidth = 841;   // paper millimetres
inline constexpr double kPlotSheetHeight = 594;  // paper millimetres

// Inside a frame, blocks keep this clear of the border and of each other (paper millimetres).
inline constexpr double kFrameMargin = 10;
inline constexpr double kBlockGap = 10;

// Tables have no real size: their text is 125 drawing units high whatever the scale. Beside the
// drawings of a sheet at 1:50 or 1:60 they print at 2.5 or 2.1 mm; on a sheet at a larger scale
// they go to frames of their own at 1:50.
inline constexpr double kTableScale = 50;
inline constexpr double kLargestScaleForTables = 60;

struct SheetFrame {
    int number = 0;        // 1 ... N, left to right
    double x = 0, y = 0;   // lower left corner, drawing units
    double width = 0;      // kFramePaperWidth * scale
    double height = 0;     // kFramePaperHeight * scale
    double scale = 0;      // denominator: 1:scale
    unsigned holds = 0;    // what it holds, flags of FrameHolds (core/title_block.hpp)
};

using SheetFrames = std::vector<SheetFrame>;

// The frame of `number` at `scale` with its lower left corner at (x, 0).
SheetFrame frame_at(int number, double x, double scale);

// The index of the first frame of a usable scale that holds (x, y), edges included, or -1.
int frame_holding(const SheetFrames& frames, double x, double y);

// An axis-aligned box in drawing units; empty until it covers a point.
struct Extent {
    bool empty = true;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    void cover(double x, double y);
    void cover(const Extent& e);
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
    // True when the two boxes share more than an edge.
    bool overlaps(const Extent& e) const;
    // True when e lies inside this box, edges included.
    bool holds(const Extent& e) const;
};

// The title block of a frame: the lower right corner, inside the border, at the frame's scale.
Extent title_block_area(const SheetFrame& frame);

enum class BlockRole {
    heading,  // a title that stands alone on its row, above what follows it
    drawing,  // a true-size bending drawing: printed at the sheet's scale
    table,    // a table, whose text size does not depend on the scale
};

struct BlockToPlace {
    BlockRole role = BlockRole::drawing;
    Extent extent;  // where it was drawn, in drawing units
};

struct BlockPlacement {
    std::vector<double> dx, dy;  // per block, whole drawing units
    std::vector<Extent> placed;  // per block, its extent moved by (dx, dy), rounded outward
    std::vector<int> frame;      // per block, the number of its frame (0: drew nothing)
    SheetFrames frames;          // the frames the blocks went into, from `first` on
};

// Packs the blocks, in the order given: into the room frame 1 leaves (`first`, whose views and
// title block are `first_taken`: the largest clear rectangle beside them), when `first` is given,
// then into `next` and, when it is full, into new frames to its right. In a frame each block goes to
// the highest place that is clear, the leftmost there, never above the block before it nor left of
// it at its height, so that the blocks read in their order; inside the margin, clear of each other,
// of the views and of the title block. A heading ends its row. Tables go to frames of their own at
// 1:50 when the sheet is at a scale above 1:60. A block larger than an empty frame goes to a new frame
// of the smallest larger scale that holds it. A block that drew nothing, or whose extent is not
// finite, is not moved. `frames` lists the frames from `next` on that the blocks went into.
BlockPlacement place_blocks(std::span<const BlockToPlace> blocks, const SheetFrame& next,
                            const SheetFrame* first = nullptr, std::span<const Extent> first_taken = {});

// The largest rectangle of a frame, inside its margin, that keeps the gap between blocks from
// everything in `taken`; empty when there is none.
Extent largest_clear_room(const SheetFrame& frame, std::span<const Extent> taken);

// A view of frame 1 (the elevations, the footing plan, the section) where the layout drew it. The
// layout places the views as if the wall were as long on both sides of its reference point; `even`
// is the move that puts the view where it stands on such a wall, zero for a view that does not
// depend on the sides.
struct FirstFrameView {
    Extent extent;
    double even_dx = 0, even_dy = 0;
};

struct ViewMove {
    double dx = 0, dy = 0;  // whole drawing units
};

// Inside frame 1, a moved view keeps this clear of the border (paper millimetres).
inline constexpr double kViewClearance = 2;

// Where each view of frame 1 goes. A view that lies inside the frame, clear of its title block and
// of the other views, stays where it was drawn. Otherwise:
// 1. on a wall longer on one side than on the other, a view that depends on the sides goes where it
//    stands on a wall as long on both sides (the elevations then no longer reach past the right
//    border or over the section, nor the plan below the frame or up into the section);
// 2. a view still across the border (a title near the top of a sheet whose margin is narrow, a
//    turned label at the left) moves in by the least whole drawing units that leave it
//    kViewClearance inside, when it is small enough to fit.
// Each view moves whole, by one offset.
std::vector<ViewMove> mend_first_frame(std::span<const FirstFrameView> views, const SheetFrame& frame);

}  // namespace lwall
