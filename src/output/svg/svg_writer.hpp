#pragma once
// A picture of the sheet as SVG. The entity writers of the drawing file hand every LINE, TEXT and
// CIRCLE here as well, with the numbers as the drawing file holds them (whole drawing units), so the
// picture and the drawing cannot disagree. Colours are the CAD colour numbers on a dark ground,
// line widths the pen widths at the sheet's scale, texts UTF-8 in a Japanese font.

#include <string>
#include <string_view>

#include "input/layer_table.hpp"

namespace lwall {

class SvgWriter {
public:
    // The layers give the colour of texts and circles; the scale turns pen widths into lines.
    void set_layers(const LayerTable& layers) { layers_ = &layers; }
    void set_scale(double scale) { scale_ = scale; }

    void line(std::string_view layer, int colour, double width, double x1, double y1, double x2, double y2);
    // A text with its insertion point at the start of its base line, rotated counterclockwise.
    void text(std::string_view layer, double width, int height, std::string_view sjis_text, double rotation,
              double x, double y);
    void circle(std::string_view layer, double width, double x, double y, double r);

    // The whole document, sized `pixel_width` wide, framing everything drawn.
    std::string document(int pixel_width) const;

private:
    int layer_colour(std::string_view layer) const;
    double stroke(double width) const;
    void cover(double x, double y);

    const LayerTable* layers_ = nullptr;
    double scale_ = 1;
    std::string body_;
    bool empty_ = true;
    double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
};

}  // namespace lwall
