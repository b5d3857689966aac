#pragma once
// The frames of the sheet set. Frame 1 holds the elevations, the footing plan, the section and the
// arrangement view at the sheet's scale; the frames after it, each 2000 to the right of the one
// before, hold the bending drawings and the tables. Every frame is 800 x 550 paper millimetres at
// its own scale, so in drawing units it measures 800 * scale by 550 * scale.

#include <vector>

namespace lwall {

inline constexpr double kFramePaperWidth = 800;   // paper millimetres
inline constexpr double kFramePaperHeight = 550;  // paper millimetres
inline constexpr double kFrameGap = 2000;         // drawing units between one frame and the next

struct SheetFrame {
    int number = 0;        // 1 ... N, left to right
    double x = 0, y = 0;   // lower left corner, drawing units
    double width = 0;      // kFramePaperWidth * scale
    double height = 0;     // kFramePaperHeight * scale
    double scale = 0;      // denominator: 1:scale
};

using SheetFrames = std::vector<SheetFrame>;

}  // namespace lwall
