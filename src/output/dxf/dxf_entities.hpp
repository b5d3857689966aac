#pragma once
// The four entity records of the sheet. Each writes its type name first and the "0" of the next
// record last; coordinates arrive with the view origin already added (the circle adds its own).

#include <string_view>

#include "output/dxf/dxf_writer.hpp"

namespace lwall {

void dxf_line(DxfWriter& out, std::string_view layer, double width, int colour, double x1, double y1, double x2,
              double y2);

// Simple text: insertion point, height, oblique angle (group 51) and width factor.
void dxf_text(DxfWriter& out, std::string_view layer, double width, int colour, int height, std::string_view text,
              double width_factor, double oblique, double x, double y);

// Styled text with a first and a second alignment point and a rotation in degrees.
void dxf_text_styled(DxfWriter& out, std::string_view layer, double width, int colour, int height,
                     std::string_view text, double width_factor, double rotation, std::string_view style, double x1,
                     double y1, double x2, double y2);

// A circle on `layer` (the current pen's); the writer adds the origin to the centre.
void dxf_circle(DxfWriter& out, std::string_view layer, double x, double y, double radius, double width,
                double origin_x, double origin_y);

}  // namespace lwall
