#pragma once
// A picture of the sheet as SVG: one of the sheet's entity sinks, beside the drawing file. Every
// LINE, TEXT and CIRCLE is drawn with its numbers as the drawing file holds them (whole drawing
// units, halves away from zero), so the picture and the drawing cannot disagree. Colours are the CAD colour numbers on a dark ground,
// line widths the pen widths at the sheet's scale, texts UTF-8 in a Japanese font.

#include <string>
#include <string_view>

#include "core/layer_table.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

// How the picture shows the sheet; every other view of it (the editor's live sheet) shows it the
// same way. The ground is dark; CAD colour numbers 1-7 show as on a dark screen (7 white), others
// grey; texts and circles take their layer's colour, white where the layer file does not define the
// layer; a line is as wide as its pen at the sheet's scale, at least one drawing unit.
inline constexpr std::string_view kPictureGround = "#1e1e1e";
std::string_view picture_colour(int aci);
int picture_layer_colour(const LayerTable* layers, std::string_view layer);
double picture_stroke(double pen_width, double scale);
// A number of the picture: whole as it stands, anything else to two decimals without trailing
// zeros.
void append_picture_number(std::string& out, double v);

// The frame of the picture: everything drawn, with a margin of 1000 drawing units, y downward.
class PictureBounds {
public:
    // Entities with their numbers as held (whole) and y as drawn (upward).
    void line(double x1, double y1, double x2, double y2);
    void text(double x, double y, double height);  // a text stands in the square of its height
    void circle(double x, double y, double r);

    struct Frame {
        double x, y, width, height;
    };
    Frame frame() const;

private:
    void cover(double x, double y);
    bool empty_ = true;
    double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
};

class SvgWriter final : public EntitySink {
public:
    // The layers give the colour of texts and circles; the scale turns pen widths into lines.
    void set_layers(const LayerTable& layers) { layers_ = &layers; }
    void set_scale(double scale) { scale_ = scale; }

    void line(const LineEntity& e) override;
    // A text stands left-aligned at its (first) insertion point; an aligned text is rotated
    // counterclockwise by its rotation, a simple one is upright.
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // The whole document, sized `pixel_width` wide, framing everything drawn.
    std::string document(int pixel_width) const;

private:
    const LayerTable* layers_ = nullptr;
    double scale_ = 1;
    std::string body_;
    PictureBounds bounds_;
};

}  // namespace lwall
